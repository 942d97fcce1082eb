#include "dottedframe.h"

#include <QPainter>
#include <QRect>

#include <array>

namespace {

constexpr int DOT_ON = 3;
constexpr int DOT_PERIOD = 6;

// A one-pixel strip of nLength pixels, lit where the pattern (starting nPhase pixels into its
// period) is on; bReversed walks it from its far end, as the bottom and left sides run.
QImage DottedStrip(QSize size, int nLength, int nPhase, bool bReversed, QRgb crDots)
{
    QImage strip(size, QImage::Format_ARGB32_Premultiplied);
    if (strip.isNull()) {
        return strip;
    }
    strip.fill(Qt::transparent);
    // One pixel wide or one pixel high: either way its pixels lie one after another in memory.
    auto* pPixels = reinterpret_cast<QRgb*>(strip.bits());
    for (int k = 0; k < nLength; ++k) {
        if ((nPhase + k) % DOT_PERIOD < DOT_ON) {
            pPixels[bReversed ? nLength - 1 - k : k] = crDots;
        }
    }
    return strip;
}

} // namespace

CDottedFrame::CDottedFrame(QSize size, QRgb crDots) : m_size(size), m_crDots(crDots)
{
    const int w = size.width();
    const int h = size.height();
    if (w <= 0 || h <= 0) {
        return;
    }
    // The pattern runs on around the corners: top left to right, right downwards, bottom right
    // to left, left upwards.
    const std::array<QRect, 4> arSides{QRect(0, 0, w, 1), QRect(w, 0, 1, h), QRect(1, h, w, 1),
                                       QRect(0, 1, 1, h)};
    const std::array<int, 4> arPhase{0, w % DOT_PERIOD, (w + h) % DOT_PERIOD,
                                     (2 * w + h) % DOT_PERIOD};
    for (std::size_t i = 0; i < arSides.size(); ++i) {
        const QRect& rcSide = arSides[i];
        const int nLength = rcSide.width() * rcSide.height();
        m_arStrips[i] = DottedStrip(rcSide.size(), nLength, arPhase[i], i >= 2, crDots);
        m_arStripAt[i] = rcSide.topLeft();
    }
}

void CDottedFrame::Draw(QPainter& painter, QPoint ptTopLeft) const
{
    for (std::size_t i = 0; i < m_arStrips.size(); ++i) {
        if (!m_arStrips[i].isNull()) {
            painter.drawImage(ptTopLeft + m_arStripAt[i], m_arStrips[i]);
        }
    }
}
