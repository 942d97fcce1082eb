#include "pixelblocks.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr QRgb GRID_FLIP = 0x00808080U;

void FlipGrid(QRgb& rgb)
{
    if (qAlpha(rgb) != 0) {
        rgb ^= GRID_FLIP;
    }
}

QImage Enlarge(const QImage& image, const QRect& rcSource, int nScale, bool bGrid)
{
    QImage scaled(rcSource.width() * nScale, rcSource.height() * nScale, image.format());
    if (scaled.isNull()) {
        return scaled;
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
    return scaled;
}

QImage Reduce(const QImage& image, const QRect& rcSource, double dScale)
{
    const int nWidth = std::max(1, static_cast<int>(std::ceil(rcSource.width() * dScale)));
    const int nHeight = std::max(1, static_cast<int>(std::ceil(rcSource.height() * dScale)));
    QImage scaled(nWidth, nHeight, image.format());
    if (scaled.isNull()) {
        return scaled;
    }
    const auto SourceOf = [dScale](int n, int nLimit) {
        return std::min(nLimit - 1, static_cast<int>(n / dScale));
    };
    for (int y = 0; y < nHeight; ++y) {
        const auto* pSource = reinterpret_cast<const QRgb*>(image.constScanLine(
                                  rcSource.top() + SourceOf(y, rcSource.height()))) +
                              rcSource.left();
        auto* pTarget = reinterpret_cast<QRgb*>(scaled.scanLine(y));
        for (int x = 0; x < nWidth; ++x) {
            pTarget[x] = pSource[SourceOf(x, rcSource.width())];
        }
    }
    return scaled;
}

} // namespace

QImage ScaleToBlocks(const QImage& image, const QRect& rcSource, double dDeviceScale, bool bGrid)
{
    const QRect rc = rcSource & image.rect();
    if (rc.isEmpty() || image.depth() != 32) {
        return QImage();
    }
    if (dDeviceScale >= 1.0) {
        return Enlarge(image, rc, static_cast<int>(std::lround(dDeviceScale)), bGrid);
    }
    return Reduce(image, rc, dDeviceScale);
}
