#pragma once

#include "wintypes.h"

#include <array>
#include <cstdint>

// One colour channel of a bit-field pixel, widened to 8 bits by repeating its bits (5-bit 31
// becomes 255, not 248), so white and magenta keys of 16-bit bitmaps match their colours.
class CChannelExpander
{
public:
    explicit CChannelExpander(DWORD nMask);

    std::uint8_t operator()(DWORD nPixel) const
    {
        return m_table[((nPixel & m_nMask) >> m_nShift) & 0xFF];
    }

private:
    DWORD m_nMask;
    int m_nShift;
    std::array<std::uint8_t, 256> m_table{};
};
