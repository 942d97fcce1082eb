#pragma once

#include "dib.h"

#include <cstdint>
#include <memory>
#include <vector>

// Composes .bmp file images for tests, with the 40-byte header unless told otherwise.
struct BmpLayout
{
    LONG width = 1;
    LONG height = 1;
    WORD bitCount = 24;
    DWORD compression = BI_RGB;
    DWORD clrUsed = 0;
    std::vector<std::uint8_t> masks; // written right after the header
    std::vector<std::uint8_t> table; // 4-byte entries
    std::vector<std::uint8_t> bits;  // stride x rows of zeros when empty
    DWORD sizeImage = 0;
    std::size_t gapBytes = 0; // zero bytes between the colour table and the pixels
};

std::uint32_t StrideFor(WORD bitCount, LONG width);
std::vector<std::uint8_t> MakeBmp(const BmpLayout& layout);
// A solid 24-bit bitmap of the given colour.
std::vector<std::uint8_t> MakeSolidBmp(LONG width, LONG height, std::uint8_t r, std::uint8_t g,
                                       std::uint8_t b);
// Null when the bytes do not read.
std::unique_ptr<CDib> DibFromBytes(const std::vector<std::uint8_t>& bytes);

void PutLE32(std::vector<std::uint8_t>& bytes, std::size_t nOffset, std::uint32_t n);
std::uint32_t GetLE32(const std::vector<std::uint8_t>& bytes, std::size_t nOffset);
