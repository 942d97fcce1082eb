#include "recttracker.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace {

struct Edges
{
    bool bLeft = false;
    bool bTop = false;
    bool bRight = false;
    bool bBottom = false;
};

Edges EdgesOf(int nHandle)
{
    switch (nHandle) {
    case CRectTracker::hitTopLeft:
        return {true, true, false, false};
    case CRectTracker::hitTopRight:
        return {false, true, true, false};
    case CRectTracker::hitBottomRight:
        return {false, false, true, true};
    case CRectTracker::hitBottomLeft:
        return {true, false, false, true};
    case CRectTracker::hitTop:
        return {false, true, false, false};
    case CRectTracker::hitRight:
        return {false, false, true, false};
    case CRectTracker::hitBottom:
        return {false, false, false, true};
    case CRectTracker::hitLeft:
        return {true, false, false, false};
    default:
        return {};
    }
}

Qt::CursorShape CursorOf(int nHandle)
{
    switch (nHandle) {
    case CRectTracker::hitTopLeft:
    case CRectTracker::hitBottomRight:
        return Qt::SizeFDiagCursor;
    case CRectTracker::hitTopRight:
    case CRectTracker::hitBottomLeft:
        return Qt::SizeBDiagCursor;
    case CRectTracker::hitTop:
    case CRectTracker::hitBottom:
        return Qt::SizeVerCursor;
    case CRectTracker::hitLeft:
    case CRectTracker::hitRight:
        return Qt::SizeHorCursor;
    default:
        return Qt::SizeAllCursor;
    }
}

RECT Normalised(const RECT& rc)
{
    return RECT{std::min(rc.left, rc.right), std::min(rc.top, rc.bottom),
                std::max(rc.left, rc.right), std::max(rc.top, rc.bottom)};
}

// Moves one edge of the span [nLow, nHigh) by nDelta, then pushes it back out until the span is
// at least nMin long: on the side it started on, or on the side the edge went to when it may
// pass the other one.
void DragEdge(LONG& nLow, LONG& nHigh, bool bMoveHigh, LONG nDelta, int nMin, bool bAllowInvert)
{
    LONG& nMoving = bMoveHigh ? nHigh : nLow;
    nMoving += nDelta;
    const LONG nSpan = nHigh - nLow;
    const int nSign = bAllowInvert && nSpan < 0 ? -1 : 1;
    if (nSign * nSpan >= nMin) {
        return;
    }
    if (bMoveHigh) {
        nHigh = nLow + nSign * nMin;
    } else {
        nLow = nHigh - nSign * nMin;
    }
}

// The one-pixel border of rc.
void DrawOutline(QPainter& painter, const QRect& rc, Qt::GlobalColor colour)
{
    const int w = rc.width();
    const int h = rc.height();
    painter.fillRect(rc.left(), rc.top(), w, 1, colour);
    painter.fillRect(rc.left(), rc.bottom(), w, 1, colour);
    painter.fillRect(rc.left(), rc.top(), 1, h, colour);
    painter.fillRect(rc.right(), rc.top(), 1, h, colour);
}

} // namespace

QRect CRectTracker::NormalRect() const
{
    const LONG nLeft = std::min(m_rect.left, m_rect.right);
    const LONG nTop = std::min(m_rect.top, m_rect.bottom);
    return QRect(nLeft, nTop, std::max(m_rect.left, m_rect.right) - nLeft,
                 std::max(m_rect.top, m_rect.bottom) - nTop);
}

std::optional<QRect> CRectTracker::HandleRect(int nHandle) const
{
    if ((m_nStyle & resizeInside) == 0) {
        return std::nullopt;
    }
    const QRect rc = NormalRect();
    const int h = m_nHandleSize;
    const int nLeft = rc.left();
    const int nTop = rc.top();
    const int nRight = nLeft + rc.width() - h;
    const int nBottom = nTop + rc.height() - h;
    const int nCentreX = nLeft + rc.width() / 2 - h / 2;
    const int nCentreY = nTop + rc.height() / 2 - h / 2;
    // Edge handles would crowd the corners on a short side.
    const bool bWide = rc.width() >= 3 * h;
    const bool bTall = rc.height() >= 3 * h;
    switch (nHandle) {
    case hitTopLeft:
        return QRect(nLeft, nTop, h, h);
    case hitTopRight:
        return QRect(nRight, nTop, h, h);
    case hitBottomRight:
        return QRect(nRight, nBottom, h, h);
    case hitBottomLeft:
        return QRect(nLeft, nBottom, h, h);
    case hitTop:
        return bWide ? std::optional(QRect(nCentreX, nTop, h, h)) : std::nullopt;
    case hitRight:
        return bTall ? std::optional(QRect(nRight, nCentreY, h, h)) : std::nullopt;
    case hitBottom:
        return bWide ? std::optional(QRect(nCentreX, nBottom, h, h)) : std::nullopt;
    case hitLeft:
        return bTall ? std::optional(QRect(nLeft, nCentreY, h, h)) : std::nullopt;
    default:
        return std::nullopt;
    }
}

