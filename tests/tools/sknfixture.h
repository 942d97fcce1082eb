#pragma once

#include "skin.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A .bmp file image with a 40-byte header. gapBytes zero bytes stand between the colour table and
// the pixels, as some writers leave them.
struct BitmapRecipe
{
    std::int32_t nWidth = 1;
    std::int32_t nHeight = 1;
    std::uint16_t nBitCount = 24;
    std::uint32_t nCompression = BI_RGB;
    std::uint32_t nClrUsed = 0;
    Bytes colourTable;
    Bytes pixels;
    std::uint32_t nGapBytes = 0;
};
Bytes MakeBitmapFile(const BitmapRecipe& recipe);
std::unique_ptr<CDib> MakeDib(const BitmapRecipe& recipe);

// 24 bits, every byte of the pixel rows different from its neighbour.
BitmapRecipe Rgb24(std::int32_t nWidth, std::int32_t nHeight);
// 8 bits with a two-entry colour table.
BitmapRecipe Indexed8(std::int32_t nWidth, std::int32_t nHeight);
// A 4 x 2 run-length encoded 8-bit bitmap with a two-entry colour table.
BitmapRecipe Rle8();

// A skin with a value in every field that shows when it lands in the wrong place.
void FillSampleSkin(CSkin& skin);

Bytes ReadBytes(const std::filesystem::path& path);
std::string ReadText(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const Bytes& bytes);
void WriteText(const std::filesystem::path& path, const std::string& text);
// Saves the skin and returns the file's bytes; the test fails when it cannot be saved.
Bytes SaveSkin(CSkin& skin, const std::filesystem::path& path);

// A fresh folder under the system's temporary folder, removed with everything in it.
class CTempDir
{
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

struct ToolResult
{
    int nExit = -1;
    std::string strOut;
    std::string strErr;
};

// Runs tavelo-skn with args as a separate process, its output caught in files inside dir.
ToolResult RunTool(const std::vector<std::string>& args, const CTempDir& dir);
