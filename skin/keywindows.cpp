#include "keywindows.h"

#include <algorithm>

KeyWindows WindowsFor(COLORREF crTransparent, COLORREF crTolerance)
{
    const BYTE low[3] = {GetBValue(crTransparent), GetGValue(crTransparent),
                         GetRValue(crTransparent)};
    const BYTE tolerance[3] = {GetBValue(crTolerance), GetGValue(crTolerance),
                               GetRValue(crTolerance)};
    KeyWindows windows;
    for (int n = 0; n < 3; ++n) {
        const int nHigh = std::min(255, low[n] + tolerance[n]);
        windows.nLow |= std::uint32_t{low[n]} << (8 * n);
        windows.nRange |= static_cast<std::uint32_t>(nHigh - low[n]) << (8 * n);
    }
    windows.nRange |= 0xFF000000u;
    return windows;
}

bool IsTransparentPixel(std::uint32_t nPixel, COLORREF crTransparent, COLORREF crTolerance)
{
    return InWindows(nPixel, WindowsFor(crTransparent, crTolerance));
}
