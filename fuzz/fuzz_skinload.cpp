// Any bytes as a skin file: Load never crashes, what loads saves and loads back the same, and the
// checker finds no error in it (its scan reads every depth and run-length form in place).

#include "bytestream.h"
#include "skin.h"
#include "skincheck.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CSkin skin;
    CMemorySource source(std::span<const std::uint8_t>(pData, nSize));
    CSkinFileStatus status;
    if (!skin.Load(source, &status)) {
        if (status.error == CSkinFileStatus::Error::None || status.Describe().empty()) {
            std::abort(); // a failure must say what failed
        }
        return 0;
    }

    if (HasError(CheckSkin(skin))) {
        std::abort(); // whatever loads can be saved
    }
    CMemorySink first;
    if (!skin.Save(first)) {
        std::abort(); // a skin that loaded completely holds all three bitmaps
    }
    CSkin again;
    CMemorySource reread(first.GetBytes());
    CMemorySink second;
    if (!again.Load(reread) || !again.Save(second) || first.GetBytes() != second.GetBytes()) {
        std::abort();
    }
    return 0;
}
