// Saving when the folder refuses, the disk fills up or the process dies half way: the previous
// file stays whole every time, and a save that fails normally leaves no temporary file behind.

#include "bitmaps.h"
#include "childprocess.h"
#include "files.h"
#include "skin.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

// Big enough that writing it takes many writes: the pixels alone are 120 000 bytes.
void FillSkin(CSkin& skin, std::uint8_t nShade)
{
    skin.m_strTitle = "fault test";
    skin.SetMainImage(DibFromBytes(MakeSolidBmp(200, 200, nShade, 0, 0)));
    skin.SetCloseImage(DibFromBytes(MakeSolidBmp(8, 8, 0, nShade, 0)));
    skin.SetCloseHoverImage(DibFromBytes(MakeSolidBmp(8, 8, 0, 0, nShade)));
}

class SaveFaults : public testing::Test
{
protected:
    void SetUp() override
    {
        CSkin old;
        FillSkin(old, 10);
        ASSERT_TRUE(old.Save(m_target));
        m_oldBytes = ReadBytesFrom(m_target);
        FillSkin(m_skin, 200);
    }

    void ExpectOldFileWhole() const { EXPECT_EQ(ReadBytesFrom(m_target), m_oldBytes); }
    std::vector<std::string> Files() const { return m_dir.FileNames(); }

    TempDir m_dir;
    std::filesystem::path m_target = m_dir / "skin.skn";
    std::vector<std::uint8_t> m_oldBytes;
    CSkin m_skin;
};

} // namespace

TEST_F(SaveFaults, AnUnwritableFolderRefusesTheSave)
{
#ifdef _WIN32
    GTEST_SKIP() << "needs fork and POSIX permissions";
#else
    const int nStatus = RunInChild(
        [this] {
            // Permissions do not bind root, so become nobody.
            if (geteuid() == 0) {
                setgid(65534);
                setuid(65534);
            } else {
                std::filesystem::permissions(m_dir.Path(), std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::owner_exec);
            }
        },
        [this] {
            CSkinFileStatus status;
            const bool bSaved = m_skin.Save(m_target, &status);
            return !bSaved && status.error == CSkinFileStatus::Error::Open ? 0 : 1;
        });
    std::filesystem::permissions(m_dir.Path(), std::filesystem::perms::owner_all);
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 0) << "the save should have failed to create its file";
    ExpectOldFileWhole();
    EXPECT_EQ(Files(), std::vector<std::string>{"skin.skn"});
#endif
}

TEST_F(SaveFaults, AFullDiskFailsTheSaveAndCleansUp)
{
#ifdef _WIN32
    GTEST_SKIP() << "needs fork and a file size limit";
#else
    const int nStatus = RunInChild(
        [] {
            // Past the limit a write fails as on a full disk, instead of signalling.
            std::signal(SIGXFSZ, SIG_IGN);
            LimitResource(RLIMIT_FSIZE, 20000);
        },
        [this] {
            CSkinFileStatus status;
            const bool bSaved = m_skin.Save(m_target, &status);
            return !bSaved && status.error == CSkinFileStatus::Error::Write ? 0 : 1;
        });
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 0) << "the save should have reported a write failure";
    ExpectOldFileWhole();
    EXPECT_EQ(Files(), std::vector<std::string>{"skin.skn"});
#endif
}

TEST_F(SaveFaults, AProcessKilledHalfWayLeavesTheOldFileWhole)
{
#ifdef _WIN32
    GTEST_SKIP() << "needs fork and signals";
#else
    const int nStatus = RunInChild(
        [] {
            // The write that crosses the limit kills the process between two writes.
            std::signal(SIGXFSZ, [](int) { std::raise(SIGKILL); });
            LimitResource(RLIMIT_FSIZE, 20000);
        },
        [this] { return m_skin.Save(m_target) ? 1 : 0; });
    ASSERT_TRUE(WIFSIGNALED(nStatus));
    EXPECT_EQ(WTERMSIG(nStatus), SIGKILL);
    ExpectOldFileWhole();
    // A killed process cannot clean up; what it leaves is its own temporary file, never the target.
    for (const std::string& strName : Files()) {
        EXPECT_TRUE(strName == "skin.skn" || strName.starts_with("skin.skn.tmp")) << strName;
    }
#endif
}
