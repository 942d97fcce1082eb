#include "bitmaps.h"
#include "bytestream.h"
#include "dib.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

std::vector<std::uint8_t> Table(std::size_t nEntries)
{
    std::vector<std::uint8_t> table;
    for (std::size_t n = 0; n < nEntries; ++n) {
        table.insert(table.end(), {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(2 * n),
                                   static_cast<std::uint8_t>(255 - n), 0});
    }
    return table;
}

std::vector<std::uint8_t> Masks(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    std::vector<std::uint8_t> masks(12);
    PutLE32(masks, 0, r);
    PutLE32(masks, 4, g);
    PutLE32(masks, 8, b);
    return masks;
}

void PutLE16(std::vector<std::uint8_t>& bytes, std::size_t nOffset, std::uint16_t n)
{
    bytes.at(nOffset) = static_cast<std::uint8_t>(n & 0xFF);
    bytes.at(nOffset + 1) = static_cast<std::uint8_t>(n >> 8);
}

// An 8-bit bitmap with a header of another form: the 40 header fields where that form has them,
// masks and colour entries as that form lays them out.
std::vector<std::uint8_t> Convertible8Bit(std::uint32_t nHeaderSize, std::size_t nEntries)
{
    const std::size_t nEntrySize = nHeaderSize == 12 ? 3 : 4;
    const std::vector<std::uint8_t> bits = {1, 2, 3, 0, 4, 5, 6, 0}; // 3 x 2, stride 4
    std::vector<std::uint8_t> out(14 + nHeaderSize + nEntrySize * nEntries, 0);
    out[0] = 'B';
    out[1] = 'M';
    PutLE32(out, 2, static_cast<std::uint32_t>(out.size() + bits.size()));
    PutLE32(out, 10, static_cast<std::uint32_t>(out.size()));
    PutLE32(out, 14, nHeaderSize);
    if (nHeaderSize == 12) {
        PutLE16(out, 18, 3);
        PutLE16(out, 20, 2);
        PutLE16(out, 22, 1);
        PutLE16(out, 24, 8);
    } else {
        PutLE32(out, 18, 3);
        PutLE32(out, 22, 2);
        PutLE16(out, 26, 1);
        PutLE16(out, 28, 8);
        if (nHeaderSize >= 40) {
            PutLE32(out, 46, static_cast<std::uint32_t>(nEntries));
        }
    }
    for (std::size_t n = 0; n < nEntries; ++n) {
        const std::size_t i = 14 + nHeaderSize + nEntrySize * n;
        out[i] = static_cast<std::uint8_t>(n);
        out[i + 1] = 0x40;
        out[i + 2] = 0x80;
    }
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

} // namespace

