// Any text as a pack manifest: it applies or is refused with a CManifestError, nothing else.

#include "manifest.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CSkin skin;
    try {
        ApplyManifest(std::string_view(reinterpret_cast<const char*>(pData), nSize), skin);
    } catch (const CManifestError&) {
        // refused, with the key at fault named
    }
    return 0;
}
