#include "atomicfile.h"

#include <cerrno>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

std::string ErrnoText(int nError)
{
    return std::generic_category().message(nError);
}

bool SyncToDisk(std::FILE* pFile)
{
#ifdef _WIN32
    return _commit(_fileno(pFile)) == 0;
#else
    return fsync(fileno(pFile)) == 0;
#endif
}

// The rename is only durable once the folder's entry is on the disk too.
void SyncFolder([[maybe_unused]] const std::filesystem::path& folder)
{
#ifndef _WIN32
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
#endif
}

} // namespace

CAtomicFile::~CAtomicFile()
{
    Discard();
}

void CAtomicFile::Discard()
{
    m_pFile.reset();
    if (!m_tempPath.empty()) {
        std::error_code error;
        std::filesystem::remove(m_tempPath, error);
        m_tempPath.clear();
    }
}

bool CAtomicFile::Open(const std::filesystem::path& target, std::string& strError)
{
    Discard();
    if (target.empty() || !target.has_filename()) {
        strError = "no file name was given";
        return false;
    }
    std::error_code error;
    m_target = target;
    // Replace what a link points to, not the link.
    if (std::filesystem::is_symlink(target, error)) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
        if (!error) {
            m_target = resolved;
        }
    }
    if (std::filesystem::is_directory(m_target, error)) {
        strError = "the target is a folder";
        return false;
    }

    std::random_device device;
    std::mt19937 random(device());
    for (int nAttempt = 0; nAttempt < 32; ++nAttempt) {
        const auto nSuffix = static_cast<unsigned>(random() & 0xFFFFFF);
        std::filesystem::path candidate = m_target;
        candidate += ".tmp" + std::to_string(nSuffix);
#ifdef _WIN32
        std::FILE* pFile = _wfopen(candidate.c_str(), L"wbx");
#else
        std::FILE* pFile = std::fopen(candidate.c_str(), "wbx");
#endif
        if (pFile != nullptr) {
            m_pFile.reset(pFile);
            m_tempPath = candidate;
            return true;
        }
        if (errno != EEXIST) {
            strError = ErrnoText(errno);
            return false;
        }
    }
    strError = "no temporary file name was free";
    return false;
}

bool CAtomicFile::Commit(FileSync sync, std::string& strError)
{
    if (!m_pFile) {
        strError = "the file is not open";
        return false;
    }
    if (std::fflush(m_pFile.get()) != 0 ||
        (sync == FileSync::Flush && !SyncToDisk(m_pFile.get()))) {
        strError = ErrnoText(errno);
        Discard();
        return false;
    }
    std::FILE* const pFile = m_pFile.release();
    if (std::fclose(pFile) != 0) {
        strError = ErrnoText(errno);
        Discard();
        return false;
    }

    std::error_code error;
    // A replaced file keeps its permissions.
    const std::filesystem::file_status targetStatus = std::filesystem::status(m_target, error);
    if (!error && std::filesystem::exists(targetStatus)) {
        std::filesystem::permissions(m_tempPath, targetStatus.permissions(),
                                     std::filesystem::perm_options::replace, error);
    }
    std::filesystem::rename(m_tempPath, m_target, error);
    if (error) {
        strError = error.message();
        Discard();
        return false;
    }
    m_tempPath.clear();
    if (sync == FileSync::Flush) {
        SyncFolder(m_target.parent_path());
    }
    return true;
}