TEST(Dib, FactsAndChunkSizesFollowTheHeader)
{
    struct Row
    {
        const char* pszName;
        BmpLayout layout;
        DWORD nStride;
        WORD nColours;
        DWORD nChunk;
    };
    const std::vector<Row> rows = {
        {"1x1 24-bit", {.width = 1, .height = 1}, 4, 0, 58},
        {"24-bit", {.width = 5, .height = 3}, 16, 0, 54 + 16 * 3},
        {"8-bit, all 256 colours",
         {.width = 2, .height = 2, .bitCount = 8, .table = Table(256)},
         4,
         256,
         54 + 1024 + 8},
        {"8-bit, 20 colours used",
         {.width = 2, .height = 2, .bitCount = 8, .clrUsed = 20, .table = Table(20)},
         4,
         20,
         54 + 80 + 8},
        {"3 pixels of 4 bits",
         {.width = 3, .height = 1, .bitCount = 4, .table = Table(16)},
         4,
         16,
         54 + 64 + 4},
        {"33 pixels of 1 bit",
         {.width = 33, .height = 2, .bitCount = 1, .table = Table(2)},
         8,
         2,
         54 + 8 + 16},
        {"32-bit", {.width = 3, .height = 2, .bitCount = 32}, 12, 0, 54 + 24},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszName);
        const std::vector<std::uint8_t> bytes = MakeBmp(row.layout);
        CDib dib;
        CMemorySource source(bytes);
        ASSERT_EQ(dib.Read(source), bytes.size());
        EXPECT_EQ(dib.GetWidth(), row.layout.width);
        EXPECT_EQ(dib.GetHeight(), row.layout.height);
        EXPECT_EQ(dib.GetStride(), row.nStride);
        EXPECT_EQ(dib.GetColorCount(), row.nColours);
        EXPECT_EQ(dib.GetColorTableSize(), 4 * row.nColours);
        EXPECT_EQ(dib.GetChunkSize(), row.nChunk);
        ASSERT_EQ(dib.GetPalette() != nullptr, row.nColours != 0);
        EXPECT_TRUE(dib.CreatePalette());
        if (row.nColours != 0) {
            const std::vector<PALETTEENTRY>& palette = *dib.GetPalette();
            ASSERT_EQ(palette.size(), row.nColours);
            EXPECT_EQ(palette[1], (PALETTEENTRY{254, 2, 1, 0}));
        }

        CMemorySink sink;
        EXPECT_EQ(dib.Write(sink), row.nChunk);
        const std::vector<std::uint8_t>& written = sink.GetBytes();
        ASSERT_EQ(written.size(), row.nChunk);
        EXPECT_EQ(GetLE32(written, 2), row.nChunk);
        EXPECT_EQ(GetLE32(written, 10), 54u + 4 * row.nColours);
        // biSizeImage is set to the pixel rows' size on writing.
        EXPECT_EQ(GetLE32(written, 34), row.nStride * static_cast<DWORD>(row.layout.height));
        std::vector<std::uint8_t> expected = bytes;
        PutLE32(expected, 34, row.nStride * static_cast<DWORD>(row.layout.height));
        EXPECT_EQ(written, expected);
    }
}

TEST(Dib, RunLengthBitmapsKeepTheirEncodedBytes)
{
    // 4 x 2, RLE8: a run of 4 fives, end of line, 4 sixes, end of bitmap.
    const std::vector<std::uint8_t> encoded = {4, 5, 0, 0, 4, 6, 0, 1};
    BmpLayout layout{.width = 4,
                     .height = 2,
                     .bitCount = 8,
                     .compression = BI_RLE8,
                     .table = Table(256),
                     .bits = encoded,
                     .sizeImage = 8};
    const std::vector<std::uint8_t> bytes = MakeBmp(layout);
    const std::unique_ptr<CDib> pDib = DibFromBytes(bytes);
    ASSERT_NE(pDib, nullptr);
    EXPECT_EQ(pDib->GetPixelDataSize(), 8u);
    EXPECT_EQ(pDib->GetChunk(), bytes);

    // Bytes after biSizeImage are not part of the image and are not written back.
    layout.bits.insert(layout.bits.end(), {9, 9, 9, 9});
    const std::unique_ptr<CDib> pPadded = DibFromBytes(MakeBmp(layout));
    ASSERT_NE(pPadded, nullptr);
    EXPECT_EQ(pPadded->GetChunk(), bytes);
}

TEST(Dib, TopDownBitmapsKeepTheirOrientation)
{
    BmpLayout layout{.width = 2, .height = -3};
    layout.bits.assign(8 * 3, 0);
    layout.bits[0] = 0xAB;
    const std::vector<std::uint8_t> bytes = MakeBmp(layout);
    const std::unique_ptr<CDib> pDib = DibFromBytes(bytes);
    ASSERT_NE(pDib, nullptr);
    EXPECT_TRUE(pDib->IsTopDown());
    EXPECT_EQ(pDib->GetHeight(), 3);
    EXPECT_EQ(pDib->GetInfoHeader().biHeight, -3);
    std::vector<std::uint8_t> expected = bytes;
    PutLE32(expected, 34, 24);
    EXPECT_EQ(pDib->GetChunk(), expected);
}

