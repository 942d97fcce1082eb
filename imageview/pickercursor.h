#pragma once

#include <QCursor>
#include <QImage>

// The picker's crosshair: a 32 x 32 cursor with its hot spot at (15, 16) whose drawn pixels invert
// the screen; a gap around the centre leaves the pixel under the hot spot visible.

inline constexpr int PICKER_CURSOR_SIZE = 32;
inline constexpr int PICKER_CURSOR_HOTX = 15;
inline constexpr int PICKER_CURSOR_HOTY = 16;

// The drawn pixels: Format_Mono, 1 where the cursor inverts the screen, 0 where it is transparent.
QImage PickerCursorShape();

// Where the platform cannot invert under a cursor (it can on Windows only), the drawn pixels
// are black instead.
QCursor MakePickerCursor();
