#pragma once

#include "bitmaps.h"
#include "files.h"
#include "skin.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A bitmap the test needs to read; the test fails when it does not.
std::unique_ptr<CDib> MakeDib(const BmpLayout& layout);

// 24 bits, every byte of the pixel rows different from its neighbour.
BmpLayout Rgb24(std::int32_t nWidth, std::int32_t nHeight);
// 8 bits with a two-entry colour table.
BmpLayout Indexed8(std::int32_t nWidth, std::int32_t nHeight);
// A 4 x 2 run-length encoded 8-bit bitmap with a two-entry colour table.
BmpLayout Rle8();

// A skin with a value in every field that shows when it lands in the wrong place.
void FillSampleSkin(CSkin& skin);

std::string ReadText(const std::filesystem::path& path);
void WriteText(const std::filesystem::path& path, const std::string& text);
// Saves the skin and returns the file's bytes; the test fails when it cannot be saved.
Bytes SaveSkin(CSkin& skin, const std::filesystem::path& path);

struct ToolResult
{
    int nExit = -1;
    std::string strOut;
    std::string strErr;
};

// Runs tavelo-skn with args as a separate process, its output caught in files inside dir.
ToolResult RunTool(const std::vector<std::string>& args, const TempDir& dir);
