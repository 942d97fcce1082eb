#include "dibimage.h"

#include "channelexpander.h"
#include "dib.h"
#include "runlengthwalk.h"

#include <QImageReader>

#include <array>

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

// 16-bit pixels, and 32-bit ones with their own masks: Qt's reader would keep the low 8 bits of
// channels wider than 8 (10-10-10 pictures come out in wrong colours).
QImage DecodeMaskedPixels(const CDib& dib)
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
    const CChannelExpander red(masks[0]);
    const CChannelExpander green(masks[1]);
    const CChannelExpander blue(masks[2]);
    const std::size_t nBytes = dib.GetBitCount() / 8;
    for (int y = 0; y < nHeight; ++y) {
        const int nRow = dib.IsTopDown() ? y : nHeight - 1 - y;
        const std::uint8_t* pSource = bits.data() + nStride * static_cast<std::size_t>(nRow);
        auto* const pTarget = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < nWidth; ++x, pSource += nBytes) {
            DWORD nPixel = pSource[0] | (DWORD{pSource[1]} << 8);
            if (nBytes == 4) {
                nPixel |= (DWORD{pSource[2]} << 16) | (DWORD{pSource[3]} << 24);
            }
            pTarget[x] = qRgb(red(nPixel), green(nPixel), blue(nPixel));
        }
    }
    return image;
}

// Qt's reader leaves the places run-length data skips as the memory held them, so a picture
// would change from one decoding to the next; here they show index 0, as the checker counts them.
QImage DecodeRunLength(const CDib& dib)
{
    const int nWidth = dib.GetWidth();
    const int nHeight = dib.GetHeight();
    QImage image(nWidth, nHeight, QImage::Format_Indexed8);
    if (image.isNull()) {
        return {};
    }
    image.fill(0);
    // Indices beyond the colour table show black.
    QList<QRgb> colours(256, qRgb(0, 0, 0));
    const std::span<const std::uint8_t> table = dib.GetColorTable();
    for (std::size_t n = 0; n < table.size() / 4 && n < 256; ++n) {
        colours[static_cast<qsizetype>(n)] = qRgb(table[4 * n + 2], table[4 * n + 1], table[4 * n]);
    }
    image.setColorTable(colours);
    WalkRunLength(dib.GetBits(), dib.GetCompression() == BI_RLE4, static_cast<std::size_t>(nWidth),
                  static_cast<std::size_t>(nHeight),
                  [&](std::size_t x, std::size_t y, std::uint8_t nIndex) {
                      image.scanLine(nHeight - 1 - static_cast<int>(y))[x] = nIndex;
                      return false;
                  });
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage CreateDDB(const CDib& dib)
{
    if (!dib.HasBitmap() || !IsWithinDibLimits(dib.GetWidth(), dib.GetHeight())) {
        return {};
    }
    if (dib.GetBitCount() == 16 || dib.GetCompression() == BI_BITFIELDS) {
        return DecodeMaskedPixels(dib);
    }
    if (dib.GetCompression() == BI_RLE8 || dib.GetCompression() == BI_RLE4) {
        return DecodeRunLength(dib);
    }
    AllowTheLargestBitmap();
    const std::vector<std::uint8_t> chunk = dib.GetChunk();
    QImage image;
    if (!image.loadFromData(chunk.data(), static_cast<int>(chunk.size()), "BMP")) {
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}
