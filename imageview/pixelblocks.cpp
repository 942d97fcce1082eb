#include "pixelblocks.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr QRgb GRID_FLIP = 0x00808080U;

void FlipGrid(QRgb& rgb)
{
    if (qAlpha(rgb) != 0) {
        rgb ^= GRID_FLIP;
    }
}

bool Prepare(QImage& scaled, int nWidth, int nHeight, QImage::Format format)
{
    if (scaled.width() != nWidth || scaled.height() != nHeight || scaled.format() != format) {
        scaled = QImage(nWidth, nHeight, format);
    }
    return !scaled.isNull();
}

bool Enlarge(const QImage& image, const QRect& rcSource, int nScale, bool bGrid, QImage& scaled)
{
    if (!Prepare(scaled, rcSource.width() * nScale, rcSource.height() * nScale, image.format())) {
        return false;
    }
    const auto nRowBytes = static_cast<std::size_t>(scaled.width()) * sizeof(QRgb);
    for (int y = 0; y < rcSource.height(); ++y) {
        const auto* pSource =
            reinterpret_cast<const QRgb*>(image.constScanLine(rcSource.top() + y)) +
            rcSource.left();
        auto* pFirst = reinterpret_cast<QRgb*>(scaled.scanLine(y * nScale));
        for (int x = 0; x < rcSource.width(); ++x) {
            std::fill_n(pFirst + static_cast<std::ptrdiff_t>(x) * nScale, nScale, pSource[x]);
        }
        if (bGrid) {
            for (int x = 0; x < scaled.width(); x += nScale) {
                FlipGrid(pFirst[x]);
            }
        }
        for (int k = 1; k < nScale; ++k) {
            std::memcpy(scaled.scanLine(y * nScale + k), pFirst, nRowBytes);
        }
        if (bGrid) {
            for (int x = 0; x < scaled.width(); ++x) {
                if (x % nScale != 0) {
                    FlipGrid(pFirst[x]);
                }
            }
        }
    }
    return true;
}

bool Reduce(const QImage& image, const QRect& rcSource, double dScale, QImage& scaled)
{
    const int nWidth = std::max(1, static_cast<int>(std::ceil(rcSource.width() * dScale)));
    const int nHeight = std::max(1, static_cast<int>(std::ceil(rcSource.height() * dScale)));
    if (!Prepare(scaled, nWidth, nHeight, image.format())) {
        return false;
    }
    const auto SourceOf = [dScale](int n, int nLimit) {
        return std::min(nLimit - 1, static_cast<int>(n / dScale));
    };
    std::vector<int> arColumns(static_cast<std::size_t>(nWidth));
    for (int x = 0; x < nWidth; ++x) {
        arColumns[static_cast<std::size_t>(x)] = rcSource.left() + SourceOf(x, rcSource.width());
    }
    for (int y = 0; y < nHeight; ++y) {
        const auto* pSource = reinterpret_cast<const QRgb*>(
            image.constScanLine(rcSource.top() + SourceOf(y, rcSource.height())));
        auto* pTarget = reinterpret_cast<QRgb*>(scaled.scanLine(y));
        for (int x = 0; x < nWidth; ++x) {
            pTarget[x] = pSource[arColumns[static_cast<std::size_t>(x)]];
        }
    }
    return true;
}

} // namespace

bool ScaleToBlocks(const QImage& image, const QRect& rcSource, double dDeviceScale, bool bGrid,
                   QImage& scaled)
{
    const QRect rc = rcSource & image.rect();
    if (rc.isEmpty() || image.depth() != 32) {
        return false;
    }
    if (dDeviceScale >= 1.0) {
        return Enlarge(image, rc, static_cast<int>(std::lround(dDeviceScale)), bGrid, scaled);
    }
    return Reduce(image, rc, dDeviceScale, scaled);
}
