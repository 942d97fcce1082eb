// Any pixels, key and tolerance: the vector and the plain scans give the same runs, every run
// holds exactly the opaque pixels between transparent ones, batches add up, and the region covers
// the runs. Inputs that start with "BM" go through the bitmap reader and Qt's decoder first.

#include "bitmapregion.h"
#include "bytestream.h"
#include "dib.h"
#include "dibimage.h"

#include <QImage>

#include <cstdlib>
#include <cstring>
#include <numeric>

namespace {

void Require(bool bHolds)
{
    if (!bHolds) {
        std::abort();
    }
}

void CheckRuns(const PixelRows& pixels, COLORREF crKey, COLORREF crTolerance)
{
    const std::optional<RegionRuns> best = ScanRuns(pixels, crKey, crTolerance, RegionScan::Best);
    const std::optional<RegionRuns> plain =
        ScanRuns(pixels, crKey, crTolerance, RegionScan::Portable);
    Require(best && plain && best->rects == plain->rects && best->batches == plain->batches);

    // The oracle: walk every pixel and rebuild the runs one by one.
    std::size_t nRun = 0;
    for (int y = 0; y < pixels.nHeight; ++y) {
        const std::uint32_t* pRow = pixels.pFirst + y * pixels.nStride;
        for (int x = 0; x < pixels.nWidth;) {
            if (IsTransparentPixel(pRow[x], crKey, crTolerance)) {
                ++x;
                continue;
            }
            int xEnd = x;
            while (xEnd < pixels.nWidth && !IsTransparentPixel(pRow[xEnd], crKey, crTolerance)) {
                ++xEnd;
            }
            Require(nRun < best->rects.size() && best->rects[nRun] == QRect(x, y, xEnd - x, 1));
            ++nRun;
            x = xEnd;
        }
    }
    Require(nRun == best->rects.size());
    Require(!best->batches.empty() &&
            std::accumulate(best->batches.begin(), best->batches.end(), std::size_t{0}) == nRun);
    for (const std::size_t nBatch : best->batches) {
        Require(nBatch <= REGION_BATCH_LIMIT);
    }

    const QRegion region = RegionFromRuns(*best);
    std::size_t nArea = 0;
    for (const QRect& rc : region) {
        nArea += static_cast<std::size_t>(rc.width()) * static_cast<std::size_t>(rc.height());
    }
    std::size_t nRunArea = 0;
    for (const QRect& rc : best->rects) {
        nRunArea += static_cast<std::size_t>(rc.width());
    }
    Require(nArea == nRunArea);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize >= 2 && pData[0] == 'B' && pData[1] == 'M') {
        CDib dib;
        CMemorySource source(std::span<const std::uint8_t>(pData, nSize));
        if (dib.Read(source) == 0) {
            return 0;
        }
        const QImage image = CreateDDB(dib);
        if (image.isNull() || image.width() > 512 || image.height() > 512) {
            return 0;
        }
        const auto* pFirst = reinterpret_cast<const std::uint32_t*>(image.constBits());
        const COLORREF crKey = RGB(static_cast<BYTE>(qRed(image.pixel(0, 0))),
                                   static_cast<BYTE>(qGreen(image.pixel(0, 0))),
                                   static_cast<BYTE>(qBlue(image.pixel(0, 0))));
        CheckRuns({pFirst, image.bytesPerLine() / 4, image.width(), image.height()}, crKey,
                  REGION_TOLERANCE);
        return 0;
    }

    // Raw form: width, height, key (3 bytes), tolerance (3 bytes), then pixels, cycled.
    if (nSize < 9) {
        return 0;
    }
    const int nWidth = 1 + pData[0] % 160;
    const int nHeight = 1 + pData[1] % 40;
    const COLORREF crKey = RGB(pData[2], pData[3], pData[4]);
    const COLORREF crTolerance = RGB(pData[5], pData[6], pData[7]);
    const std::size_t nPixelBytes = nSize - 8;
    // A stride wider than the row shows that nothing reads past a row's end into the next.
    const int nStride = nWidth + (pData[0] & 3);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(nStride) * nHeight);
    for (std::size_t n = 0; n < pixels.size(); ++n) {
        std::uint32_t nPixel = 0;
        for (std::size_t b = 0; b < 4; ++b) {
            nPixel |= std::uint32_t{pData[8 + (4 * n + b) % nPixelBytes]} << (8 * b);
        }
        pixels[n] = nPixel;
    }
    CheckRuns({pixels.data(), nStride, nWidth, nHeight}, crKey, crTolerance);
    return 0;
}
