#include "drawedge.h"

#include "qtconvert.h"

#include <QPainter>

#include <algorithm>

namespace {

// One pixel ring: top and left in one colour, bottom and right in the other.
void DrawRing(QPainter& painter, const RECT& rc, const QColor& crTopLeft,
              const QColor& crBottomRight)
{
    if (rc.right - rc.left < 1 || rc.bottom - rc.top < 1) {
        return;
    }
    const int nRight = rc.right - 1;
    const int nBottom = rc.bottom - 1;
    painter.setPen(crTopLeft);
    painter.drawLine(rc.left, rc.top, nRight - 1, rc.top);
    painter.drawLine(rc.left, rc.top, rc.left, nBottom - 1);
    painter.setPen(crBottomRight);
    painter.drawLine(rc.left, nBottom, nRight, nBottom);
    painter.drawLine(nRight, rc.top, nRight, nBottom);
}

void DrawDownArrow(QPainter& painter, const RECT& rc, int nOffset, const QColor& colour)
{
    const int nWidth = rc.right - rc.left;
    const int nHeight = rc.bottom - rc.top;
    const int nHalf = std::max(1, std::min(nWidth, nHeight) / 4);
    const int cx = rc.left + nWidth / 2 + nOffset;
    const int cy = rc.top + (nHeight - nHalf) / 2 + nOffset;
    painter.setPen(colour);
    for (int i = 0; i < nHalf; ++i) {
        painter.drawLine(cx - nHalf + 1 + i, cy + i, cx + nHalf - 1 - i, cy + i);
    }
}

} // namespace

QColor ChromeColour(const QPalette& palette, QPalette::ColorRole role)
{
    return palette.color(QPalette::Active, role);
}

RECT InflatedRect(const RECT& rc, int dx, int dy)
{
    return RECT{rc.left - dx, rc.top - dy, rc.right + dx, rc.bottom + dy};
}

void FillChrome(QPainter& painter, const QPalette& palette, const RECT& rc,
                QPalette::ColorRole role)
{
    painter.fillRect(toQRect(rc), ChromeColour(palette, role));
}

void DrawEdge(QPainter& painter, const QPalette& palette, const RECT& rc, unsigned nEdge)
{
    const QColor crLight = ChromeColour(palette, QPalette::Light);
    const QColor crMidlight = ChromeColour(palette, QPalette::Midlight);
    const QColor crMid = ChromeColour(palette, QPalette::Mid);
    const QColor crShadow = ChromeColour(palette, QPalette::Shadow);
    painter.save();
    RECT rcRing = rc;
    if ((nEdge & BDR_RAISEDOUTER) != 0) {
        DrawRing(painter, rcRing, crMidlight, crShadow);
    } else if ((nEdge & BDR_SUNKENOUTER) != 0) {
        DrawRing(painter, rcRing, crMid, crLight);
    }
    if ((nEdge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) != 0) {
        rcRing = InflatedRect(rcRing, -1, -1);
    }
    if ((nEdge & BDR_RAISEDINNER) != 0) {
        DrawRing(painter, rcRing, crLight, crMid);
    } else if ((nEdge & BDR_SUNKENINNER) != 0) {
        DrawRing(painter, rcRing, crShadow, crMidlight);
    }
    painter.restore();
}

void DrawScrollDownButton(QPainter& painter, const QPalette& palette, const RECT& rc, bool bPushed,
                          bool bInactive)
{
    painter.save();
    FillChrome(painter, palette, rc, QPalette::Button);
    if (bPushed) {
        painter.setPen(ChromeColour(palette, QPalette::Mid));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(rc.left, rc.top, rc.right - rc.left - 1, rc.bottom - rc.top - 1));
    } else {
        DrawEdge(painter, palette, rc, EDGE_RAISED);
    }
    const int nOffset = bPushed ? 1 : 0;
    if (bInactive) {
        DrawDownArrow(painter, rc, nOffset + 1, ChromeColour(palette, QPalette::Light));
        DrawDownArrow(painter, rc, nOffset, ChromeColour(palette, QPalette::Mid));
    } else {
        DrawDownArrow(painter, rc, nOffset, ChromeColour(palette, QPalette::ButtonText));
    }
    painter.restore();
}

void DrawFocusFrame(QPainter& painter, const QPalette& palette, const QRect& rc)
{
    if (rc.width() < 6 || rc.height() < 6) {
        return;
    }
    const auto ring = [&painter, &rc](int nInset, int nWidth, const QColor& colour) {
        const QRect rcRing = rc.adjusted(nInset, nInset, -nInset, -nInset);
        painter.fillRect(rcRing.left(), rcRing.top(), rcRing.width(), nWidth, colour);
        painter.fillRect(rcRing.left(), rcRing.bottom() - nWidth + 1, rcRing.width(), nWidth,
                         colour);
        painter.fillRect(rcRing.left(), rcRing.top(), nWidth, rcRing.height(), colour);
        painter.fillRect(rcRing.right() - nWidth + 1, rcRing.top(), nWidth, rcRing.height(),
                         colour);
    };
    ring(0, 2, ChromeColour(palette, QPalette::Highlight));
    ring(2, 1, ChromeColour(palette, QPalette::HighlightedText));
}
