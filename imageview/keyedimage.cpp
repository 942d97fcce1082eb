#include "keyedimage.h"

#include <algorithm>

namespace {

constexpr QRgb COLOUR_BITS = 0x00ffffffu;

QRgb KeyOf(COLORREF cr)
{
    return qRgb(GetRValue(cr), GetGValue(cr), GetBValue(cr)) & COLOUR_BITS;
}

bool HasKey(const QImage& image, QRgb key)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* pRow = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (std::any_of(pRow, pRow + image.width(),
                        [key](QRgb pixel) { return (pixel & COLOUR_BITS) == key; })) {
            return true;
        }
    }
    return false;
}

} // namespace

QImage CreateKeyedImage(const QImage& image, COLORREF crTransparent)
{
    if (image.isNull()) {
        return {};
    }
    QImage source = image.convertToFormat(QImage::Format_RGB32);
    const QRgb key =
        qRgb(GetRValue(crTransparent), GetGValue(crTransparent), GetBValue(crTransparent)) &
        COLOUR_BITS;
    if (!HasKey(source, key)) {
        return source;
    }
    QImage keyed(source.size(), QImage::Format_ARGB32_Premultiplied);
    if (keyed.isNull()) {
        return {};
    }
    for (int y = 0; y < source.height(); ++y) {
        const auto* pFrom = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* pTo = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        std::transform(pFrom, pFrom + source.width(), pTo, [key](QRgb pixel) {
            return (pixel & COLOUR_BITS) == key ? QRgb{0} : (pixel | ~COLOUR_BITS);
        });
    }
    return keyed;
}

QImage CreateKeyedImageOn(const QImage& image, COLORREF crTransparent, QRgb rgbBackground)
{
    if (image.isNull()) {
        return {};
    }
    QImage source = image.convertToFormat(QImage::Format_RGB32);
    const QRgb key = KeyOf(crTransparent);
    if (!HasKey(source, key)) {
        return source;
    }
    QImage shown(source.size(), QImage::Format_RGB32);
    if (shown.isNull()) {
        return {};
    }
    const QRgb opaqueBackground = rgbBackground | ~COLOUR_BITS;
    for (int y = 0; y < source.height(); ++y) {
        const auto* pFrom = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* pTo = reinterpret_cast<QRgb*>(shown.scanLine(y));
        std::transform(pFrom, pFrom + source.width(), pTo, [=](QRgb pixel) {
            return (pixel & COLOUR_BITS) == key ? opaqueBackground : (pixel | ~COLOUR_BITS);
        });
    }
    return shown;
}
