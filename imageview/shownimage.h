#pragma once

#include "wintypes.h"

#include <QImage>

// The main image as the view blits it: opaque, with every pixel of the key colour in the
// background colour. It remembers which pixels were keyed, so a new key or background colour is
// one pass over the pixels it holds, without decoding the bitmap again or keeping a second copy.
class CShownImage
{
public:
    // Takes over the decoded image (any format; converted to RGB32 in place when it is one).
    void Set(QImage image, COLORREF crKey, QRgb rgbBackground);
    void Clear() { *this = CShownImage(); }
    void SetKey(COLORREF crKey);
    void SetBackground(QRgb rgbBackground);

    const QImage& Image() const { return m_image; }
    bool IsNull() const { return m_image.isNull(); }
    QRgb Background() const { return m_rgbBackground; }
    // Whether the pixel at (x, y), inside the image, had the key colour.
    bool IsKeyedAt(int x, int y) const { return IsKeyed(x, m_keyed.constScanLine(y)); }
    // A copy with the keyed pixels fully transparent (premultiplied ARGB), to lay over a
    // background of its own.
    QImage SeeThrough() const;

private:
    bool IsKeyed(int x, const uchar* pMaskRow) const;

    QImage m_image; // RGB32
    QImage m_keyed; // Format_Mono, 1 where the pixel had the key colour
    QRgb m_key = 0; // the key as a colour without alpha
    QRgb m_rgbBackground = 0;
};
