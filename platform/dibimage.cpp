#include "dibimage.h"

#include "dib.h"

#include <QImageReader>

#include <algorithm>
#include <array>
#include <bit>

// Qt's reader refuses images beyond its own allocation limit (128 MB unless the environment says
// otherwise); what shows must be decided by the bitmap limits alone.
void AllowTheLargestBitmap()
{
    static const bool bAllowed = [] {
        constexpr std::uint64_t nMegabyte = std::uint64_t{1} << 20;
        constexpr auto nNeeded = static_cast<int>((DIB_MAX_PIXELS * 4 + nMegabyte - 1) / nMegabyte);
        const int nCurrent = QImageReader::allocationLimit();
        if (nCurrent != 0 && nCurrent < nNeeded) {
            QImageReader::setAllocationLimit(nNeeded);
        }
        return true;
    }();
    static_cast<void>(bAllowed);
}

namespace {

// One colour channel of a bit-field pixel, widened to 8 bits by repeating its bits (5-bit 31
// becomes 255, not 248), so white and magenta keys of 16-bit bitmaps match their colours.
class ChannelExpander
{
public:
    explicit ChannelExpander(DWORD nMask)
        : m_nMask(nMask), m_nShift(nMask == 0 ? 0 : std::countr_zero(nMask))
    {
        const int nBits = nMask == 0 ? 0 : static_cast<int>(std::bit_width(nMask)) - m_nShift;
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

    int operator()(DWORD nPixel) const { return m_table[((nPixel & m_nMask) >> m_nShift) & 0xFF]; }

private:
    DWORD m_nMask;
    int m_nShift;
    std::array<std::uint8_t, 256> m_table{};
};

QImage DecodeSixteenBits(const CDib& dib)
{
    const int nWidth = dib.GetWidth();
    const int nHeight = dib.GetHeight();
    const std::size_t nStride = dib.GetStride();
    const std::span<const std::uint8_t> bits = dib.GetBits();
    if (bits.size() < nStride * static_cast<std::size_t>(nHeight)) {
        return {};
    }
    QImage image(nWidth, nHeight, QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    const std::array<DWORD, 3> masks = dib.GetColorMasks();
    const ChannelExpander red(masks[0]);
    const ChannelExpander green(masks[1]);
    const ChannelExpander blue(masks[2]);
    for (int y = 0; y < nHeight; ++y) {
        const int nRow = dib.IsTopDown() ? y : nHeight - 1 - y;
        const std::uint8_t* pSource = bits.data() + nStride * static_cast<std::size_t>(nRow);
        auto* const pTarget = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < nWidth; ++x, pSource += 2) {
            const DWORD nPixel = pSource[0] | (DWORD{pSource[1]} << 8);
            pTarget[x] = qRgb(red(nPixel), green(nPixel), blue(nPixel));
        }
    }
    return image;
}

} // namespace

QImage CreateDDB(const CDib& dib)
{
    if (!dib.HasBitmap() || !IsWithinDibLimits(dib.GetWidth(), dib.GetHeight())) {
        return {};
    }
    if (dib.GetBitCount() == 16) {
        return DecodeSixteenBits(dib);
    }
    AllowTheLargestBitmap();
    const std::vector<std::uint8_t> chunk = dib.GetChunk();
    QImage image;
    if (!image.loadFromData(chunk.data(), static_cast<int>(chunk.size()), "BMP")) {
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}
