// Every file of the third-party BMP suite: good ones read, questionable ones read or are refused,
// bad ones never crash or allocate beyond their size, and whatever reads survives a round trip.

#include "bitmaps.h"
#include "bytestream.h"
#include "dib.h"
#include "files.h"
#include "skin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

const std::filesystem::path kSuite = TAVELO_BMPSUITE_DIR;

std::vector<std::filesystem::path> FilesIn(const char* pszFolder)
{
    std::vector<std::filesystem::path> files;
    const std::filesystem::path folder = kSuite / pszFolder;
    if (std::filesystem::is_directory(folder)) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() == ".bmp") {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::unique_ptr<CDib> ReadFile(const std::filesystem::path& path)
{
    std::unique_ptr<CDib> pDib;
    CSkin::ReadImageFile(pDib, path);
    return pDib;
}

// Read, write, read: the second reading equals the first, header, colours and pixels.
void ExpectRoundTrip(const CDib& dib)
{
    const std::vector<std::uint8_t> chunk = dib.GetChunk();
    ASSERT_EQ(chunk.size(), dib.GetChunkSize());
    const std::unique_ptr<CDib> pAgain = DibFromBytes(chunk);
    ASSERT_NE(pAgain, nullptr);
    EXPECT_EQ(pAgain->GetWidth(), dib.GetWidth());
    EXPECT_EQ(pAgain->GetHeight(), dib.GetHeight());
    EXPECT_EQ(pAgain->IsTopDown(), dib.IsTopDown());
    EXPECT_EQ(pAgain->GetBitCount(), dib.GetBitCount());
    EXPECT_EQ(pAgain->GetCompression(), dib.GetCompression());
    EXPECT_TRUE(std::ranges::equal(pAgain->GetColorTable(), dib.GetColorTable()));
    EXPECT_TRUE(std::ranges::equal(pAgain->GetBits(), dib.GetBits()));
    EXPECT_EQ(pAgain->GetChunk(), chunk);
}

} // namespace

TEST(BmpSuite, GoodFilesRead)
{
    const std::vector<std::filesystem::path> files = FilesIn("g");
    ASSERT_GE(files.size(), 27u) << "the BMP suite is missing under " << kSuite;
    for (const std::filesystem::path& path : files) {
        SCOPED_TRACE(path.filename().string());
        const std::unique_ptr<CDib> pDib = ReadFile(path);
        ASSERT_NE(pDib, nullptr);
        EXPECT_GT(pDib->GetWidth(), 0);
        EXPECT_GT(pDib->GetHeight(), 0);
        ExpectRoundTrip(*pDib);
    }
}

TEST(BmpSuite, QuestionableFilesReadOrAreRefusedCleanly)
{
    const std::vector<std::filesystem::path> files = FilesIn("q");
    ASSERT_GE(files.size(), 40u);
    // Pixel data that is another image format, and compressions only OS/2 knew.
    const std::set<std::string> mustRefuse = {"rgb24jpeg.bmp", "rgb24png.bmp", "pal1huffmsb.bmp",
                                              "rgb24rle24.bmp"};
    for (const std::filesystem::path& path : files) {
        SCOPED_TRACE(path.filename().string());
        const std::unique_ptr<CDib> pDib = ReadFile(path);
        if (mustRefuse.contains(path.filename().string())) {
            EXPECT_EQ(pDib, nullptr);
        }
        if (pDib) {
            ExpectRoundTrip(*pDib);
        }
    }
}

TEST(BmpSuite, BadFilesNeverHoldMoreThanTheyBring)
{
    const std::vector<std::filesystem::path> files = FilesIn("b");
    ASSERT_GE(files.size(), 20u);
    for (const std::filesystem::path& path : files) {
        SCOPED_TRACE(path.filename().string());
        const std::unique_ptr<CDib> pDib = ReadFile(path);
        if (pDib) {
            EXPECT_LE(pDib->GetChunkSize(), std::filesystem::file_size(path) + 1024);
            ExpectRoundTrip(*pDib);
        }
    }
    // An image size that a bitmap without compression does not need is recomputed, not trusted.
    const std::unique_ptr<CDib> pBadSize = ReadFile(kSuite / "b" / "badbitssize.bmp");
    ASSERT_NE(pBadSize, nullptr);
    EXPECT_EQ(GetLE32(pBadSize->GetChunk(), 34), pBadSize->GetPixelDataSize());
    // Claims no reader could honour.
    for (const char* pszName :
         {"badbitcount.bmp", "badfilesize.bmp", "badheadersize.bmp", "badpalettesize.bmp",
          "badplanes.bmp", "badwidth.bmp", "reallybig.bmp", "rletopdown.bmp", "shortfile.bmp",
          "rgb16-880.bmp"}) {
        SCOPED_TRACE(pszName);
        EXPECT_EQ(ReadFile(kSuite / "b" / pszName), nullptr);
    }
}

TEST(BmpSuite, OtherHeaderFormsGiveTheSamePixelsAsTheFortyByteOne)
{
    const std::unique_ptr<CDib> pReference = ReadFile(kSuite / "g" / "pal8.bmp");
    ASSERT_NE(pReference, nullptr);
    for (const char* pszName : {"pal8v4.bmp", "pal8v5.bmp", "pal8os2.bmp"}) {
        SCOPED_TRACE(pszName);
        const std::unique_ptr<CDib> pDib = ReadFile(kSuite / "g" / pszName);
        ASSERT_NE(pDib, nullptr);
        EXPECT_EQ(pDib->GetInfoHeader().biSize, 40u);
        EXPECT_TRUE(std::ranges::equal(pDib->GetBits(), pReference->GetBits()));
        // The palettes agree on every colour the reference has.
        const std::span<const std::uint8_t> reference = pReference->GetColorTable();
        const std::span<const std::uint8_t> table = pDib->GetColorTable();
        ASSERT_GE(table.size(), reference.size());
        EXPECT_TRUE(std::ranges::equal(table.first(reference.size()), reference));
    }
}
