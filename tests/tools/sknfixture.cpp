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

LOGFONT MakeFont(const char* pszFace, LONG nHeight)
{
    LOGFONT lf;
    SetFaceName(lf, pszFace);
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

std::unique_ptr<CDib> MakeDib(const BmpLayout& layout)
{
    std::unique_ptr<CDib> pDib = DibFromBytes(MakeBmp(layout));
    EXPECT_NE(pDib, nullptr);
    return pDib;
}

BmpLayout Rgb24(std::int32_t nWidth, std::int32_t nHeight)
{
    BmpLayout layout;
    layout.width = nWidth;
    layout.height = nHeight;
    const std::size_t nStride = ((24 * static_cast<std::size_t>(nWidth) + 31) / 32) * 4;
    for (std::size_t n = 0; n < nStride * static_cast<std::size_t>(nHeight); ++n) {
        layout.bits.push_back(static_cast<std::uint8_t>(n * 37 + 11));
    }
    layout.sizeImage = static_cast<DWORD>(layout.bits.size());
    return layout;
}

BmpLayout Indexed8(std::int32_t nWidth, std::int32_t nHeight)
{
    BmpLayout layout;
    layout.width = nWidth;
    layout.height = nHeight;
    layout.bitCount = 8;
    layout.clrUsed = 2;
    layout.table = {0xFF, 0x00, 0xFF, 0x00, 0x10, 0x20, 0x30, 0x00};
    const std::size_t nStride = (static_cast<std::size_t>(nWidth) + 3) / 4 * 4;
    for (std::size_t n = 0; n < nStride * static_cast<std::size_t>(nHeight); ++n) {
        layout.bits.push_back(static_cast<std::uint8_t>(n % 2));
    }
    layout.sizeImage = static_cast<DWORD>(layout.bits.size());
    return layout;
}

BmpLayout Rle8()
{
    BmpLayout layout = Indexed8(4, 2);
    layout.compression = BI_RLE8;
    // Four pixels of colour 1, end of line; four of colour 0, end of bitmap.
    layout.bits = {4, 1, 0, 0, 4, 0, 0, 1};
    layout.sizeImage = static_cast<DWORD>(layout.bits.size());
    return layout;
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

std::string ReadText(const std::filesystem::path& path)
{
    const Bytes bytes = ReadBytesFrom(path);
    return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    WriteBytesTo(path, Bytes(text.begin(), text.end()));
}

Bytes SaveSkin(CSkin& skin, const std::filesystem::path& path)
{
    CSkinFileStatus status;
    EXPECT_TRUE(skin.Save(path, &status, FileSync::None)) << status.Describe();
    return ReadBytesFrom(path);
}

ToolResult RunTool(const std::vector<std::string>& args, const TempDir& dir)
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
