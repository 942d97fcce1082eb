#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

#include <array>

class QPainter;

// A dotted outline (three pixels on, three off, running on around the corners) through the
// corners (0, 0), (w, 0), (w, h) and (0, h) of a w x h area: the right and bottom sides lie on the
// first pixels outside it. Made once per size as four one-pixel strips, so drawing it is four
// small blits rather than hundreds of dots.
class CDottedFrame
{
public:
    CDottedFrame() = default;
    // Black dots unless told otherwise; the view dots it in its palette's text colour.
    explicit CDottedFrame(QSize size, QRgb crDots = qRgb(0, 0, 0));

    QSize GetSize() const { return m_size; }
    QRgb GetColour() const { return m_crDots; }
    void Draw(QPainter& painter, QPoint ptTopLeft) const;

private:
    QSize m_size;
    QRgb m_crDots = qRgb(0, 0, 0);
    std::array<QImage, 4> m_arStrips;
    std::array<QPoint, 4> m_arStripAt;
};
