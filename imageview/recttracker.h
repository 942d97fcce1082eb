#pragma once

#include "wintypes.h"

#include <QPoint>
#include <QRect>

#include <optional>

class QPainter;
class QWidget;

// A rectangle the user moves, resizes or draws anew with the mouse. Event-driven: the owner feeds
// it the press, the moves and the release (or a cancel) of one drag; nothing here runs a loop of
// its own or grabs the mouse.
//
// A drag always leaves m_rect normal (left <= right, top <= bottom); a rectangle set from outside
// may be inverted until it is dragged. It is never clamped. Hit testing and drawing use its
// normalised form.
class CRectTracker
{
public:
    enum StyleFlags
    {
        solidLine = 1,
        dottedLine = 2,
        resizeInside = 8,
    };

    // Handle codes; the corners and edges are those of the rectangle as seen (normalised).
    enum TrackerHit
    {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };

    CRectTracker() = default;
    CRectTracker(const CRectTracker&) = default;
    CRectTracker& operator=(const CRectTracker&) = default;
    CRectTracker(CRectTracker&&) = default;
    CRectTracker& operator=(CRectTracker&&) = default;
    virtual ~CRectTracker() = default;

    // A handle code, hitMiddle inside the rectangle, hitNothing elsewhere. Handles exist only
    // with resizeInside.
    int HitTest(QPoint point) const;
    // Gives pWnd the move or resize cursor for point and returns true when point is on the
    // rectangle; leaves the cursor alone and returns false otherwise.
    bool SetCursor(QWidget& wnd, QPoint point) const;
    void Draw(QPainter& painter) const;
    // Pixels Draw may touch: repaint this to show or clear the tracker.
    QRect GetTrueRect() const;

    // Starts moving (inside) or resizing (on a handle) from point; false when point hits
    // neither. bAllowInvert lets a dragged edge pass the opposite one, the rectangle flipping
    // over to that side; without it the edge stops at the minimum size.
    bool Track(QPoint point, bool bAllowInvert = false);
    // Starts a new rectangle with one corner at point and the opposite one on the pointer.
    void TrackRubberBand(QPoint point, bool bAllowInvert = true);
    bool IsTracking() const { return m_drag.has_value(); }
    // The handle being dragged (hitMiddle for a move), hitNothing when no drag is on.
    int GetTrackedHandle() const { return m_drag ? m_drag->nHandle : hitNothing; }
    // Follows the pointer; true when m_rect changed.
    bool TrackMove(QPoint point);
    // Ends the drag at point. True when m_rect differs from the rectangle before the drag.
    // An unchanged rubber band gives the previous rectangle back.
    bool TrackRelease(QPoint point);
    // Escape or the right button: the rectangle before the drag comes back.
    void TrackCancel();

    // The smallest width and height a drag leaves, in either direction: m_nMinSize when set,
    // else room for two handles.
    int GetMinSize() const { return m_nMinSize.value_or(2 * m_nHandleSize); }

    RECT m_rect{0, 0, 30, 30};
    int m_nStyle = solidLine;
    int m_nHandleSize = 4;
    std::optional<int> m_nMinSize;

protected:
    // Called with the rectangle as it stood before each change during a drag, and with the final
    // rectangle when the button is released.
    virtual void OnChangedRect(const RECT& rectOld);

private:
    struct Drag
    {
        int nHandle = hitNothing;
        QPoint ptStart;
        RECT rectStart;   // the rectangle the drag began with, normal (collapsed for a rubber band)
        RECT rectRestore; // what a cancelled or unchanged drag leaves
        bool bAllowInvert = false;
    };

    QRect NormalRect() const;
    std::optional<QRect> HandleRect(int nHandle) const;
    RECT DraggedRect(QPoint point) const;

    std::optional<Drag> m_drag;
};
