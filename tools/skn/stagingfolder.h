#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

// Files written into a private folder first and moved into their target folder together: the
// target ends up with all of them or, after any failure, exactly as it was. An entry of the same
// name in the target is replaced itself; a link there is never written through.
//
// A missing target is staged beside it and renamed into place in one step; an existing one gets
// a hidden staging folder inside it, so every move stays on one file system. Error texts follow
// the name of the path concerned, which GetFailedPath gives.
class CStagingFolder
{
public:
    CStagingFolder() = default;
    // Removes the staging folder and whatever it still holds.
    ~CStagingFolder();

    CStagingFolder(const CStagingFolder&) = delete;
    CStagingFolder& operator=(const CStagingFolder&) = delete;

    // Creates the staging folder for target, and target's missing parent folders.
    bool Open(const std::filesystem::path& target, std::string& strError);
    // Where Open put the staging folder; the files go straight into it.
    const std::filesystem::path& GetPath() const { return m_staging; }
    // Writes the complete file strName into the staging folder and flushes it to the disk.
    bool AddFile(const std::string& strName, std::span<const std::uint8_t> bytes,
                 std::string& strError);
    // Moves the files into the target; on failure puts back what the target held.
    bool Commit(std::string& strError);

    // The path the last error is about.
    const std::filesystem::path& GetFailedPath() const { return m_failedPath; }

private:
    bool Fail(const std::filesystem::path& path, std::string& strError, std::string strWhy);
    bool CommitIntoExisting(std::string& strError);
    void Discard();

    std::filesystem::path m_target;
    std::filesystem::path m_staging;
    bool m_bTargetExisted = false;
    // Folders Open created above the target, deepest last; removed again unless committed.
    std::vector<std::filesystem::path> m_createdParents;
    std::vector<std::string> m_names;
    std::filesystem::path m_failedPath;
};
