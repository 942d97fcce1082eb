#include "shownimage.h"

namespace {

constexpr QRgb COLOUR_BITS = 0x00ffffffu;

QRgb KeyOf(COLORREF cr)
{
    return qRgb(GetRValue(cr), GetGValue(cr), GetBValue(cr)) & COLOUR_BITS;
}

void SetBit(uchar* pRow, int x, bool bOn)
{
    const auto mask = static_cast<uchar>(0x80U >> (x & 7));
    pRow[x >> 3] = static_cast<uchar>(bOn ? pRow[x >> 3] | mask : pRow[x >> 3] & ~mask);
}

} // namespace

bool CShownImage::IsKeyed(int x, const uchar* pMaskRow) const
{
    return (pMaskRow[x >> 3] & (0x80U >> (x & 7))) != 0;
}

void CShownImage::Set(QImage image, COLORREF crKey, QRgb rgbBackground)
{
    m_image = image.format() == QImage::Format_RGB32
                  ? std::move(image)
                  : std::move(image).convertToFormat(QImage::Format_RGB32);
    m_keyed = QImage();
    m_rgbBackground = rgbBackground & COLOUR_BITS;
    if (m_image.isNull()) {
        return;
    }
    m_keyed = QImage(m_image.size(), QImage::Format_Mono);
    if (m_keyed.isNull()) {
        m_image = QImage();
        return;
    }
    m_keyed.fill(0);
    m_key = KeyOf(crKey);
    const QRgb opaqueBackground = m_rgbBackground | ~COLOUR_BITS;
    const int nWidth = m_image.width();
    for (int y = 0; y < m_image.height(); ++y) {
        auto* pRow = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        uchar* const pMask = m_keyed.scanLine(y);
        for (int x = 0; x < nWidth; ++x) {
            if ((pRow[x] & COLOUR_BITS) == m_key) {
                pRow[x] = opaqueBackground;
                SetBit(pMask, x, true);
            } else {
                pRow[x] |= ~COLOUR_BITS;
            }
        }
    }
}

void CShownImage::SetKey(COLORREF crKey)
{
    const QRgb key = KeyOf(crKey);
    if (key == m_key || m_image.isNull()) {
        m_key = key;
        return;
    }
    const QRgb opaqueBackground = m_rgbBackground | ~COLOUR_BITS;
    const QRgb opaqueOldKey = m_key | ~COLOUR_BITS;
    const int nWidth = m_image.width();
    for (int y = 0; y < m_image.height(); ++y) {
        auto* pRow = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        uchar* const pMask = m_keyed.scanLine(y);
        for (int x = 0; x < nWidth; ++x) {
            if (IsKeyed(x, pMask)) {
                // Keyed pixels had the old key, which is no longer the key.
                pRow[x] = opaqueOldKey;
                SetBit(pMask, x, false);
            } else if ((pRow[x] & COLOUR_BITS) == key) {
                pRow[x] = opaqueBackground;
                SetBit(pMask, x, true);
            }
        }
    }
    m_key = key;
}

void CShownImage::SetBackground(QRgb rgbBackground)
{
    rgbBackground &= COLOUR_BITS;
    if (rgbBackground == m_rgbBackground || m_image.isNull()) {
        m_rgbBackground = rgbBackground;
        return;
    }
    m_rgbBackground = rgbBackground;
    const QRgb opaqueBackground = rgbBackground | ~COLOUR_BITS;
    const int nWidth = m_image.width();
    for (int y = 0; y < m_image.height(); ++y) {
        auto* pRow = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        const uchar* const pMask = m_keyed.constScanLine(y);
        for (int x = 0; x < nWidth; ++x) {
            if (IsKeyed(x, pMask)) {
                pRow[x] = opaqueBackground;
            }
        }
    }
}

QImage CShownImage::SeeThrough() const
{
    if (m_image.isNull()) {
        return QImage();
    }
    QImage image = m_image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int nWidth = image.width();
    for (int y = 0; y < image.height(); ++y) {
        auto* pRow = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uchar* const pMask = m_keyed.constScanLine(y);
        for (int x = 0; x < nWidth; ++x) {
            if (IsKeyed(x, pMask)) {
                pRow[x] = 0;
            }
        }
    }
    return image;
}
