#include "channelexpander.h"

#include <algorithm>
#include <bit>
#include <cstddef>

CChannelExpander::CChannelExpander(DWORD nMask)
    : m_nMask(nMask), m_nShift(nMask == 0 ? 0 : std::countr_zero(nMask))
{
    const int nBits = nMask == 0 ? 0 : static_cast<int>(std::bit_width(nMask)) - m_nShift;
    // Channels wider than 8 bits keep their top 8.
    m_nShift += std::max(nBits - 8, 0);
    const int nKept = std::min(nBits, 8);
    for (std::size_t nValue = 0; nKept > 0 && nValue < (std::size_t{1} << nKept); ++nValue) {
        std::size_t nWide = 0;
        int nFilled = 0;
        for (; nFilled < 8; nFilled += nKept) {
            nWide = (nWide << nKept) | nValue;
        }
        m_table[nValue] = static_cast<std::uint8_t>(nWide >> (nFilled - 8));
    }
}
