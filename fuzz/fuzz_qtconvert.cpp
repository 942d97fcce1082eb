// Any rectangle and font a skin file can hold, through the conversions to Qt: no overflow, a
// QRect whose edges are the RECT's (clamped), and a font of a sane pixel size.

#include "dib.h"
#include "fontex.h"
#include "qtconvert.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

LONG TakeLong(const std::uint8_t*& pData)
{
    std::uint32_t n = 0;
    std::memcpy(&n, pData, sizeof n);
    pData += sizeof n;
    return static_cast<LONG>(n);
}

void Require(bool bHolds)
{
    if (!bHolds) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*pArgc*/, char*** /*pArgv*/)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char szName[] = "fuzz_qtconvert";
    static char* argv[] = {szName, nullptr};
    static const QGuiApplication app(argc, argv);
    return 0;
}

// Four coordinates, then height, weight and three style bytes, then the face name.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    constexpr std::size_t kFixed = 6 * 4 + 3;
    if (nSize < kFixed) {
        return 0;
    }
    const std::uint8_t* pNext = pData;
    RECT rc;
    rc.left = TakeLong(pNext);
    rc.top = TakeLong(pNext);
    rc.right = TakeLong(pNext);
    rc.bottom = TakeLong(pNext);
    const QRect rect = toQRect(rc);
    const auto Clamped = [](LONG n) { return std::clamp<LONG>(n, -16777215, 16777215); };
    Require(rect.left() == Clamped(rc.left) && rect.top() == Clamped(rc.top) &&
            rect.right() + 1 == Clamped(rc.right) && rect.bottom() + 1 == Clamped(rc.bottom));

    LOGFONT lf;
    lf.lfHeight = TakeLong(pNext);
    lf.lfWeight = TakeLong(pNext);
    lf.lfItalic = *pNext++;
    lf.lfUnderline = *pNext++;
    lf.lfStrikeOut = *pNext++;
    const std::size_t nFace = std::min<std::size_t>(nSize - kFixed, 31);
    SetFaceName(lf, std::string(reinterpret_cast<const char*>(pNext), nFace));
    const QFont font = toQFont(lf);
    Require(lf.lfHeight == 0 || (font.pixelSize() > 0 && font.pixelSize() <= DIB_MAX_SIDE));
    Require(font.italic() == (lf.lfItalic != 0));
    return 0;
}
