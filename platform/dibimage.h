#pragma once

#include <QImage>

class CDib;

// A screen copy of the bitmap for drawing, in Format_RGB32; a null image when the object holds no
// bitmap, the bitmap lies beyond the limits of dib.h or cannot be decoded. Every bitmap within
// the limits decodes whatever Qt's own allocation limit. Channels of 16-bit bitmaps and of 32-bit
// ones with colour masks are widened by repeating their bits (5-bit 31 -> 255), or keep their top
// 8 bits when wider. The caller owns the result.
QImage CreateDDB(const CDib& dib);

// Lets Qt's image reader decode every image within the limits of dib.h (it may refuse smaller ones
// by default). Safe to call from any thread.
void AllowTheLargestBitmap();
