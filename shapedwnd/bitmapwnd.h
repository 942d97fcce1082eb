#pragma once

#include "keyedbitmap.h"
#include "wintypes.h"

#include <QCursor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QWidget>

#include <optional>

// A window whose picture, outline and size come from a bitmap: it paints the bitmap, is cut to
// the bitmap's non-transparent pixels and takes the bitmap's size. Optionally it draws its window
// title into m_rcText and, as a child, swaps to a mouse-over bitmap while the mouse is over it and
// reports clicks. A top-level bitmap window is dragged by any visible point.
//
// A top-level window is cut by a window mask. A child paints only its visible pixels and passes
// the mouse on to its parent elsewhere: the same look and feel without the cost of a mask.
class CBitmapWnd : public QWidget
{
    Q_OBJECT

public:
    explicit CBitmapWnd(QWidget* parent = nullptr);

    // Makes the window a child of pParentWnd or a frameless top-level window owned by it, hidden
    // at (0, 0) with size 0 x 0, then applies a bitmap installed beforehand.
    virtual bool Create(QWidget* pParentWnd, bool bChild);
    bool IsCreated() const { return m_bCreated; }

    // Both take the image and show the window in its shape; a null image is held as none.
    bool SetBitmap(const QImage& bitmap, COLORREF crTransparent);
    // Takes the mouse-over image without changing the shape; true when one is now held.
    bool SetHoverBitmap(const QImage& bitmap, COLORREF crTransparent);
    // The window title is drawn into rcText (client coordinates) in that colour and font; an
    // empty rectangle draws nothing.
    void SetTextArea(const RECT& rcText, COLORREF crText, const LOGFONT* pLogFont);
    // The cursor over the window; none leaves it to the parent.
    void SetCursorShape(const std::optional<QCursor>& cursor);

    // Re-applies the current bitmap's outline and size, keeping the top-left corner.
    void UpdateShape();
    // (-1, -1) when that bitmap is not held.
    QSize GetBitmapSize(bool bMain) const;
    bool IsHovered() const { return m_bHover; }
    // Whether a point (client coordinates) lies on a visible pixel: the only points that take
    // the mouse.
    bool IsOverShape(QPoint ptClient) const;

signals:
    // A child window was pressed and released over its visible shape. Emitted from the event
    // loop after the release, never from within it.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool IsChild() const { return !isWindow(); }
    // Each gives the window the current bitmap's size and outline: no value when the outline
    // could not be made, else whether any pixel shows.
    std::optional<bool> ApplyMask(bool bUseHover);
    std::optional<bool> ApplyKeyed(bool bUseHover);
    void EndHover();
    // The owner's cursor where it may show, the parent's elsewhere.
    void ShowCursorShape(bool bShow);
    void DrawText(QPainter& painter) const;
    void DrawTextOnShape(QPainter& painter) const;

    RECT m_rcText;
    COLORREF m_crText = 0;
    QFont m_font;
    QImage m_bmpHover;
    COLORREF m_crHoverTransparent = 0;
    QImage m_bmp;
    COLORREF m_crTransparent = 0;
    std::optional<QCursor> m_hCursor;
    // A child's keyed bitmaps, kept until the bitmap changes, and the one it shows now.
    std::optional<CKeyedBitmap> m_keyedMain;
    std::optional<CKeyedBitmap> m_keyedHover;
    CKeyedBitmap m_shown;
    bool m_bTracking = false;
    bool m_bHover = false;
    bool m_bPressed = false;
    bool m_bCreated = false;
    // Where a top-level window is held while the window system does not move it itself.
    std::optional<QPoint> m_ptDragOffset;
};
