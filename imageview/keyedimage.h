#pragma once

#include "wintypes.h"

#include <QImage>

// The colour-keyed form of a screen copy, made once and drawn many times: every pixel exactly
// equal to crTransparent becomes fully transparent, every other pixel stays opaque, so drawing
// it leaves the destination unchanged under the key and replaces it elsewhere. An image without
// a keyed pixel comes back as Format_RGB32 (the fastest to draw), one with keyed pixels as
// Format_ARGB32_Premultiplied. The source is not changed. A null image stays null.
QImage CreateKeyedImage(const QImage& image, COLORREF crTransparent);

// The keyed image as it shows drawn on a solid background, made in one pass: Format_RGB32 with
// every pixel exactly equal to crTransparent in rgbBackground. The source is not changed.
QImage CreateKeyedImageOn(const QImage& image, COLORREF crTransparent, QRgb rgbBackground);
