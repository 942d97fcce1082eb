#pragma once

#include "bitmapwnd.h"

#include <QRegion>

// The points of the window that take the mouse.
inline QRegion HitRegion(const CBitmapWnd& wnd)
{
    QRegion region;
    for (int y = 0; y < wnd.height(); ++y) {
        for (int x = 0; x < wnd.width(); ++x) {
            if (wnd.IsOverShape(QPoint(x, y))) {
                region += QRect(x, y, 1, 1);
            }
        }
    }
    return region;
}