TEST(Dib, BitFieldMasksTravelWithTheBitmap)
{
    const BmpLayout layout{.width = 3,
                           .height = 1,
                           .bitCount = 16,
                           .compression = BI_BITFIELDS,
                           .masks = Masks(0xF800, 0x07E0, 0x001F),
                           .sizeImage = 8};
    const std::vector<std::uint8_t> bytes = MakeBmp(layout);
    const std::unique_ptr<CDib> pDib = DibFromBytes(bytes);
    ASSERT_NE(pDib, nullptr);
    EXPECT_EQ(pDib->GetChunkSize(), 14u + 40 + 12 + 8);
    EXPECT_EQ(pDib->GetChunk(), bytes);
}

TEST(Dib, GapBeforeThePixelsIsNotWrittenBack)
{
    std::vector<std::uint8_t> bytes = MakeBmp({.width = 1, .height = 1, .sizeImage = 4});
    const std::vector<std::uint8_t> expected = bytes;
    bytes.insert(bytes.begin() + 54, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE});
    PutLE32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    PutLE32(bytes, 10, 60);
    const std::unique_ptr<CDib> pDib = DibFromBytes(bytes);
    ASSERT_NE(pDib, nullptr);
    EXPECT_EQ(pDib->GetChunk(), expected);
}

TEST(Dib, OtherHeaderFormsAreBroughtIntoTheFortyByteForm)
{
    struct Row
    {
        const char* pszName;
        std::vector<std::uint8_t> bytes;
        WORD nColours;
    };
    const std::vector<Row> rows = {
        {"OS/2 core, full palette", Convertible8Bit(12, 256), 256},
        {"OS/2 core, short palette", Convertible8Bit(12, 7), 7},
        {"OS/2 2.x, 16 bytes", Convertible8Bit(16, 256), 256},
        {"OS/2 2.x, 64 bytes", Convertible8Bit(64, 5), 5},
        {"V4", Convertible8Bit(108, 5), 5},
        {"V5", Convertible8Bit(124, 5), 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszName);
        CDib dib;
        CMemorySource source(row.bytes);
        ASSERT_EQ(dib.Read(source), row.bytes.size());
        EXPECT_EQ(dib.GetWidth(), 3);
        EXPECT_EQ(dib.GetHeight(), 2);
        EXPECT_EQ(dib.GetColorCount(), row.nColours);
        const std::span<const std::uint8_t> table = dib.GetColorTable();
        ASSERT_EQ(table.size(), 4u * row.nColours);
        EXPECT_EQ(table[4 * 3], 3);
        EXPECT_EQ(table[4 * 3 + 1], 0x40);
        EXPECT_EQ(table[4 * 3 + 2], 0x80);
        EXPECT_EQ(table[4 * 3 + 3], 0);

        // The written chunk is self-consistent and reads back to the same bitmap.
        const std::vector<std::uint8_t> chunk = dib.GetChunk();
        EXPECT_EQ(GetLE32(chunk, 14), 40u);
        EXPECT_EQ(GetLE32(chunk, 10), 54u + 4 * row.nColours);
        EXPECT_EQ(GetLE32(chunk, 2), chunk.size());
        const std::unique_ptr<CDib> pAgain = DibFromBytes(chunk);
        ASSERT_NE(pAgain, nullptr);
        EXPECT_EQ(pAgain->GetChunk(), chunk);
        EXPECT_TRUE(std::ranges::equal(pAgain->GetBits(), dib.GetBits()));
    }
}

