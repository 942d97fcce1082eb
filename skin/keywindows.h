#pragma once

#include "wintypes.h"

#include <cstdint>

// Which pixels count as the transparent colour: the region builder, the bitmap windows and the
// skin checker all ask here, so a pixel the checker counts as transparent is cut out of the note.

// The tolerance the bitmap windows use: 16 on each of red, green and blue.
inline constexpr COLORREF REGION_TOLERANCE = 0x00101010;

// Per byte of a 32-bit pixel in memory order (blue, green, red, unused): the key and how far above
// it a transparent value may lie. The unused byte takes every value.
struct KeyWindows
{
    std::uint32_t nLow = 0;
    std::uint32_t nRange = 0;
};

KeyWindows WindowsFor(COLORREF crTransparent, COLORREF crTolerance);

// A byte lies in its window when its distance above the key, taken modulo 256, is within the
// range: a value below the key wraps round to more than any range allows.
inline bool InWindows(std::uint32_t nPixel, const KeyWindows& windows)
{
    for (int nShift = 0; nShift < 24; nShift += 8) {
        const auto nAbove =
            static_cast<std::uint8_t>((nPixel >> nShift) - (windows.nLow >> nShift));
        if (nAbove > static_cast<std::uint8_t>(windows.nRange >> nShift)) {
            return false;
        }
    }
    return true;
}

// A pixel (0x00RRGGBB, the top byte ignored) is transparent when each of its red, green and blue
// lies between the key's value and that value plus the tolerance's (capped at 255), bounds
// included; below the key is opaque.
bool IsTransparentPixel(std::uint32_t nPixel, COLORREF crTransparent, COLORREF crTolerance);
