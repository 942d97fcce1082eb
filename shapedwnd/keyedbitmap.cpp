#include "keyedbitmap.h"

#include "bitmapregion.h"

#include <algorithm>
#include <cstdint>

std::optional<CKeyedBitmap> CKeyedBitmap::FromBitmap(const QImage& bitmap, COLORREF crTransparent,
                                                     COLORREF crTolerance)
{
    if (bitmap.isNull()) {
        return std::nullopt;
    }
    QImage converted;
    const QImage* pSource = &bitmap;
    if (bitmap.format() != QImage::Format_RGB32 && bitmap.format() != QImage::Format_ARGB32) {
        converted = bitmap.convertToFormat(QImage::Format_RGB32);
        if (converted.isNull()) {
            return std::nullopt;
        }
        pSource = &converted;
    }
    const PixelRows pixels{reinterpret_cast<const std::uint32_t*>(pSource->constBits()),
                           pSource->bytesPerLine() / 4, pSource->width(), pSource->height()};
    const std::optional<RegionRuns> runs = ScanRuns(pixels, crTransparent, crTolerance);
    if (!runs) {
        return std::nullopt;
    }
    CKeyedBitmap keyed;
    keyed.m_image = QImage(bitmap.size(), QImage::Format_ARGB32_Premultiplied);
    if (keyed.m_image.isNull()) {
        return std::nullopt;
    }
    keyed.m_image.fill(Qt::transparent);
    // The runs are the opaque pixels, so only they are copied; every copied pixel gets full alpha.
    for (const QRect& run : runs->rects) {
        const std::uint32_t* const pFrom = pixels.pFirst + run.top() * pixels.nStride + run.left();
        auto* const pTo = reinterpret_cast<std::uint32_t*>(keyed.m_image.scanLine(run.top()));
        std::transform(pFrom, pFrom + run.width(), pTo + run.left(),
                       [](std::uint32_t nPixel) { return nPixel | 0xFF000000u; });
    }
    keyed.m_bHasOpaquePixel = !runs->rects.empty();
    return keyed;
}

bool CKeyedBitmap::IsOpaqueAt(QPoint pt) const
{
    return m_image.valid(pt) && qAlpha(m_image.pixel(pt)) != 0;
}
