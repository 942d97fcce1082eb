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

// Bit n set when pixel n of the nCount (at most 64) is opaque; higher bits clear.
std::uint64_t OpaqueBitsPortable(const std::uint32_t* pPixels, int nCount,
                                 const KeyWindows& windows)
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
std::uint64_t OpaqueBits64Sse2(const std::uint32_t* pPixels, const KeyWindows& windows)
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

// Collects the runs of one image. Runs are found from the word of opaque bits of 64 pixels at a
// time: a run starts where an opaque pixel follows a transparent one and ends where a transparent
// pixel follows an opaque one.
class CRunCollector
{
public:
    explicit CRunCollector(std::vector<QRect>& rects) : m_rects(rects) {}

    void BeginRow(int y)
    {
        m_y = y;
        m_nCarry = 0;
        m_bPending = false;
    }

    // Takes the opaque bits of the 64 pixels starting at nBase; bits past the row's end are clear.
    void TakeWord(std::uint64_t nOpaque, int nBase)
    {
        const std::uint64_t nShifted = (nOpaque << 1) | m_nCarry;
        std::uint64_t nStarts = nOpaque & ~nShifted;
        std::uint64_t nEnds = ~nOpaque & nShifted;
        m_nCarry = nOpaque >> 63;
        if ((nStarts | nEnds) == 0) {
            return;
        }
        // A word holds at most 32 ends; room is made once per word, not per rectangle.
        MakeRoom(32);
        // Ends and starts alternate, so each end closes the earliest open start.
        while (nEnds != 0) {
            const int x = nBase + std::countr_zero(nEnds);
            nEnds &= nEnds - 1;
            int x0 = m_nStart;
            if (m_bPending) {
                m_bPending = false;
            } else {
                x0 = nBase + std::countr_zero(nStarts);
                nStarts &= nStarts - 1;
            }
            m_rects.emplace_back(QPoint(x0, m_y), QPoint(x - 1, m_y));
        }
        if (nStarts != 0) {
            m_nStart = nBase + std::countr_zero(nStarts);
            m_bPending = true;
        }
    }

    void EndRow(int nWidth)
    {
        if (m_bPending) {
            m_rects.emplace_back(QPoint(m_nStart, m_y), QPoint(nWidth - 1, m_y));
        }
    }

private:
    void MakeRoom(std::size_t nMore)
    {
        if (m_rects.capacity() - m_rects.size() < nMore) {
            m_rects.reserve(std::max(m_rects.capacity() * 2, m_rects.size() + nMore));
        }
    }

    std::vector<QRect>& m_rects;
    std::uint64_t m_nCarry = 0;
    int m_y = 0;
    int m_nStart = 0;
    bool m_bPending = false;
};

// Room for every run the image can hold (half its pixels), up to a limit: untouched room costs
// no memory on most systems, while growing means copying every rectangle found so far.
std::size_t InitialCapacity(const PixelRows& pixels)
{
    constexpr std::size_t kMostReserved = std::size_t{1} << 20;
    const std::size_t nMostRuns = static_cast<std::size_t>(std::max(0, pixels.nHeight)) *
                                  ((static_cast<std::size_t>(std::max(0, pixels.nWidth)) + 1) / 2);
    return std::min(nMostRuns, kMostReserved);
}

// Full batches, then the final one, which may be empty.
std::vector<std::size_t> BatchesOf(std::size_t nRects)
{
    std::vector<std::size_t> batches(nRects / REGION_BATCH_LIMIT + 1, REGION_BATCH_LIMIT);
    batches.back() = nRects % REGION_BATCH_LIMIT;
    return batches;
}

void Scan(const PixelRows& pixels, const KeyWindows& windows, RegionScan scan,
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
}

} // namespace

std::optional<RegionRuns> ScanRuns(const PixelRows& pixels, COLORREF crTransparent,
                                   COLORREF crTolerance, RegionScan scan)
{
    try {
        RegionRuns runs;
        runs.rects.reserve(InitialCapacity(pixels));
        CRunCollector collector(runs.rects);
        Scan(pixels, WindowsFor(crTransparent, crTolerance), scan, collector);
        runs.batches = BatchesOf(runs.rects.size());
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
