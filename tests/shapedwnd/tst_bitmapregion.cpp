// The region builder over real pixels, both scans, and the bitmaps it meets through CreateDDB.

#include "bitmapregion.h"
#include "bitmaps.h"
#include "dibimage.h"

#include <QImage>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

std::uint32_t Pixel(int r, int g, int b)
{
    return 0xFF000000u | (static_cast<std::uint32_t>(r) << 16) |
           (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
}

// Rows of pixels in the builder's layout, stride possibly wider than the rows.
struct Pixels
{
    int nWidth = 0;
    int nHeight = 0;
    std::ptrdiff_t nStride = 0;
    std::vector<std::uint32_t> data;

    Pixels(int w, int h, std::uint32_t nFill, int nPadding = 0)
        : nWidth(w), nHeight(h), nStride(w + nPadding),
          data(static_cast<std::size_t>(nStride * h), nFill)
    {
    }
    std::uint32_t& At(int x, int y) { return data[static_cast<std::size_t>(y * nStride + x)]; }
    PixelRows Rows() const { return {data.data(), nStride, nWidth, nHeight}; }
};

const RegionScan kScans[] = {RegionScan::Best, RegionScan::Portable};

RegionRuns Scan(const Pixels& pixels, COLORREF crKey, RegionScan scan,
                COLORREF crTolerance = REGION_TOLERANCE)
{
    const std::optional<RegionRuns> runs = ScanRuns(pixels.Rows(), crKey, crTolerance, scan);
    EXPECT_TRUE(runs.has_value());
    return runs.value_or(RegionRuns{});
}

// The shape pixel by pixel, the slow and obvious way.
QRegion ReferenceRegion(Pixels& pixels, COLORREF crKey)
{
    QRegion region;
    for (int y = 0; y < pixels.nHeight; ++y) {
        for (int x = 0; x < pixels.nWidth; ++x) {
            if (!IsTransparentPixel(pixels.At(x, y), crKey, REGION_TOLERANCE)) {
                region += QRect(x, y, 1, 1);
            }
        }
    }
    return region;
}

TEST(BitmapRegion, NoTransparentPixelGivesOneFullRowPerRow)
{
    for (const RegionScan scan : kScans) {
        const Pixels pixels(150, 7, Pixel(10, 200, 30));
        const RegionRuns runs = Scan(pixels, kMagenta, scan);
        ASSERT_EQ(runs.rects.size(), 7u);
        for (int y = 0; y < 7; ++y) {
            EXPECT_EQ(runs.rects[static_cast<std::size_t>(y)], QRect(0, y, 150, 1));
        }
        EXPECT_EQ(runs.batches, std::vector<std::size_t>{7});
    }
}

TEST(BitmapRegion, AllTransparentGivesOneEmptyBatchAndAnEmptyRegion)
{
    for (const RegionScan scan : kScans) {
        // Every pixel differs from the key but lies within the window.
        const Pixels pixels(100, 5, Pixel(255, 16, 255));
        const RegionRuns runs = Scan(pixels, kMagenta, scan);
        EXPECT_TRUE(runs.rects.empty());
        EXPECT_EQ(runs.batches, std::vector<std::size_t>{0});
        EXPECT_TRUE(RegionFromRuns(runs).isEmpty());
    }
}

struct ToleranceCase
{
    const char* name;
    COLORREF crKey;
    COLORREF crTolerance;
    int r, g, b;
    bool bTransparent;
};

TEST(BitmapRegion, ChannelWindowsReachOnlyUpwardsAndStopAt255)
{
    const ToleranceCase cases[] = {
        {"black key, grey 16 inside", RGB(0, 0, 0), REGION_TOLERANCE, 16, 16, 16, true},
        {"black key, red 17 outside", RGB(0, 0, 0), REGION_TOLERANCE, 17, 0, 0, false},
        {"black key, blue 17 outside", RGB(0, 0, 0), REGION_TOLERANCE, 0, 0, 17, false},
        {"red key, 250 below", RGB(255, 0, 0), REGION_TOLERANCE, 250, 0, 0, false},
        {"red key, green 16 inside", RGB(255, 0, 0), REGION_TOLERANCE, 255, 16, 0, true},
        {"one below the key", RGB(100, 100, 100), REGION_TOLERANCE, 100, 99, 100, false},
        {"key itself", RGB(100, 100, 100), REGION_TOLERANCE, 100, 100, 100, true},
        {"window capped at 255", RGB(250, 250, 250), REGION_TOLERANCE, 255, 255, 255, true},
        {"no tolerance, exact only", RGB(7, 8, 9), 0, 7, 8, 10, false},
        {"tolerance per channel", RGB(0, 0, 0), RGB(0, 40, 0), 0, 40, 0, true},
        {"tolerance per channel, other channel", RGB(0, 0, 0), RGB(0, 40, 0), 1, 0, 0, false},
    };
    for (const ToleranceCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsTransparentPixel(Pixel(c.r, c.g, c.b), c.crKey, c.crTolerance), c.bTransparent);
        // Through the scan as well: a row long enough for the vector path and a tail; the
        // unused fourth byte must not matter.
        Pixels pixels(70, 1, Pixel(c.r, c.g, c.b) & 0x00FFFFFFu);
        for (const RegionScan scan : kScans) {
            const RegionRuns runs = Scan(pixels, c.crKey, scan, c.crTolerance);
            EXPECT_EQ(runs.rects.empty(), c.bTransparent);
        }
    }
}

