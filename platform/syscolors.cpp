#include "syscolors.h"

#include "qtconvert.h"

#include <QApplication>
#include <QPalette>

QColor SysColor(int nIndex, const QPalette& palette)
{
    switch (nIndex) {
    case COLOR_BACKGROUND:
        // No desktop colour in the palette: the darker neutral tone sets an image off best.
        return palette.color(QPalette::Active, QPalette::Dark);
    case COLOR_WINDOW:
        return palette.color(QPalette::Active, QPalette::Base);
    case COLOR_WINDOWTEXT:
        return palette.color(QPalette::Active, QPalette::Text);
    case COLOR_HIGHLIGHT:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case COLOR_HIGHLIGHTTEXT:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case COLOR_BTNFACE:
        return palette.color(QPalette::Active, QPalette::Button);
    case COLOR_BTNSHADOW:
        return palette.color(QPalette::Active, QPalette::Mid);
    case COLOR_GRAYTEXT:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case COLOR_BTNTEXT:
        return palette.color(QPalette::Active, QPalette::ButtonText);
    case COLOR_BTNHIGHLIGHT:
        return palette.color(QPalette::Active, QPalette::Light);
    case COLOR_3DDKSHADOW:
        return palette.color(QPalette::Active, QPalette::Shadow);
    case COLOR_3DLIGHT:
        return palette.color(QPalette::Active, QPalette::Midlight);
    default:
        return palette.color(QPalette::Active, QPalette::Window);
    }
}

QColor SysColor(int nIndex)
{
    return SysColor(nIndex, QApplication::palette());
}

COLORREF GetSysColor(int nIndex)
{
    return toColorRef(SysColor(nIndex));
}
