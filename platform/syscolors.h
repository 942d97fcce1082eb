#pragma once

#include "wintypes.h"

#include <QColor>

class QPalette;

// The system colour indexes the program draws with.
inline constexpr int COLOR_BACKGROUND = 1; // the desktop
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;

// A system colour from the application's palette (or the one given), so every widget follows the
// desktop theme. Unknown indexes give the window colour.
QColor SysColor(int nIndex);
QColor SysColor(int nIndex, const QPalette& palette);
COLORREF GetSysColor(int nIndex);
