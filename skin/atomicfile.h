#pragma once

#include "bytestream.h"

#include <cstdio>
#include <filesystem>
#include <string>

// Whether a saved file is flushed to the disk before it replaces the old one.
enum class FileSync
{
    Flush,
    None,
};

// Writes what the system holds of the file to the disk.
bool SyncToDisk(std::FILE* pFile);
// A rename or a new entry is only durable once its folder is on the disk too.
void SyncFolder(const std::filesystem::path& folder);

// A file written beside its target under a temporary name and renamed over the target only on
// Commit, so the target is either the old file or the complete new one. Dropping the object
// without a successful Commit removes the temporary file.
//
// Only a missing target, a writable regular file or a symbolic link is replaced. A link is
// replaced itself: what it points to is never written. Error texts follow the target's name
// ("out.skn: the file is read-only"), so they do not repeat it.
class CAtomicFile
{
public:
    CAtomicFile() = default;
    ~CAtomicFile();

    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Creates the temporary file; false with strError set when the target may not be replaced or
    // the folder refuses the file.
    bool Open(const std::filesystem::path& target, std::string& strError);
    std::FILE* GetFile() const { return m_pFile.get(); }
    // Flushes (and syncs with FileSync::Flush), closes and renames over the target.
    bool Commit(FileSync sync, std::string& strError);

    const std::filesystem::path& GetTemporaryPath() const { return m_tempPath; }

    // Whether a save may replace target: it does not exist, is a symbolic link, or is a regular
    // file this process may write. Otherwise false with the reason in strError.
    static bool CanReplace(const std::filesystem::path& target, std::string& strError);

private:
    void Discard();

    FilePtr m_pFile;
    std::filesystem::path m_target;
    std::filesystem::path m_tempPath;
};