int CRectTracker::HitTest(QPoint point) const
{
    if (!NormalRect().contains(point)) {
        return hitNothing;
    }
    for (int nHandle = hitTopLeft; nHandle < hitMiddle; ++nHandle) {
        const std::optional<QRect> rcHandle = HandleRect(nHandle);
        if (rcHandle && rcHandle->contains(point)) {
            return nHandle;
        }
    }
    return hitMiddle;
}

bool CRectTracker::SetCursor(QWidget& wnd, QPoint point) const
{
    const int nHit = HitTest(point);
    if (nHit == hitNothing) {
        return false;
    }
    wnd.setCursor(CursorOf(nHit));
    return true;
}

QRect CRectTracker::GetTrueRect() const
{
    return NormalRect();
}

// Black with white just inside it, and handles white with a black outline, so the frame and
// the handles show on dark pictures as well as on light ones; everything stays inside the
// rectangle.
void CRectTracker::Draw(QPainter& painter) const
{
    const QRect rc = NormalRect();
    if (rc.isEmpty()) {
        return;
    }
    const QRect rcInside = rc.adjusted(1, 1, -1, -1);
    if ((m_nStyle & solidLine) != 0) {
        DrawOutline(painter, rc, Qt::black);
        if (!rcInside.isEmpty()) {
            DrawOutline(painter, rcInside, Qt::white);
        }
    }
    for (int nHandle = hitTopLeft; nHandle < hitMiddle; ++nHandle) {
        if (const std::optional<QRect> rcHandle = HandleRect(nHandle)) {
            painter.fillRect(*rcHandle, Qt::black);
            painter.fillRect(rcHandle->adjusted(1, 1, -1, -1), Qt::white);
        }
    }
}

bool CRectTracker::Track(QPoint point, bool bAllowInvert)
{
    const int nHandle = HitTest(point);
    if (nHandle == hitNothing) {
        return false;
    }
    m_drag = Drag{nHandle, point, Normalised(m_rect), m_rect, bAllowInvert};
    return true;
}

void CRectTracker::TrackRubberBand(QPoint point, bool bAllowInvert)
{
    const RECT rcPrevious = m_rect;
    m_rect = RECT{point.x(), point.y(), point.x(), point.y()};
    m_drag = Drag{hitBottomRight, point, m_rect, rcPrevious, bAllowInvert};
}

RECT CRectTracker::DraggedRect(QPoint point) const
{
    const Drag& drag = *m_drag;
    const QPoint ptDelta = point - drag.ptStart;
    RECT rc = drag.rectStart;
    if (ptDelta.isNull()) {
        return rc;
    }
    if (drag.nHandle == hitMiddle) {
        rc.left += ptDelta.x();
        rc.right += ptDelta.x();
        rc.top += ptDelta.y();
        rc.bottom += ptDelta.y();
        return rc;
    }
    // The drag may turn the rectangle over; what it leaves is the rectangle as seen.
    const Edges edges = EdgesOf(drag.nHandle);
    if (edges.bLeft || edges.bRight) {
        DragEdge(rc.left, rc.right, edges.bRight, ptDelta.x(), GetMinSize(), drag.bAllowInvert);
    }
    if (edges.bTop || edges.bBottom) {
        DragEdge(rc.top, rc.bottom, edges.bBottom, ptDelta.y(), GetMinSize(), drag.bAllowInvert);
    }
    return Normalised(rc);
}

bool CRectTracker::TrackMove(QPoint point)
{
    if (!m_drag) {
        return false;
    }
    const RECT rcNext = DraggedRect(point);
    if (rcNext == m_rect) {
        return false;
    }
    OnChangedRect(m_rect);
    m_rect = rcNext;
    return true;
}

bool CRectTracker::TrackRelease(QPoint point)
{
    if (!m_drag) {
        return false;
    }
    // The release point counts as the last move, so the result is where the button went up.
    TrackMove(point);
    OnChangedRect(m_rect);
    const bool bChanged = m_rect != m_drag->rectStart;
    if (!bChanged) {
        m_rect = m_drag->rectRestore;
    }
    m_drag.reset();
    return bChanged;
}

void CRectTracker::TrackCancel()
{
    if (!m_drag) {
        return;
    }
    m_rect = m_drag->rectRestore;
    m_drag.reset();
}

void CRectTracker::OnChangedRect(const RECT& /*rectOld*/) {}
