#pragma once

#include "bytestream.h"

#include <filesystem>
#include <string>

// Whether a saved file is flushed to the disk before it replaces the old one.
enum class FileSync
{
    Flush,
    None,
};

// A file written beside its target under a temporary name and renamed over the target only on
// Commit, so the target is either the old file or the complete new one. Dropping the object
// without a successful Commit removes the temporary file.
class CAtomicFile
{
public:
    CAtomicFile() = default;
    ~CAtomicFile();

    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Creates the temporary file; false with strError set when the folder refuses it.
    bool Open(const std::filesystem::path& target, std::string& strError);
    std::FILE* GetFile() const { return m_pFile.get(); }
    // Flushes (and syncs with FileSync::Flush), closes and renames over the target.
    bool Commit(FileSync sync, std::string& strError);

    const std::filesystem::path& GetTemporaryPath() const { return m_tempPath; }

private:
    void Discard();

    FilePtr m_pFile;
    std::filesystem::path m_target;
    std::filesystem::path m_tempPath;
};
