// Saving when the folder refuses, the disk fills up or the process dies half way: the previous
// file stays whole every time, and a save that fails normally leaves no temporary file behind.

#include "bitmaps.h"
#include "childprocess.h"
#include "files.h"
#include "skin.h"

#include <gtest/gtest.h>

#include <csignal>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#endif

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
            // Permissions do not bind root, so become nobody, who may write the file but not
            // the folder.
            if (geteuid() == 0) {
                std::filesystem::permissions(m_target, std::filesystem::perms::all);
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
            return !bSaved && status.error == CSkinFileStatus::Error::Open &&
                           status.Describe() ==
                               "the folder " + m_dir.Path().string() + " is read-only"
                       ? 0
                       : 1;
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

TEST_F(SaveFaults, OnlyAWritableRegularFileIsReplaced)
{
#ifdef _WIN32
    GTEST_SKIP() << "needs FIFOs and sockets";
#else
    const std::filesystem::path fifo = m_dir / "fifo.skn";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path socketPath = m_dir / "socket.skn";
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const std::filesystem::path folder = m_dir / "folder.skn";
    std::filesystem::create_directory(folder);
    // Read-only by its bits, which bind root as well.
    std::filesystem::permissions(m_target, std::filesystem::perms::owner_read);

    const std::pair<std::filesystem::path, std::string> rows[] = {
        {fifo, "it is not a regular file (a device, pipe or socket) and is left as it is"},
        {socketPath, "it is not a regular file (a device, pipe or socket) and is left as it is"},
        {folder, "it is a folder, not a file"},
        {m_target, "the file is read-only"},
    };
    for (const auto& [path, strDescribed] : rows) {
        SCOPED_TRACE(path.filename().string());
        const std::filesystem::file_type type = std::filesystem::symlink_status(path).type();
        CSkinFileStatus status;
        EXPECT_FALSE(m_skin.Save(path, &status));
        EXPECT_EQ(status.Describe(), strDescribed);
        EXPECT_EQ(std::filesystem::symlink_status(path).type(), type);
    }
    close(fd);
    ExpectOldFileWhole();
    EXPECT_EQ(Files().size(), 4u);
#endif
}

TEST_F(SaveFaults, ANameAtTheFileSystemLimitSaves)
{
    std::size_t nNameMax = 255;
#ifndef _WIN32
    nNameMax = static_cast<std::size_t>(pathconf(m_dir.Path().c_str(), _PC_NAME_MAX));
#endif
    const std::filesystem::path target = m_dir / (std::string(nNameMax - 4, 'n') + ".skn");
    ASSERT_TRUE(m_skin.Save(target));
    ASSERT_TRUE(m_skin.Save(target)); // and replaces itself
    EXPECT_EQ(Files().size(), 2u);
}
