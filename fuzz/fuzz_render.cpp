// Any bytes as a skin file, drawn as render draws it: the note comes out the size of its main
// image, or not at all, and never crashes on the rectangles, fonts or images a file holds.

#include "bytestream.h"
#include "notepicture.h"
#include "skin.h"

#include <QApplication>
#include <QImage>

#include <array>
#include <cstdlib>

namespace {

// Larger images only take longer to draw; their decoding is fuzzed by fuzz_region.
constexpr LONG kMaxSide = 256;

bool IsSmall(const CDib* pImage)
{
    return pImage != nullptr && pImage->HasBitmap() && pImage->GetWidth() <= kMaxSide &&
           pImage->GetHeight() <= kMaxSide;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*pArgc*/, char*** /*pArgv*/)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char szName[] = "fuzz_render";
    static char* argv[] = {szName, nullptr};
    static const QApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CSkin skin;
    CMemorySource source(std::span<const std::uint8_t>(pData, nSize));
    if (!skin.Load(source) || !IsSmall(skin.GetMainImage()) || !IsSmall(skin.GetCloseImage()) ||
        !IsSmall(skin.GetCloseHoverImage())) {
        return 0;
    }
    const QImage image = RenderNote(skin, std::string("fuzz\nmessage"));
    if (!image.isNull() && (image.width() != skin.GetMainImage()->GetWidth() ||
                            image.height() != skin.GetMainImage()->GetHeight())) {
        std::abort();
    }
    return 0;
}
