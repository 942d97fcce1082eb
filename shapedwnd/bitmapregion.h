#pragma once

#include "keywindows.h"
#include "wintypes.h"

#include <QRect>
#include <QRegion>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class QImage;

// The window shape of a bitmap: every maximal run of opaque pixels in a row becomes a rectangle
// one pixel high. Runs go row by row from the top, left to right within a row.

// Most rectangles handed over at once; larger shapes come in several batches, and a final batch,
// possibly empty, always closes the list.
inline constexpr std::size_t REGION_BATCH_LIMIT = 2000;

// 32-bit pixels as QImage::Format_RGB32 holds them (blue in byte 0, green, red, byte 3 ignored),
// top row first. Not owned.
struct PixelRows
{
    const std::uint32_t* pFirst = nullptr;
    std::ptrdiff_t nStride = 0; // pixels from one row to the next
    int nWidth = 0;
    int nHeight = 0;
};

// Which scan to run: the vector one where the processor has it, or the plain one everywhere.
enum class RegionScan
{
    Best,
    Portable,
};

struct RegionRuns
{
    std::vector<QRect> rects;
    // Rectangles in each batch, in order; the last entry is the final batch.
    std::vector<std::size_t> batches;
};

// The opaque runs of the pixels. No value when memory for the list can't be had.
std::optional<RegionRuns> ScanRuns(const PixelRows& pixels, COLORREF crTransparent,
                                   COLORREF crTolerance, RegionScan scan = RegionScan::Best);

// The region of the runs, made in one step from the whole list (time linear in the runs).
QRegion RegionFromRuns(const RegionRuns& runs);

// The shape of the image's non-transparent pixels, each pixel compared in its 32-bit form, so
// palette and 16-bit images are compared through the colours they display. No value for a null
// image or when memory runs out; the image is left unchanged.
std::optional<QRegion> MakeRegion(const QImage& image, COLORREF crTransparent,
                                  COLORREF crTolerance);
