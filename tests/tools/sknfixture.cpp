#include "sknfixture.h"

#include "bytestream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

void PutLe(Bytes& out, std::uint64_t n, int nBytes)
{
    for (int i = 0; i < nBytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    }
}

LOGFONT MakeFont(const char* pszFace, LONG nHeight)
{
    LOGFONT lf;
    std::memcpy(lf.lfFaceName, pszFace,
                std::min<std::size_t>(std::strlen(pszFace), LF_FACESIZE - 1));
    lf.lfHeight = nHeight;
    return lf;
}

std::string Quote(const std::string& text)
{
#ifdef _WIN32
    return '"' + text + '"';
#else
    std::string out = "'";
    for (const char ch : text) {
        out += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    }
    return out + "'";
#endif
}

} // namespace

Bytes MakeBitmapFile(const BitmapRecipe& recipe)
{
    const std::uint64_t nPixelOffset = 14 + 40 + recipe.colourTable.size() + recipe.nGapBytes;
    Bytes out = {'B', 'M'};
    PutLe(out, nPixelOffset + recipe.pixels.size(), 4);
    PutLe(out, 0, 4);
    PutLe(out, nPixelOffset, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(recipe.nWidth), 4);
    PutLe(out, static_cast<std::uint32_t>(recipe.nHeight), 4);
    PutLe(out, 1, 2);
    PutLe(out, recipe.nBitCount, 2);
    PutLe(out, recipe.nCompression, 4);
    PutLe(out, recipe.pixels.size(), 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, recipe.nClrUsed, 4);
    PutLe(out, 0, 4);
    out.insert(out.end(), recipe.colourTable.begin(), recipe.colourTable.end());
    out.insert(out.end(), recipe.nGapBytes, 0);
    out.insert(out.end(), recipe.pixels.begin(), recipe.pixels.end());
    return out;
}

std::unique_ptr<CDib> MakeDib(const BitmapRecipe& recipe)
{
    const Bytes file = MakeBitmapFile(recipe);
    CMemorySource source(file);
    auto pDib = std::make_unique<CDib>();
    EXPECT_EQ(pDib->Read(source), file.size());
    return pDib;
}

BitmapRecipe Rgb24(std::int32_t nWidth, std::int32_t nHeight)
{
    BitmapRecipe recipe;
    recipe.nWidth = nWidth;
    recipe.nHeight = nHeight;
    const std::size_t nStride = ((24 * static_cast<std::size_t>(nWidth) + 31) / 32) * 4;
    for (std::size_t n = 0; n < nStride * static_cast<std::size_t>(nHeight); ++n) {
        recipe.pixels.push_back(static_cast<std::uint8_t>(n * 37 + 11));
    }
    return recipe;
}

BitmapRecipe Indexed8(std::int32_t nWidth, std::int32_t nHeight)
{
    BitmapRecipe recipe;
    recipe.nWidth = nWidth;
    recipe.nHeight = nHeight;
    recipe.nBitCount = 8;
    recipe.nClrUsed = 2;
    recipe.colourTable = {0xFF, 0x00, 0xFF, 0x00, 0x10, 0x20, 0x30, 0x00};
    const std::size_t nStride = (static_cast<std::size_t>(nWidth) + 3) / 4 * 4;
    for (std::size_t n = 0; n < nStride * static_cast<std::size_t>(nHeight); ++n) {
        recipe.pixels.push_back(static_cast<std::uint8_t>(n % 2));
    }
    return recipe;
}

BitmapRecipe Rle8()
{
    BitmapRecipe recipe = Indexed8(4, 2);
    recipe.nCompression = BI_RLE8;
    // Four pixels of colour 1, end of line; four of colour 0, end of bitmap.
    recipe.pixels = {4, 1, 0, 0, 4, 0, 0, 1};
    return recipe;
}

void FillSampleSkin(CSkin& skin)
{
    skin.SetMainImage(MakeDib(Rgb24(4, 2)));
    skin.SetCloseImage(MakeDib(Indexed8(2, 2)));
    skin.SetCloseHoverImage(MakeDib(Rle8()));
    skin.m_strTitle = "Caf\xE9 \"Noir\"";
    skin.m_strAuthor = "Ana";
    skin.m_strDate = "2024-05-01";
    skin.m_strComment = "Price \x80 5\nTab\there\\";
    skin.m_rcCloseButton = RECT{1, 2, 3, 4};
    skin.m_rcTitle = RECT{-5, 0, 40, 10};
    skin.m_rcMessage = RECT{0, 10, 4, 20};
    skin.m_crMainTransparent = RGB(0xFF, 0x00, 0xFF);
    skin.m_crCloseTransparent = 0;
    skin.m_crCloseHoverTransparent = CLR_DEFAULT;
    skin.m_crMessageBack = RGB(0xFF, 0xFF, 0xFF);
    skin.m_crTitleBack = 0x00123456;
    skin.m_crMessageText = 1;
    skin.m_crTitleText = 0x00ABCDEF;
    LOGFONT title = MakeFont("Tahoma", 13);
    title.lfEscapement = 900;
    title.lfOrientation = 900;
    title.lfWeight = FW_BOLD;
    title.lfItalic = 1;
    title.lfUnderline = 1;
    title.lfOutPrecision = 3;
    title.lfClipPrecision = 2;
    title.lfQuality = 5;
    title.lfPitchAndFamily = 34;
    skin.SetTitleFont(&title);
}

Bytes ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadText(const std::filesystem::path& path)
{
    const Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    WriteBytes(path, Bytes(text.begin(), text.end()));
}

Bytes SaveSkin(CSkin& skin, const std::filesystem::path& path)
{
    CSkinFileStatus status;
    EXPECT_TRUE(skin.Save(path, &status, FileSync::None)) << status.Describe();
    return ReadBytes(path);
}

CTempDir::CTempDir()
{
    static std::atomic<unsigned> nCounter{0};
    std::random_device random;
    const std::string strName =
        "tavelo-skn-test-" + std::to_string(random()) + "-" + std::to_string(nCounter++);
    m_path = std::filesystem::temp_directory_path() / strName;
    std::filesystem::create_directories(m_path);
}

CTempDir::~CTempDir()
{
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
}

ToolResult RunTool(const std::vector<std::string>& args, const CTempDir& dir)
{
    const std::filesystem::path outPath = dir / "tool-stdout.txt";
    const std::filesystem::path errPath = dir / "tool-stderr.txt";
    std::string strCommand = Quote(TAVELO_SKN_EXE);
    for (const std::string& arg : args) {
        strCommand += ' ' + Quote(arg);
    }
    strCommand += " > " + Quote(outPath.string()) + " 2> " + Quote(errPath.string());
#ifdef _WIN32
    strCommand = '"' + strCommand + '"'; // cmd /c strips one pair of quotes
#endif
    const int nStatus = std::system(strCommand.c_str());

    ToolResult result;
#ifdef _WIN32
    result.nExit = nStatus;
#else
    result.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
#endif
    result.strOut = ReadText(outPath);
    result.strErr = ReadText(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return result;
}
