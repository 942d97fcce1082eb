// Files that claim gigabytes must fail cleanly in a process that has only 256 MB to give: memory
// use follows the bytes a file brings, never the sizes it claims.

#include "bitmaps.h"
#include "bytestream.h"
#include "childprocess.h"
#include "files.h"
#include "skin.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr std::size_t kLimit = 256u << 20;

// A small complete skin whose title is "t", so its fields stand at known offsets: the title's
// length byte at 4, the main image chunk at 9.
std::vector<std::uint8_t> SmallSkin()
{
    CSkin skin;
    skin.m_strTitle = "t";
    skin.SetMainImage(DibFromBytes(MakeSolidBmp(2, 2, 1, 2, 3)));
    skin.SetCloseImage(DibFromBytes(MakeSolidBmp(1, 1, 1, 2, 3)));
    skin.SetCloseHoverImage(DibFromBytes(MakeSolidBmp(1, 1, 1, 2, 3)));
    CMemorySink sink;
    EXPECT_TRUE(skin.Save(sink));
    return sink.TakeBytes();
}

#if !defined(_WIN32) && !defined(TAVELO_ASAN)
// Exit 0: refused cleanly; 1: accepted; anything else (a signal, an abort) is a fault.
int LoadLimited(const std::function<bool()>& load)
{
    return RunInChild([] { LimitResource(RLIMIT_AS, kLimit); }, [&] { return load() ? 1 : 0; });
}
#endif

} // namespace

TEST(MemoryBounds, MalformedBitmapsFailInsideTheLimit)
{
#if defined(_WIN32) || defined(TAVELO_ASAN)
    GTEST_SKIP() << "needs fork and an address-space limit";
#else
    const std::filesystem::path folder = std::filesystem::path(TAVELO_BMPSUITE_DIR) / "b";
    ASSERT_TRUE(std::filesystem::is_directory(folder));
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().filename().string());
        const int nStatus = LoadLimited([&] {
            std::unique_ptr<CDib> pDib;
            return CSkin::ReadImageFile(pDib, entry.path());
        });
        ASSERT_TRUE(WIFEXITED(nStatus)) << "the reader died";
    }
#endif
}

TEST(MemoryBounds, SkinsClaimingGigabytesFailInsideTheLimit)
{
#if defined(_WIN32) || defined(TAVELO_ASAN)
    GTEST_SKIP() << "needs fork and an address-space limit";
#else
    const std::vector<std::uint8_t> good = SmallSkin();
    struct Row
    {
        const char* pszName;
        std::function<void(std::vector<std::uint8_t>&)> patch;
    };
    const std::vector<Row> rows = {
        {"a title of 4 GB",
         [](auto& bytes) {
             bytes.erase(bytes.begin() + 4, bytes.begin() + 6);
             bytes.insert(bytes.begin() + 4, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
         }},
        {"a wide title of 2 G units",
         [](auto& bytes) {
             bytes.erase(bytes.begin() + 4, bytes.begin() + 6);
             bytes.insert(bytes.begin() + 4,
                          {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F});
         }},
        {"a bitmap chunk of 4 GB", [](auto& bytes) { PutLE32(bytes, 9 + 2, 0xFFFFFFF0); }},
        {"pixels at 4 GB",
         [](auto& bytes) {
             PutLE32(bytes, 9 + 2, 0xFFFFFFF0);
             PutLE32(bytes, 9 + 10, 0xFFFFFF00);
         }},
        {"a colour table of 305 million entries",
         [](auto& bytes) { PutLE32(bytes, 9 + 46, 305402420); }},
        {"3 million by 2 million pixels",
         [](auto& bytes) {
             PutLE32(bytes, 9 + 18, 3000000);
             PutLE32(bytes, 9 + 22, 2000000);
         }},
        {"a face name of 4 GB",
         [](auto& bytes) {
             // The title font's face name: its length byte follows two bytes and an int32.
             const std::size_t nFace = bytes.size() - 22 - 12 - 1;
             bytes.resize(nFace);
             bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
             bytes.resize(bytes.size() + 100, 'x');
         }},
    };
    TempDir dir;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszName);
        std::vector<std::uint8_t> bytes = good;
        row.patch(bytes);
        const std::filesystem::path path = dir / "claims.skn";
        WriteBytesTo(path, bytes);
        const int nStatus = LoadLimited([&] {
            CSkin skin;
            return skin.Load(path);
        });
        ASSERT_TRUE(WIFEXITED(nStatus)) << "the load died";
        EXPECT_EQ(WEXITSTATUS(nStatus), 0) << "the load should have failed";
    }
#endif
}
