#include "drawedge.h"

#include "qtconvert.h"
#include "syscolors.h"

#include <QPainter>

#include <algorithm>

namespace {

// One pixel ring: top and left in one colour, bottom and right in the other.
void DrawRing(QPainter& painter, const RECT& rc, int nTopLeft, int nBottomRight)
{
    if (rc.right - rc.left < 1 || rc.bottom - rc.top < 1) {
        return;
    }
    const int nRight = rc.right - 1;
    const int nBottom = rc.bottom - 1;
    painter.setPen(SysColor(nTopLeft));
    painter.drawLine(rc.left, rc.top, nRight - 1, rc.top);
    painter.drawLine(rc.left, rc.top, rc.left, nBottom - 1);
    painter.setPen(SysColor(nBottomRight));
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

RECT InflatedRect(const RECT& rc, int dx, int dy)
{
    return RECT{rc.left - dx, rc.top - dy, rc.right + dx, rc.bottom + dy};
}

void FillSysColor(QPainter& painter, const RECT& rc, int nIndex)
{
    painter.fillRect(toQRect(rc), SysColor(nIndex));
}

void DrawEdge(QPainter& painter, const RECT& rc, unsigned nEdge)
{
    painter.save();
    RECT rcRing = rc;
    if ((nEdge & BDR_RAISEDOUTER) != 0) {
        DrawRing(painter, rcRing, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    } else if ((nEdge & BDR_SUNKENOUTER) != 0) {
        DrawRing(painter, rcRing, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    }
    if ((nEdge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) != 0) {
        rcRing = InflatedRect(rcRing, -1, -1);
    }
    if ((nEdge & BDR_RAISEDINNER) != 0) {
        DrawRing(painter, rcRing, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    } else if ((nEdge & BDR_SUNKENINNER) != 0) {
        DrawRing(painter, rcRing, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    }
    painter.restore();
}

void DrawScrollDownButton(QPainter& painter, const RECT& rc, bool bPushed, bool bInactive)
{
    painter.save();
    FillSysColor(painter, rc, COLOR_BTNFACE);
    if (bPushed) {
        painter.setPen(SysColor(COLOR_BTNSHADOW));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(rc.left, rc.top, rc.right - rc.left - 1, rc.bottom - rc.top - 1));
    } else {
        DrawEdge(painter, rc, EDGE_RAISED);
    }
    const int nOffset = bPushed ? 1 : 0;
    if (bInactive) {
        DrawDownArrow(painter, rc, nOffset + 1, SysColor(COLOR_BTNHIGHLIGHT));
        DrawDownArrow(painter, rc, nOffset, SysColor(COLOR_BTNSHADOW));
    } else {
        DrawDownArrow(painter, rc, nOffset, SysColor(COLOR_BTNTEXT));
    }
    painter.restore();
}
