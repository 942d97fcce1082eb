#include "transparentpixels.h"

#include "channelexpander.h"
#include "dib.h"
#include "runlengthwalk.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define TAVELO_SCAN_SSE2 1
#include <emmintrin.h>
#endif

namespace {

using Bits = std::span<const std::uint8_t>;

std::uint32_t PackRgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return (r << 16) | (g << 8) | b;
}

// The pixel rows in file order; the order does not matter when any pixel will do.
struct Rows
{
    Bits bits;
    std::size_t nStride = 0;
    std::size_t nWidth = 0;
    std::size_t nHeight = 0;

    const std::uint8_t* Row(std::size_t y) const { return bits.data() + nStride * y; }
};

#ifdef TAVELO_SCAN_SSE2
// Sixteen 24-bit pixels (48 bytes) at a time: each byte is compared with its channel's window,
// and a pixel is transparent when its three bytes all are.
class CSse2Scan24
{
public:
    static constexpr std::size_t kPixels = 16;

    explicit CSse2Scan24(const KeyWindows& windows)
    {
        for (std::size_t k = 0; k < 3; ++k) {
            alignas(16) std::array<std::uint8_t, 16> low{};
            alignas(16) std::array<std::uint8_t, 16> range{};
            for (std::size_t n = 0; n < 16; ++n) {
                const std::size_t nChannel = (16 * k + n) % 3;
                low[n] = static_cast<std::uint8_t>(windows.nLow >> (8 * nChannel));
                range[n] = static_cast<std::uint8_t>(windows.nRange >> (8 * nChannel));
            }
            m_low[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(low.data()));
            m_range[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(range.data()));
        }
    }

    bool Any(const std::uint8_t* p) const
    {
        constexpr std::uint64_t kFirstBytes = 0x249249249249; // byte 0 of each pixel
        std::uint64_t nInWindow = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
            const __m128i beyond = _mm_subs_epu8(_mm_sub_epi8(bytes, m_low[k]), m_range[k]);
            const auto nMask = static_cast<std::uint32_t>(
                _mm_movemask_epi8(_mm_cmpeq_epi8(beyond, _mm_setzero_si128())));
            nInWindow |= std::uint64_t{nMask} << (16 * k);
        }
        return (nInWindow & (nInWindow >> 1) & (nInWindow >> 2) & kFirstBytes) != 0;
    }

private:
    // Plain arrays: std::array would drop the vector type's alignment attribute.
    __m128i m_low[3]{};
    __m128i m_range[3]{};
};
#endif

// 24- and 32-bit pixels stored as blue, green, red: compared in place, one channel at a time, so
// most pixels are done with after the first; 24-bit rows sixteen pixels at a time where the
// processor can.
template <std::size_t nBytesPerPixel>
bool AnyDirectPixel(const Rows& rows, const KeyWindows& windows)
{
    const auto low = [&](int n) { return static_cast<std::uint8_t>(windows.nLow >> (8 * n)); };
    const auto range = [&](int n) { return static_cast<std::uint8_t>(windows.nRange >> (8 * n)); };
    const std::uint8_t nLowB = low(0), nLowG = low(1), nLowR = low(2);
    const std::uint8_t nRangeB = range(0), nRangeG = range(1), nRangeR = range(2);
#ifdef TAVELO_SCAN_SSE2
    const CSse2Scan24 vector(windows);
#endif
    for (std::size_t y = 0; y < rows.nHeight; ++y) {
        const std::uint8_t* p = rows.Row(y);
        const std::uint8_t* const pEnd = p + rows.nWidth * nBytesPerPixel;
#ifdef TAVELO_SCAN_SSE2
        if constexpr (nBytesPerPixel == 3) {
            for (; pEnd - p >= static_cast<std::ptrdiff_t>(3 * CSse2Scan24::kPixels);
                 p += 3 * CSse2Scan24::kPixels) {
                if (vector.Any(p)) {
                    return true;
                }
            }
        }
#endif
        for (; p != pEnd; p += nBytesPerPixel) {
            if (static_cast<std::uint8_t>(p[0] - nLowB) <= nRangeB &&
                static_cast<std::uint8_t>(p[1] - nLowG) <= nRangeG &&
                static_cast<std::uint8_t>(p[2] - nLowR) <= nRangeR) {
                return true;
            }
        }
    }
    return false;
}

