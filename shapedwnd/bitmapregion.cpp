#include "bitmapregion.h"

#include <QImage>

#include <algorithm>
#include <bit>
#include <new>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define TAVELO_REGION_SSE2 1
#include <emmintrin.h>
#endif

namespace {

// Per byte of a pixel, in its memory order (blue, green, red, unused): the key and how far above
// it a transparent value may lie. The unused byte takes every value.
struct ChannelWindows
{
    std::uint32_t nLow = 0;
    std::uint32_t nRange = 0;
};

ChannelWindows WindowsFor(COLORREF crTransparent, COLORREF crTolerance)
{
    const BYTE low[3] = {GetBValue(crTransparent), GetGValue(crTransparent),
                         GetRValue(crTransparent)};
    const BYTE tolerance[3] = {GetBValue(crTolerance), GetGValue(crTolerance),
                               GetRValue(crTolerance)};
    ChannelWindows windows;
    for (int n = 0; n < 3; ++n) {
        const int nHigh = std::min(255, low[n] + tolerance[n]);
        windows.nLow |= std::uint32_t{low[n]} << (8 * n);
        windows.nRange |= static_cast<std::uint32_t>(nHigh - low[n]) << (8 * n);
    }
    windows.nRange |= 0xFF000000u;
    return windows;
}

// A byte lies in its window when its distance above the key, taken modulo 256, is within the
// range: a value below the key wraps round to more than any range allows.
bool InWindows(std::uint32_t nPixel, const ChannelWindows& windows)
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

// Bit n set when pixel n of the nCount (at most 64) is opaque; higher bits clear.
std::uint64_t OpaqueBitsPortable(const std::uint32_t* pPixels, int nCount,
                                 const ChannelWindows& windows)
{
    std::uint64_t nBits = 0;
    for (int n = 0; n < nCount; ++n) {
        if (!InWindows(pPixels[n], windows)) {
            nBits |= std::uint64_t{1} << n;
        }
    }
    return nBits;
}

#ifdef TAVELO_REGION_SSE2
// The same for exactly 64 pixels, sixteen at a time.
std::uint64_t OpaqueBits64Sse2(const std::uint32_t* pPixels, const ChannelWindows& windows)
{
    const __m128i low = _mm_set1_epi32(static_cast<int>(windows.nLow));
    const __m128i range = _mm_set1_epi32(static_cast<int>(windows.nRange));
    const __m128i zero = _mm_setzero_si128();
    const auto transparent4 = [&](const std::uint32_t* p) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i beyond = _mm_subs_epu8(_mm_sub_epi8(pixels, low), range);
        return _mm_cmpeq_epi32(beyond, zero);
    };
    std::uint64_t nTransparent = 0;
    for (int n = 0; n < 64; n += 16) {
        const __m128i first =
            _mm_packs_epi32(transparent4(pPixels + n), transparent4(pPixels + n + 4));
        const __m128i second =
            _mm_packs_epi32(transparent4(pPixels + n + 8), transparent4(pPixels + n + 12));
        const auto nMask =
            static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(first, second)));
        nTransparent |= std::uint64_t{nMask} << n;
    }
    return ~nTransparent;
}
#endif

// Collects the runs of one image, closing a batch at every REGION_BATCH_LIMIT rectangles.
class CRunCollector
{
public:
    explicit CRunCollector(RegionRuns& runs) : m_runs(runs) {}

    void BeginRow(int y)
    {
        m_y = y;
        m_bInRun = false;
    }

    // Takes the opaque bits of the 64 pixels starting at nBase.
    void TakeWord(std::uint64_t nOpaque, int nBase)
    {
        int nFrom = 0;
        while (nFrom < 64) {
            // In a run the next clear bit ends it; outside one the next set bit starts one.
            const std::uint64_t nLook =
                (m_bInRun ? ~nOpaque : nOpaque) & (~std::uint64_t{0} << nFrom);
            if (nLook == 0) {
                return;
            }
            const int nAt = std::countr_zero(nLook);
            if (m_bInRun) {
                Add(m_nStart, nBase + nAt);
            } else {
                m_nStart = nBase + nAt;
            }
            m_bInRun = !m_bInRun;
            nFrom = nAt;
        }
    }

