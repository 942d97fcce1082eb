#include "testimages.h"

#include "bitmaps.h"

std::unique_ptr<CDib> MakeDib(int nWidth, int nHeight, QColor fill,
                              const std::map<std::pair<int, int>, QColor>& pixels)
{
    BmpLayout layout;
    layout.width = nWidth;
    layout.height = nHeight;
    const std::uint32_t nStride = StrideFor(24, nWidth);
    layout.bits.assign(std::size_t{nStride} * static_cast<std::size_t>(nHeight), 0);
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x) {
            const auto it = pixels.find({x, y});
            const QColor colour = it != pixels.end() ? it->second : fill;
            // Rows are stored bottom-up, pixels blue first.
            const std::size_t nAt =
                std::size_t{nStride} * static_cast<std::size_t>(nHeight - 1 - y) +
                static_cast<std::size_t>(x) * 3;
            layout.bits[nAt] = static_cast<std::uint8_t>(colour.blue());
            layout.bits[nAt + 1] = static_cast<std::uint8_t>(colour.green());
            layout.bits[nAt + 2] = static_cast<std::uint8_t>(colour.red());
        }
    }
    return DibFromBytes(MakeBmp(layout));
}