TEST(Dib, MasksInsideLongHeadersMoveBehindTheFortyBytes)
{
    // A V5 header holds its masks at bytes 40-51 of the header itself.
    std::vector<std::uint8_t> bytes(14 + 124, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLE32(bytes, 10, 14 + 124);
    PutLE32(bytes, 14, 124);
    PutLE32(bytes, 18, 2);
    PutLE32(bytes, 22, 1);
    PutLE16(bytes, 26, 1);
    PutLE16(bytes, 28, 32);
    PutLE32(bytes, 30, BI_BITFIELDS);
    PutLE32(bytes, 54, 0x00FF0000);
    PutLE32(bytes, 58, 0x0000FF00);
    PutLE32(bytes, 62, 0x000000FF);
    PutLE32(bytes, 66, 0xFF000000); // alpha: dropped with the rest of the V5 fields
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6, 7, 8});
    PutLE32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));

    const std::unique_ptr<CDib> pDib = DibFromBytes(bytes);
    ASSERT_NE(pDib, nullptr);
    const std::vector<std::uint8_t> chunk = pDib->GetChunk();
    ASSERT_EQ(chunk.size(), 14u + 40 + 12 + 8);
    EXPECT_EQ(GetLE32(chunk, 10), 66u);
    EXPECT_EQ(GetLE32(chunk, 54), 0x00FF0000u);
    EXPECT_EQ(GetLE32(chunk, 58), 0x0000FF00u);
    EXPECT_EQ(GetLE32(chunk, 62), 0x000000FFu);
    EXPECT_EQ(chunk[66], 1);
}

TEST(Dib, ContradictoryOrUnshowableHeadersAreRefused)
{
    using Patch = std::function<void(std::vector<std::uint8_t>&)>;
    struct Row
    {
        const char* pszName;
        BmpLayout layout;
        Patch patch;
    };
    const BmpLayout rgb{.width = 2, .height = 2};
    const BmpLayout pal4{.width = 2, .height = 2, .bitCount = 4, .table = Table(16)};
    const auto set32 = [](std::size_t nOffset, std::uint32_t n) {
        return [=](std::vector<std::uint8_t>& bytes) { PutLE32(bytes, nOffset, n); };
    };
    const auto set16 = [](std::size_t nOffset, std::uint16_t n) {
        return [=](std::vector<std::uint8_t>& bytes) { PutLE16(bytes, nOffset, n); };
    };
    const std::vector<Row> rows = {
        {"not BM", rgb, [](auto& bytes) { bytes[1] = 'A'; }},
        {"pixel offset inside the file header", rgb, set32(10, 13)},
        {"pixel offset inside the info header", rgb, set32(10, 30)},
        {"total size below the pixel offset", rgb, set32(2, 40)},
        {"total size beyond the data", rgb, set32(2, 0xFFFFFFF0)},
        {"header size matching no form", rgb, set32(14, 66)},
        {"header size beyond the pixel offset", rgb, set32(14, 108)},
        {"planes other than 1", rgb, set16(26, 2)},
        {"bit count 3", rgb, set16(28, 3)},
        {"bit count 2", rgb, set16(28, 2)},
        {"bit count 30000", rgb, set16(28, 30000)},
        {"zero width", rgb, set32(18, 0)},
        {"negative width", rgb, set32(18, static_cast<std::uint32_t>(-2))},
        {"zero height", rgb, set32(22, 0)},
        {"rows beyond the data", rgb, set32(22, 3)},
        {"width beyond the data", rgb, set32(18, 0x7FFFFFFF)},
        {"embedded JPEG", rgb, set32(30, BI_JPEG)},
        {"embedded PNG", rgb, set32(30, BI_PNG)},
        {"alpha bit fields", rgb, set32(30, 6)},
        {"bit fields at 24 bits",
         {.width = 2, .height = 2, .masks = Masks(1, 2, 4)},
         set32(30, BI_BITFIELDS)},
        {"bit fields without masks",
         {.width = 1, .height = 1, .bitCount = 32},
         set32(30, BI_BITFIELDS)},
        {"an empty mask",
         {.width = 1,
          .height = 1,
          .bitCount = 16,
          .compression = BI_BITFIELDS,
          .masks = Masks(0xF800, 0x07E0, 0)},
         nullptr},
        {"a 16-bit mask wider than 16 bits",
         {.width = 1,
          .height = 1,
          .bitCount = 16,
          .compression = BI_BITFIELDS,
          .masks = Masks(0x1F0000, 0x07E0, 0x1F)},
         nullptr},
        {"more colours than 4 bits index", pal4, set32(46, 17)},
        {"more than 256 colours", rgb, set32(46, 257)},
        {"colour count of 305 million", rgb, set32(46, 305402420)},
        {"RLE8 at 4 bits",
         {.width = 2,
          .height = 2,
          .bitCount = 4,
          .compression = BI_RLE8,
          .table = Table(16),
          .bits = {0, 1},
          .sizeImage = 2},
         nullptr},
        {"RLE4 top-down",
         {.width = 2,
          .height = -2,
          .bitCount = 4,
          .compression = BI_RLE4,
          .table = Table(16),
          .bits = {0, 1},
          .sizeImage = 2},
         nullptr},
        {"RLE without an image size",
         {.width = 2,
          .height = 2,
          .bitCount = 8,
          .compression = BI_RLE8,
          .table = Table(256),
          .bits = {0, 1}},
         nullptr},
        {"RLE image size beyond the data",
         {.width = 2,
          .height = 2,
          .bitCount = 8,
          .compression = BI_RLE8,
          .table = Table(256),
          .bits = {0, 1},
          .sizeImage = 3},
         nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszName);
        std::vector<std::uint8_t> bytes = MakeBmp(row.layout);
        if (row.patch) {
            row.patch(bytes);
        }
        CDib dib;
        CMemorySource source(bytes);
        EXPECT_EQ(dib.Read(source), 0u);
        EXPECT_FALSE(dib.HasBitmap());
        EXPECT_EQ(dib.GetChunkSize(), 0u);
    }
}

