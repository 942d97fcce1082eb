#pragma once

#include <QCursor>
#include <QImage>

// The picker's crosshair: a 32 x 32 cursor with its hot spot at (15, 16), black arms and a black
// centre dot, each outlined in white so that it shows on dark and light pictures alike; a gap
// around the centre leaves the pixels next to the hot spot visible.

inline constexpr int PICKER_CURSOR_SIZE = 32;
inline constexpr int PICKER_CURSOR_HOTX = 15;
inline constexpr int PICKER_CURSOR_HOTY = 16;

// The black pixels: Format_Mono, 1 where the cursor is black, 0 elsewhere.
QImage PickerCursorShape();

// The black pixels as the cursor's bitmap, and as its mask those pixels with their eight
// neighbours: a masked pixel that is not black is white.
QCursor MakePickerCursor();
