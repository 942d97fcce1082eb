#pragma once

#include "keywindows.h"
#include "wintypes.h"

class CDib;

// Whether the bitmap, as the windows draw it, has a pixel in the transparent colour: at least one
// place where the note is cut out. Stops at the first such pixel and reads the pixel rows where
// they lie, whatever their depth or compression; false without a bitmap. Indices beyond the
// colour table, and pixels run-length data leaves out, show as index 0 does, or black.
bool HasTransparentPixel(const CDib& dib, COLORREF crTransparent,
                         COLORREF crTolerance = REGION_TOLERANCE);
