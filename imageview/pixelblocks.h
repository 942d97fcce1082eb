#pragma once

#include <QImage>
#include <QRect>

// The pixels of rcSource (inside image) scaled by dDeviceScale with nearest-neighbour sampling,
// for a 32-bit image, into scaled (its memory reused when it already has the size and format).
// A whole scale repeats each pixel as an exact square block; a scale below 1 picks one pixel per
// target pixel. The result keeps the source's format. bGrid (whole scales only) flips the top
// bit of each channel along the top and left side of every block, a line that shows on any
// colour; fully transparent pixels stay as they are. Returns false when nothing was scaled.
bool ScaleToBlocks(const QImage& image, const QRect& rcSource, double dDeviceScale, bool bGrid,
                   QImage& scaled);