TEST(Dib, ImagesBeyondThePixelLimitsAreRefusedWithTheReason)
{
    struct Row
    {
        LONG width;
        LONG height;
        bool bWithin;
    };
    const Row rows[] = {
        {DIB_MAX_SIDE, 1024, true},   {4096, 4096, true},  {DIB_MAX_SIDE + 1, 1, false},
        {1, DIB_MAX_SIDE + 1, false}, {4097, 4096, false}, {5793, 5793, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.width) + " x " + std::to_string(row.height));
        // Run-length data declares any size in two bytes: an end of bitmap.
        const std::vector<std::uint8_t> bytes = MakeBmp({.width = row.width,
                                                         .height = row.height,
                                                         .bitCount = 8,
                                                         .compression = BI_RLE8,
                                                         .table = Table(256),
                                                         .bits = {0, 1},
                                                         .sizeImage = 2});
        CDib dib;
        CMemorySource source(bytes);
        EXPECT_EQ(dib.Read(source) != 0, row.bWithin);
        EXPECT_EQ(dib.GetReadError().find("at most 16384 pixels a side and 16777216 pixels") !=
                      std::string::npos,
                  !row.bWithin)
            << dib.GetReadError();
    }
}

TEST(Dib, AFailedReadDropsTheBitmapHeldBefore)
{
    CDib dib;
    const std::vector<std::uint8_t> good = MakeSolidBmp(2, 2, 1, 2, 3);
    CMemorySource first(good);
    ASSERT_NE(dib.Read(first), 0u);

    for (const std::vector<std::uint8_t>& bad :
         {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{'B', 'M', 0, 0},
          std::vector<std::uint8_t>(good.begin(), good.end() - 1)}) {
        CMemorySource source(bad);
        EXPECT_EQ(dib.Read(source), 0u);
        EXPECT_FALSE(dib.HasBitmap());
        EXPECT_EQ(dib.GetPalette(), nullptr);
        EXPECT_EQ(dib.GetWidth(), 0);
        EXPECT_EQ(dib.GetColorCount(), 0);
        EXPECT_FALSE(dib.CreatePalette());
    }

    CMemorySink sink;
    EXPECT_EQ(dib.Write(sink), 0u);
    EXPECT_TRUE(sink.GetBytes().empty());
}

TEST(Dib, ReadsOneChunkAndStopsAtItsEnd)
{
    std::vector<std::uint8_t> bytes = MakeSolidBmp(1, 1, 9, 9, 9);
    const std::size_t nChunk = bytes.size();
    bytes.insert(bytes.end(), {0xAA, 0xBB});
    CMemorySource source(bytes);
    CDib dib;
    EXPECT_EQ(dib.Read(source), nChunk);
    EXPECT_EQ(source.GetPosition(), nChunk);
}
