#include "canvas.h"

#include <stdexcept>

namespace {

void PutWord(std::vector<std::uint8_t>& bytes, std::uint16_t n)
{
    bytes.push_back(static_cast<std::uint8_t>(n & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(n >> 8));
}

void PutDWord(std::vector<std::uint8_t>& bytes, std::uint32_t n)
{
    PutWord(bytes, static_cast<std::uint16_t>(n & 0xFFFF));
    PutWord(bytes, static_cast<std::uint16_t>(n >> 16));
}

std::uint8_t MixChannel(std::uint8_t a, std::uint8_t b, int nNum, int nDen)
{
    const int nDelta = (b - a) * nNum;
    const int nRounded = nDelta >= 0 ? (nDelta + nDen / 2) / nDen : -((-nDelta + nDen / 2) / nDen);
    const int n = a + nRounded;
    return static_cast<std::uint8_t>(n < 0 ? 0 : (n > 255 ? 255 : n));
}

} // namespace

Rgb Mix(Rgb a, Rgb b, int nNum, int nDen)
{
    return {MixChannel(a.r, b.r, nNum, nDen), MixChannel(a.g, b.g, nNum, nDen),
            MixChannel(a.b, b.b, nNum, nDen)};
}

CCanvas::CCanvas(int nWidth, int nHeight, Rgb background)
    : m_nWidth(nWidth), m_nHeight(nHeight),
      m_pixels(static_cast<std::size_t>(nWidth) * static_cast<std::size_t>(nHeight), background)
{
    if (nWidth <= 0 || nHeight <= 0) {
        throw std::invalid_argument("a canvas needs a positive size");
    }
}

Rgb CCanvas::GetPixel(int x, int y) const
{
    return m_pixels.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) +
                       static_cast<std::size_t>(x));
}

void CCanvas::SetPixel(int x, int y, Rgb c)
{
    m_pixels.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) +
                static_cast<std::size_t>(x)) = c;
}

std::vector<std::uint8_t> CCanvas::EncodeBmp() const
{
    constexpr std::uint32_t nHeaders = 14 + 40;
    const auto nStride = static_cast<std::uint32_t>((m_nWidth * 3 + 3) / 4 * 4);
    const std::uint32_t nPixelBytes = nStride * static_cast<std::uint32_t>(m_nHeight);
    constexpr std::int32_t nPixelsPerMetre = 2835; // 72 dots per inch

    std::vector<std::uint8_t> bytes;
    bytes.reserve(nHeaders + nPixelBytes);
    bytes.push_back('B');
    bytes.push_back('M');
    PutDWord(bytes, nHeaders + nPixelBytes);
    PutDWord(bytes, 0); // two reserved words
    PutDWord(bytes, nHeaders);

    PutDWord(bytes, 40);
    PutDWord(bytes, static_cast<std::uint32_t>(m_nWidth));
    PutDWord(bytes, static_cast<std::uint32_t>(m_nHeight));
    PutWord(bytes, 1);  // planes
    PutWord(bytes, 24); // bits per pixel
    PutDWord(bytes, BI_RGB);
    PutDWord(bytes, nPixelBytes);
    PutDWord(bytes, static_cast<std::uint32_t>(nPixelsPerMetre));
    PutDWord(bytes, static_cast<std::uint32_t>(nPixelsPerMetre));
    PutDWord(bytes, 0); // colours used
    PutDWord(bytes, 0); // colours important

    for (int y = m_nHeight - 1; y >= 0; --y) {
        const std::size_t nRowStart = bytes.size();
        for (int x = 0; x < m_nWidth; ++x) {
            const Rgb c = GetPixel(x, y);
            bytes.push_back(c.b);
            bytes.push_back(c.g);
            bytes.push_back(c.r);
        }
        bytes.resize(nRowStart + nStride, 0);
    }
    return bytes;
}
