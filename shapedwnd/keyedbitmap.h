#pragma once

#include "wintypes.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <optional>

// A bitmap as a child bitmap window shows it: its transparent pixels cleared, so that painting it
// lets the parent show through, and the mouse tested against its pixels. A child does this
// instead of taking a widget mask because Qt intersects a child's mask with every paint, and an
// irregular bitmap's mask holds tens of thousands of rectangles.
class CKeyedBitmap
{
public:
    CKeyedBitmap() = default;

    // The pixels of the bitmap that are not transparent (as the region builder decides, with the
    // same tolerance), fully opaque; the others fully transparent. A bitmap has no alpha of its
    // own. No value for a null bitmap or when memory runs out.
    static std::optional<CKeyedBitmap> FromBitmap(const QImage& bitmap, COLORREF crTransparent,
                                                  COLORREF crTolerance);

    // Premultiplied ARGB; null when nothing has been keyed.
    const QImage& GetImage() const { return m_image; }
    QSize GetSize() const { return m_image.size(); }
    bool IsOpaqueAt(QPoint pt) const;
    bool HasOpaquePixel() const { return m_bHasOpaquePixel; }

private:
    QImage m_image;
    bool m_bHasOpaquePixel = false;
};
