// Each file here once crashed a reader or made it misbehave. They must now be handled: read, or
// refused with a reason.

#include "bytestream.h"
#include "files.h"
#include "manifest.h"
#include "scriptedprompts.h"
#include "skin.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::filesystem::path kRegressions = TAVELO_REGRESSIONS_DIR;

std::vector<std::filesystem::path> FilesIn(const char* pszFolder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(kRegressions / pszFolder)) {
        if (entry.is_regular_file() && !entry.path().filename().string().starts_with('.')) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

TEST(Regressions, SkinFilesLoadOrFailWithAReason)
{
    for (const std::filesystem::path& path : FilesIn("skin")) {
        SCOPED_TRACE(path.filename().string());
        CScriptedPrompts prompts;
        CSkin skin;
        CSkinFileStatus status;
        if (!skin.Load(path, &status)) {
            EXPECT_NE(status.error, CSkinFileStatus::Error::None);
        }
        EXPECT_TRUE(prompts.Calls().empty());
    }
}

TEST(Regressions, BitmapsReadWholeOrNotAtAll)
{
    for (const std::filesystem::path& path : FilesIn("dib")) {
        SCOPED_TRACE(path.filename().string());
        const std::vector<std::uint8_t> bytes = ReadBytesFrom(path);
        CMemorySource source(bytes);
        CDib dib;
        const DWORD nRead = dib.Read(source);
        EXPECT_EQ(nRead != 0, dib.HasBitmap());
        EXPECT_LE(nRead, bytes.size());
    }
}

TEST(Regressions, ManifestsApplyOrAreRefusedByName)
{
    for (const std::filesystem::path& path : FilesIn("manifest")) {
        SCOPED_TRACE(path.filename().string());
        const std::vector<std::uint8_t> bytes = ReadBytesFrom(path);
        CSkin skin;
        try {
            ApplyManifest(
                std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), skin);
        } catch (const CManifestError& e) {
            EXPECT_NE(std::string(e.what()), "");
        }
    }
}