// A row of nRuns single opaque pixels, each followed by a transparent one.
Pixels AlternatingRow(int nRuns)
{
    Pixels pixels(2 * nRuns, 1, Pixel(255, 0, 255));
    for (int n = 0; n < nRuns; ++n) {
        pixels.At(2 * n, 0) = Pixel(0, 0, 0);
    }
    return pixels;
}

TEST(BitmapRegion, BatchesCloseAtTheLimitAndAFinalBatchAlwaysFollows)
{
    struct Case
    {
        int nRuns;
        std::vector<std::size_t> batches;
    };
    const Case cases[] = {
        {1999, {1999}},
        {2000, {2000, 0}},
        {2001, {2000, 1}},
        {4000, {2000, 2000, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nRuns);
        Pixels pixels = AlternatingRow(c.nRuns);
        for (const RegionScan scan : kScans) {
            const RegionRuns runs = Scan(pixels, kMagenta, scan);
            EXPECT_EQ(runs.batches, c.batches);
            EXPECT_EQ(runs.rects.size(), static_cast<std::size_t>(c.nRuns));
            EXPECT_TRUE(RegionFromRuns(runs).xored(ReferenceRegion(pixels, kMagenta)).isEmpty());
        }
    }
}

TEST(BitmapRegion, RunsTouchTheEdgesAndOneTransparentPixelSplitsARun)
{
    struct Case
    {
        int nWidth;
        std::vector<int> transparent;
        std::vector<QRect> expected;
    };
    const Case cases[] = {
        {5, {2, 3}, {QRect(0, 0, 2, 1), QRect(4, 0, 1, 1)}},
        {130, {64}, {QRect(0, 0, 64, 1), QRect(65, 0, 65, 1)}},
        {130, {63}, {QRect(0, 0, 63, 1), QRect(64, 0, 66, 1)}},
        {130, {65}, {QRect(0, 0, 65, 1), QRect(66, 0, 64, 1)}},
        {128, {0, 127}, {QRect(1, 0, 126, 1)}},
        {64, {}, {QRect(0, 0, 64, 1)}},
        {1, {}, {QRect(0, 0, 1, 1)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nWidth);
        Pixels pixels(c.nWidth, 1, Pixel(1, 2, 3));
        for (const int x : c.transparent) {
            pixels.At(x, 0) = Pixel(255, 0, 255);
        }
        for (const RegionScan scan : kScans) {
            EXPECT_EQ(Scan(pixels, kMagenta, scan).rects, c.expected);
        }
    }
}

TEST(BitmapRegion, BothScansAgreeWithThePixelsOnRandomImages)
{
    std::mt19937 random(20240501);
    // Colours at and around the edges of the window, so every comparison is exercised.
    const std::uint32_t palette[] = {Pixel(255, 0, 255), Pixel(255, 16, 255), Pixel(255, 17, 255),
                                     Pixel(254, 0, 255), Pixel(255, 0, 239),  Pixel(0, 0, 0),
                                     0x00FF00FFu};
    for (const int nWidth : {1, 3, 63, 64, 65, 129, 200}) {
        SCOPED_TRACE(nWidth);
        Pixels pixels(nWidth, 9, 0, 5);
        for (int y = 0; y < pixels.nHeight; ++y) {
            for (int x = 0; x < nWidth; ++x) {
                pixels.At(x, y) = palette[random() % std::size(palette)];
            }
        }
        const RegionRuns best = Scan(pixels, kMagenta, RegionScan::Best);
        EXPECT_EQ(best.rects, Scan(pixels, kMagenta, RegionScan::Portable).rects);
        EXPECT_TRUE(RegionFromRuns(best).xored(ReferenceRegion(pixels, kMagenta)).isEmpty());
    }
}

// Bitmaps of other depths are compared through the colours they display once decoded.
TEST(BitmapRegion, PaletteAndSixteenBitImagesCompareDisplayedColours)
{
    struct Case
    {
        const char* name;
        BmpLayout layout;
        COLORREF crKey;
        QRegion expected;
    };
    BmpLayout indexed;
    indexed.width = 4;
    indexed.height = 1;
    indexed.bitCount = 8;
    indexed.clrUsed = 3;
    // Blue, green, red, 0: the key, a colour 8 above it in green, black.
    indexed.table = {255, 0, 255, 0, 255, 8, 255, 0, 0, 0, 0, 0};
    indexed.bits = {0, 2, 1, 2};

    // 5-5-5 words, each 5-bit value widened by repeating its bits: full red and blue show as 255;
    // green 2 shows as 16, green 3 as 24.
    BmpLayout sixteen;
    sixteen.width = 4;
    sixteen.height = 1;
    sixteen.bitCount = 16;
    sixteen.bits = {0x1F, 0x7C, 0x5F, 0x7C, 0x7F, 0x7C, 0x1F, 0x7C};

    const Case cases[] = {
        {"8-bit palette", indexed, kMagenta, QRegion(1, 0, 1, 1) + QRegion(3, 0, 1, 1)},
        {"16-bit", sixteen, RGB(248, 0, 248), QRegion(2, 0, 1, 1)},
        {"16-bit against the 24-bit key", sixteen, kMagenta, QRegion(2, 0, 1, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<CDib> pDib = DibFromBytes(MakeBmp(c.layout));
        ASSERT_NE(pDib, nullptr);
        const QImage image = CreateDDB(*pDib);
        ASSERT_FALSE(image.isNull());
        const std::optional<QRegion> region = MakeRegion(image, c.crKey, REGION_TOLERANCE);
        ASSERT_TRUE(region.has_value());
        EXPECT_TRUE(region->xored(c.expected).isEmpty());
    }
}

TEST(BitmapRegion, ImagesOfOtherFormatsAndNoImage)
{
    EXPECT_FALSE(MakeRegion(QImage(), kMagenta, REGION_TOLERANCE).has_value());

    QImage image(3, 2, QImage::Format_RGB888);
    image.fill(QColor(255, 0, 255));
    image.setPixelColor(1, 1, QColor(10, 10, 10));
    const QImage before = image;
    const std::optional<QRegion> region = MakeRegion(image, kMagenta, REGION_TOLERANCE);
    ASSERT_TRUE(region.has_value());
    EXPECT_TRUE(region->xored(QRegion(1, 1, 1, 1)).isEmpty());
    EXPECT_EQ(image, before);
}

} // namespace
