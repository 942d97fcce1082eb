#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Follows BI_RLE8 or BI_RLE4 pixel data without drawing it: put(x, y, nIndex) for each pixel the
// data sets inside a nWidth x nHeight image, y counted from the bottom row as the data stores
// rows. Stops when put returns true (and returns true), at the end of the bitmap, or where the
// data ends or breaks off. Every escape moves forward only, so each place is set at most once;
// places never set are for the caller to fill (they show palette index 0). Pixels past the end
// of a row are dropped.
template <class Put>
bool WalkRunLength(std::span<const std::uint8_t> bits, bool bFourBits, std::size_t nWidth,
                   std::size_t nHeight, Put put)
{
    const auto nibble = [](std::uint8_t nByte, std::size_t n) {
        return static_cast<std::uint8_t>(n % 2 == 0 ? nByte >> 4 : nByte & 0x0F);
    };
    std::size_t nAt = 0;
    std::size_t x = 0;
    std::size_t y = 0;
    const auto set = [&](std::uint8_t nIndex) {
        const bool bStop = x < nWidth && put(x, y, nIndex);
        ++x;
        return bStop;
    };
    while (y < nHeight && nAt + 2 <= bits.size()) {
        const std::uint8_t nCount = bits[nAt];
        const std::uint8_t nValue = bits[nAt + 1];
        nAt += 2;
        if (nCount > 0) {
            for (std::size_t n = 0; n < nCount; ++n) {
                if (set(bFourBits ? nibble(nValue, n) : nValue)) {
                    return true;
                }
            }
        } else if (nValue == 0) {
            x = 0;
            ++y;
        } else if (nValue == 1) {
            break;
        } else if (nValue == 2) {
            if (nAt + 2 > bits.size()) {
                break;
            }
            x += bits[nAt];
            y += bits[nAt + 1];
            nAt += 2;
        } else {
            // Literal indices, padded to a whole 16-bit word.
            const std::size_t nBytes = bFourBits ? (nValue + 1U) / 2 : nValue;
            if (nAt + nBytes > bits.size()) {
                break;
            }
            for (std::size_t n = 0; n < nValue; ++n) {
                if (set(bFourBits ? nibble(bits[nAt + n / 2], n) : bits[nAt + n])) {
                    return true;
                }
            }
            nAt += nBytes + nBytes % 2;
        }
    }
    return false;
}