// 16- and 32-bit pixels with colour masks, widened as the screen copy widens them.
bool AnyMaskedPixel(const Rows& rows, const CDib& dib, const KeyWindows& windows)
{
    const std::array<DWORD, 3> masks = dib.GetColorMasks();
    const CChannelExpander red(masks[0]);
    const CChannelExpander green(masks[1]);
    const CChannelExpander blue(masks[2]);
    const std::size_t nBytes = dib.GetBitCount() / 8;
    for (std::size_t y = 0; y < rows.nHeight; ++y) {
        const std::uint8_t* p = rows.Row(y);
        for (std::size_t x = 0; x < rows.nWidth; ++x, p += nBytes) {
            DWORD nPixel = p[0] | (DWORD{p[1]} << 8);
            if (nBytes == 4) {
                nPixel |= (DWORD{p[2]} << 16) | (DWORD{p[3]} << 24);
            }
            if (InWindows(PackRgb(red(nPixel), green(nPixel), blue(nPixel)), windows)) {
                return true;
            }
        }
    }
    return false;
}

using IndexTable = std::array<bool, 256>;

// Which palette indices are transparent; those beyond the colour table show black.
IndexTable TransparentIndices(const CDib& dib, const KeyWindows& windows)
{
    IndexTable table{};
    table.fill(InWindows(0, windows));
    const Bits colours = dib.GetColorTable();
    for (std::size_t n = 0; n < colours.size() / 4 && n < table.size(); ++n) {
        table[n] =
            InWindows(PackRgb(colours[4 * n + 2], colours[4 * n + 1], colours[4 * n]), windows);
    }
    return table;
}

bool AnyIndexedPixel(const Rows& rows, WORD nBitCount, const IndexTable& transparent)
{
    const std::size_t nPerByte = 8 / nBitCount;
    const unsigned nMask = (1U << nBitCount) - 1;
    for (std::size_t y = 0; y < rows.nHeight; ++y) {
        const std::uint8_t* const pRow = rows.Row(y);
        for (std::size_t x = 0; x < rows.nWidth; ++x) {
            // The leftmost pixel sits in the highest bits of its byte.
            const auto nShift = static_cast<unsigned>((nPerByte - 1 - x % nPerByte) * nBitCount);
            if (transparent[(pRow[x / nPerByte] >> nShift) & nMask]) {
                return true;
            }
        }
    }
    return false;
}

// Run-length data: a place it never sets shows index 0.
bool AnyRunLengthPixel(Bits bits, const CDib& dib, const IndexTable& transparent)
{
    const auto nWidth = static_cast<std::size_t>(dib.GetWidth());
    const auto nHeight = static_cast<std::size_t>(dib.GetHeight());
    std::size_t nSet = 0;
    const bool bFound = WalkRunLength(bits, dib.GetCompression() == BI_RLE4, nWidth, nHeight,
                                      [&](std::size_t, std::size_t, std::uint8_t nIndex) {
                                          ++nSet;
                                          return transparent[nIndex];
                                      });
    return bFound || (transparent[0] && nSet < nWidth * nHeight);
}

} // namespace

bool HasTransparentPixel(const CDib& dib, COLORREF crTransparent, COLORREF crTolerance)
{
    if (!dib.HasBitmap() || !IsWithinDibLimits(dib.GetWidth(), dib.GetHeight())) {
        return false;
    }
    const KeyWindows windows = WindowsFor(crTransparent, crTolerance);
    const WORD nBitCount = dib.GetBitCount();
    const DWORD nCompression = dib.GetCompression();
    const Bits bits = dib.GetBits();
    if (nCompression == BI_RLE8 || nCompression == BI_RLE4) {
        const IndexTable transparent = TransparentIndices(dib, windows);
        return std::ranges::any_of(transparent, [](bool b) { return b; }) &&
               AnyRunLengthPixel(bits, dib, transparent);
    }
    const Rows rows{bits, dib.GetStride(), static_cast<std::size_t>(dib.GetWidth()),
                    static_cast<std::size_t>(dib.GetHeight())};
    if (rows.nStride * rows.nHeight > bits.size()) {
        return false;
    }
    switch (nBitCount) {
    case 1:
    case 4:
    case 8: {
        const IndexTable transparent = TransparentIndices(dib, windows);
        return std::ranges::any_of(transparent, [](bool b) { return b; }) &&
               AnyIndexedPixel(rows, nBitCount, transparent);
    }
    case 16:
        return AnyMaskedPixel(rows, dib, windows);
    case 24:
        return AnyDirectPixel<3>(rows, windows);
    case 32:
        return nCompression == BI_BITFIELDS ? AnyMaskedPixel(rows, dib, windows)
                                            : AnyDirectPixel<4>(rows, windows);
    default:
        return false;
    }
}