    void EndRow(int nWidth)
    {
        if (m_bInRun) {
            Add(m_nStart, nWidth);
        }
    }

    void Finish() { m_runs.batches.push_back(m_nInBatch); }

private:
    void Add(int x0, int x)
    {
        m_runs.rects.emplace_back(x0, m_y, x - x0, 1);
        if (++m_nInBatch == REGION_BATCH_LIMIT) {
            m_runs.batches.push_back(m_nInBatch);
            m_nInBatch = 0;
        }
    }

    RegionRuns& m_runs;
    std::size_t m_nInBatch = 0;
    int m_y = 0;
    int m_nStart = 0;
    bool m_bInRun = false;
};

void Scan(const PixelRows& pixels, const ChannelWindows& windows, RegionScan scan,
          CRunCollector& collector)
{
#ifdef TAVELO_REGION_SSE2
    const bool bVector = scan == RegionScan::Best;
#else
    static_cast<void>(scan);
    constexpr bool bVector = false;
#endif
    for (int y = 0; y < pixels.nHeight; ++y) {
        const std::uint32_t* const pRow = pixels.pFirst + y * pixels.nStride;
        collector.BeginRow(y);
        for (int x = 0; x < pixels.nWidth; x += 64) {
            const int nCount = std::min(64, pixels.nWidth - x);
            std::uint64_t nOpaque = 0;
#ifdef TAVELO_REGION_SSE2
            if (bVector && nCount == 64) {
                nOpaque = OpaqueBits64Sse2(pRow + x, windows);
            } else {
                nOpaque = OpaqueBitsPortable(pRow + x, nCount, windows);
            }
#else
            nOpaque = OpaqueBitsPortable(pRow + x, nCount, windows);
#endif
            collector.TakeWord(nOpaque, x);
        }
        collector.EndRow(pixels.nWidth);
    }
    static_cast<void>(bVector);
    collector.Finish();
}

} // namespace

bool IsTransparentPixel(std::uint32_t nPixel, COLORREF crTransparent, COLORREF crTolerance)
{
    return InWindows(nPixel, WindowsFor(crTransparent, crTolerance));
}

std::optional<RegionRuns> ScanRuns(const PixelRows& pixels, COLORREF crTransparent,
                                   COLORREF crTolerance, RegionScan scan)
{
    try {
        RegionRuns runs;
        CRunCollector collector(runs);
        Scan(pixels, WindowsFor(crTransparent, crTolerance), scan, collector);
        return runs;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

QRegion RegionFromRuns(const RegionRuns& runs)
{
    // The runs are already in the order a region keeps its rectangles (by row, then by column,
    // never touching), so the region takes them as they are instead of joining them one by one.
    QRegion region;
    region.setRects(runs.rects.data(), static_cast<int>(runs.rects.size()));
    return region;
}

std::optional<QRegion> MakeRegion(const QImage& image, COLORREF crTransparent, COLORREF crTolerance)
{
    if (image.isNull()) {
        return std::nullopt;
    }
    QImage converted;
    const QImage* pImage = &image;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
        converted = image.convertToFormat(QImage::Format_RGB32);
        if (converted.isNull()) {
            return std::nullopt;
        }
        pImage = &converted;
    }
    const PixelRows pixels{reinterpret_cast<const std::uint32_t*>(pImage->constBits()),
                           pImage->bytesPerLine() / 4, pImage->width(), pImage->height()};
    const std::optional<RegionRuns> runs = ScanRuns(pixels, crTransparent, crTolerance);
    if (!runs) {
        return std::nullopt;
    }
    try {
        return RegionFromRuns(*runs);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}
