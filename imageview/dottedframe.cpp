#include "dottedframe.h"

#include <QList>
#include <QPainter>
#include <QRect>

#include <algorithm>

namespace {

constexpr int DOT_ON = 3;
constexpr int DOT_PERIOD = 6;

// Appends the lit pixels of one side as runs: nCount pixels from (x, y) in steps of (dx, dy),
// the pattern carried on from the previous side in nPhase.
void AddDots(QList<QRect>& runs, int& nPhase, QPoint pt, QPoint ptStep, int nCount)
{
    for (int i = 0; i < nCount;) {
        const int nLeft = nPhase < DOT_ON ? DOT_ON - nPhase : DOT_PERIOD - nPhase;
        const int nRun = std::min(nLeft, nCount - i);
        if (nPhase < DOT_ON) {
            const QPoint ptFirst = pt + ptStep * i;
            const QPoint ptLast = pt + ptStep * (i + nRun - 1);
            runs.append(QRect(
                QPoint(std::min(ptFirst.x(), ptLast.x()), std::min(ptFirst.y(), ptLast.y())),
                QPoint(std::max(ptFirst.x(), ptLast.x()), std::max(ptFirst.y(), ptLast.y()))));
        }
        nPhase = (nPhase + nRun) % DOT_PERIOD;
        i += nRun;
    }
}

} // namespace

CDottedFrame::CDottedFrame(QSize size) : m_size(size)
{
    const int w = size.width();
    const int h = size.height();
    if (w <= 0 || h <= 0) {
        return;
    }
    // Each side's runs lie within that side's strip: a strip paints only its own.
    std::array<QList<QRect>, 4> arRuns;
    int nPhase = 0;
    AddDots(arRuns[0], nPhase, QPoint(0, 0), QPoint(1, 0), w);  // top, left to right
    AddDots(arRuns[1], nPhase, QPoint(w, 0), QPoint(0, 1), h);  // right, downwards
    AddDots(arRuns[2], nPhase, QPoint(w, h), QPoint(-1, 0), w); // bottom, right to left
    AddDots(arRuns[3], nPhase, QPoint(0, h), QPoint(0, -1), h); // left, upwards

    const std::array<QRect, 4> arSides{QRect(0, 0, w, 1), QRect(w, 0, 1, h), QRect(1, h, w, 1),
                                       QRect(0, 1, 1, h)};
    for (std::size_t i = 0; i < arSides.size(); ++i) {
        const QRect& rcSide = arSides[i];
        QImage strip(rcSide.size(), QImage::Format_ARGB32_Premultiplied);
        strip.fill(Qt::transparent);
        QPainter painter(&strip);
        for (const QRect& rcRun : arRuns[i]) {
            painter.fillRect(rcRun.intersected(rcSide).translated(-rcSide.topLeft()), Qt::black);
        }
        m_arStrips[i] = strip;
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
