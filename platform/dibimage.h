#pragma once

#include <QImage>

class CDib;

// A screen copy of the bitmap for drawing, in Format_RGB32; a null image when the object holds no
// bitmap or the bitmap cannot be decoded. The caller owns the result.
QImage CreateDDB(const CDib& dib);
