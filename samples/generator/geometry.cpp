#include "geometry.h"

#include <algorithm>

namespace {

// Twice the coordinate of a pixel centre.
std::int64_t Centre2(int n)
{
    return 2 * std::int64_t{n} + 1;
}

std::int64_t Square(std::int64_t n)
{
    return n * n;
}

} // namespace

bool RoundRect::operator()(int x, int y) const
{
    const std::int64_t px = Centre2(x);
    const std::int64_t py = Centre2(y);
    if (px < 2 * std::int64_t{left} || px > 2 * std::int64_t{right} || py < 2 * std::int64_t{top} ||
        py > 2 * std::int64_t{bottom}) {
        return false;
    }
    // The nearest point of the rectangle shrunk by the radius; corners are circles around it.
    const std::int64_t nx =
        std::clamp(px, 2 * std::int64_t{left + radius}, 2 * std::int64_t{right - radius});
    const std::int64_t ny =
        std::clamp(py, 2 * std::int64_t{top + radius}, 2 * std::int64_t{bottom - radius});
    return Square(px - nx) + Square(py - ny) <= Square(2 * std::int64_t{radius});
}

bool Circle::operator()(int x, int y) const
{
    return Square(Centre2(x) - 2 * std::int64_t{cx}) + Square(Centre2(y) - 2 * std::int64_t{cy}) <=
           Square(2 * std::int64_t{radius});
}

bool Stroke::operator()(int x, int y) const
{
    const std::int64_t px = Centre2(x) - 2 * std::int64_t{ax};
    const std::int64_t py = Centre2(y) - 2 * std::int64_t{ay};
    const std::int64_t dx = 2 * (std::int64_t{bx} - ax);
    const std::int64_t dy = 2 * (std::int64_t{by} - ay);
    // In half-pixel units the radius is quarterRadius / 2, so compare 4 * distance^2 with its
    // square.
    const std::int64_t nLimit = Square(quarterRadius);
    const std::int64_t nLength2 = Square(dx) + Square(dy);
    const std::int64_t nDot = px * dx + py * dy;
    if (nLength2 == 0 || nDot <= 0) {
        return 4 * (Square(px) + Square(py)) <= nLimit;
    }
    if (nDot >= nLength2) {
        return 4 * (Square(px - dx) + Square(py - dy)) <= nLimit;
    }
    const std::int64_t nCross = px * dy - py * dx;
    return 4 * Square(nCross) <= nLimit * nLength2;
}

bool HalfPlane::operator()(int x, int y) const
{
    const std::int64_t px = Centre2(x) - 2 * std::int64_t{ax};
    const std::int64_t py = Centre2(y) - 2 * std::int64_t{ay};
    const std::int64_t dx = std::int64_t{bx} - ax;
    const std::int64_t dy = std::int64_t{by} - ay;
    return dx * py - dy * px >= 0;
}
