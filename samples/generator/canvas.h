#pragma once

#include "wintypes.h"

#include <cstdint>
#include <vector>

struct Rgb
{
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr COLORREF ToColorRef(Rgb c)
{
    return RGB(c.r, c.g, c.b);
}

// a + (b - a) * nNum / nDen, rounded; integer arithmetic so every build draws the same bytes.
Rgb Mix(Rgb a, Rgb b, int nNum, int nDen);

// A 24-bit picture drawn pixel by pixel. Shapes are predicates on pixel coordinates; a pixel is
// painted when the shape contains it, so the drawing has hard edges, as a transparent colour needs.
class CCanvas
{
public:
    CCanvas(int nWidth, int nHeight, Rgb background);

    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    Rgb GetPixel(int x, int y) const;
    void SetPixel(int x, int y, Rgb c);

    // Paints the pixels the shape contains with colourAt(x, y).
    template <typename Shape, typename Colour>
    void Paint(const Shape& contains, const Colour& colourAt)
    {
        for (int y = 0; y < m_nHeight; ++y) {
            for (int x = 0; x < m_nWidth; ++x) {
                if (contains(x, y)) {
                    SetPixel(x, y, colourAt(x, y));
                }
            }
        }
    }

    template <typename Shape>
    void Fill(const Shape& contains, Rgb c)
    {
        Paint(contains, [c](int, int) { return c; });
    }

    // The pixels of the shape that touch a pixel outside it: a one-pixel outline.
    template <typename Shape>
    void Outline(const Shape& contains, Rgb c)
    {
        Fill(
            [&contains](int x, int y) {
                return contains(x, y) && (!contains(x - 1, y) || !contains(x + 1, y) ||
                                          !contains(x, y - 1) || !contains(x, y + 1));
            },
            c);
    }

    // A complete .bmp file: 14-byte file header, 40-byte info header, bottom-up rows padded to
    // whole 32-bit words.
    std::vector<std::uint8_t> EncodeBmp() const;

private:
    int m_nWidth;
    int m_nHeight;
    std::vector<Rgb> m_pixels;
};
