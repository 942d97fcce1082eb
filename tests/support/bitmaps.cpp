#include "bitmaps.h"

#include "bytestream.h"

namespace {

void Append16(std::vector<std::uint8_t>& out, std::uint32_t n)
{
    out.push_back(static_cast<std::uint8_t>(n & 0xFF));
    out.push_back(static_cast<std::uint8_t>((n >> 8) & 0xFF));
}

void Append32(std::vector<std::uint8_t>& out, std::uint32_t n)
{
    Append16(out, n & 0xFFFF);
    Append16(out, n >> 16);
}

} // namespace

std::uint32_t StrideFor(WORD bitCount, LONG width)
{
    return ((static_cast<std::uint32_t>(bitCount) * static_cast<std::uint32_t>(width) + 31) / 32) *
           4;
}

void PutLE32(std::vector<std::uint8_t>& bytes, std::size_t nOffset, std::uint32_t n)
{
    for (std::size_t i = 0; i < 4; ++i) {
        bytes.at(nOffset + i) = static_cast<std::uint8_t>((n >> (8 * i)) & 0xFF);
    }
}

std::uint32_t GetLE32(const std::vector<std::uint8_t>& bytes, std::size_t nOffset)
{
    std::uint32_t n = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        n |= static_cast<std::uint32_t>(bytes.at(nOffset + i)) << (8 * i);
    }
    return n;
}

std::vector<std::uint8_t> MakeBmp(const BmpLayout& layout)
{
    std::vector<std::uint8_t> bits = layout.bits;
    if (bits.empty()) {
        const auto rows =
            static_cast<std::uint32_t>(layout.height < 0 ? -layout.height : layout.height);
        bits.assign(std::size_t{StrideFor(layout.bitCount, layout.width)} * rows, 0);
    }
    const auto nOffset = static_cast<std::uint32_t>(14 + 40 + layout.masks.size() +
                                                    layout.table.size() + layout.gapBytes);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Append32(out, nOffset + static_cast<std::uint32_t>(bits.size()));
    Append32(out, 0);
    Append32(out, nOffset);
    Append32(out, 40);
    Append32(out, static_cast<std::uint32_t>(layout.width));
    Append32(out, static_cast<std::uint32_t>(layout.height));
    Append16(out, 1);
    Append16(out, layout.bitCount);
    Append32(out, layout.compression);
    Append32(out, layout.sizeImage);
    Append32(out, 2835);
    Append32(out, 2835);
    Append32(out, layout.clrUsed);
    Append32(out, 0);
    out.insert(out.end(), layout.masks.begin(), layout.masks.end());
    out.insert(out.end(), layout.table.begin(), layout.table.end());
    out.insert(out.end(), layout.gapBytes, 0);
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

std::vector<std::uint8_t> MakeSolidBmp(LONG width, LONG height, std::uint8_t r, std::uint8_t g,
                                       std::uint8_t b)
{
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    const std::uint32_t stride = StrideFor(24, width);
    layout.bits.assign(std::size_t{stride} * static_cast<std::uint32_t>(height), 0);
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 0; x < width; ++x) {
            const std::size_t i = std::size_t{stride} * static_cast<std::uint32_t>(y) +
                                  3 * static_cast<std::uint32_t>(x);
            layout.bits[i] = b;
            layout.bits[i + 1] = g;
            layout.bits[i + 2] = r;
        }
    }
    return MakeBmp(layout);
}

std::unique_ptr<CDib> DibFromBytes(const std::vector<std::uint8_t>& bytes)
{
    auto pDib = std::make_unique<CDib>();
    CMemorySource source(bytes);
    if (pDib->Read(source) == 0) {
        return nullptr;
    }
    return pDib;
}
