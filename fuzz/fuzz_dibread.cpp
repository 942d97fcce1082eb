// Any bytes as a bitmap chunk: Read never crashes or over-allocates, keeps to the image limits,
// and what reads writes a chunk that reads back to itself.

#include "bytestream.h"
#include "dib.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CDib dib;
    CMemorySource source(std::span<const std::uint8_t>(pData, nSize));
    const DWORD nRead = dib.Read(source);
    if (nRead == 0) {
        if (dib.HasBitmap() || dib.GetReadError().empty()) {
            std::abort(); // a refusal says why
        }
        return 0;
    }
    if (!IsWithinDibLimits(dib.GetWidth(), dib.GetHeight()) || !dib.GetReadError().empty()) {
        std::abort();
    }
    if (nRead > nSize || source.GetPosition() != nRead) {
        std::abort(); // a chunk is exactly as long as it says, and no longer than the input
    }

    const std::vector<std::uint8_t> chunk = dib.GetChunk();
    if (chunk.size() != dib.GetChunkSize() || chunk.size() > nSize + 1024) {
        std::abort();
    }
    CDib again;
    CMemorySource reread(chunk);
    if (again.Read(reread) != chunk.size() || again.GetChunk() != chunk ||
        !std::ranges::equal(again.GetBits(), dib.GetBits())) {
        std::abort();
    }
    return 0;
}
