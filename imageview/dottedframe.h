#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

#include <array>

class QPainter;

// A dotted black outline (three pixels on, three off, running on around the corners) through the
// corners (0, 0), (w, 0), (w, h) and (0, h) of a w x h area: the right and bottom sides lie on the
// first pixels outside it. Made once per size as four one-pixel strips, so drawing it is four
// small blits rather than hundreds of dots.
class CDottedFrame
{
public:
    CDottedFrame() = default;
    explicit CDottedFrame(QSize size);

    QSize GetSize() const { return m_size; }
    void Draw(QPainter& painter, QPoint ptTopLeft) const;

private:
    QSize m_size;
    std::array<QImage, 4> m_arStrips;
    std::array<QPoint, 4> m_arStripAt;
};
