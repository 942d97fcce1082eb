#include "stagingfolder.h"

#include "atomicfile.h"
#include "bytestream.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// Beside a name the target already holds while the new file takes its place.
constexpr char kOldSuffix[] = ".old";

// A fresh folder named prefix and a random suffix.
bool CreateUniqueFolder(const fs::path& prefix, fs::path& created, std::error_code& error)
{
    std::random_device device;
    std::mt19937 random(device());
    for (int nAttempt = 0; nAttempt < 32; ++nAttempt) {
        char szSuffix[16];
        std::snprintf(szSuffix, sizeof szSuffix, ".tmp%06x",
                      static_cast<unsigned>(random() & 0xFFFFFF));
        fs::path candidate = prefix;
        candidate += szSuffix;
        if (fs::create_directory(candidate, error)) {
            created = candidate;
            return true;
        }
        if (error) {
            return false;
        }
    }
    error = std::make_error_code(std::errc::file_exists);
    return false;
}

} // namespace

CStagingFolder::~CStagingFolder()
{
    Discard();
}

bool CStagingFolder::Fail(const fs::path& path, std::string& strError, std::string strWhy)
{
    m_failedPath = path;
    strError = std::move(strWhy);
    return false;
}

void CStagingFolder::Discard()
{
    std::error_code error;
    if (!m_staging.empty()) {
        // Links inside are removed themselves, never followed.
        fs::remove_all(m_staging, error);
        m_staging.clear();
    }
    for (auto it = m_createdParents.rbegin(); it != m_createdParents.rend(); ++it) {
        fs::remove(*it, error);
    }
    m_createdParents.clear();
}

bool CStagingFolder::Open(const fs::path& target, std::string& strError)
{
    Discard();
    m_names.clear();
    m_target = target.has_filename() ? target : target.parent_path();
    std::error_code error;
    const fs::file_status status = fs::status(m_target, error);
    m_bTargetExisted = fs::exists(status);
    if (m_bTargetExisted && !fs::is_directory(status)) {
        return Fail(m_target, strError, "it is not a folder");
    }

    if (!m_bTargetExisted) {
        const fs::path parent = m_target.parent_path();
        for (fs::path folder = parent; !folder.empty() && !fs::exists(folder, error);
             folder = folder.parent_path()) {
            m_createdParents.insert(m_createdParents.begin(), folder);
            if (folder == folder.parent_path()) {
                break;
            }
        }
        for (const fs::path& folder : m_createdParents) {
            if (!fs::create_directory(folder, error) && error) {
                return Fail(folder, strError, "cannot create the folder: " + error.message());
            }
        }
    }
    // Staged beside a new target, so one rename puts it in place; inside an existing one. The
    // name does not grow with the target's, which may be at the file system's limit.
    const fs::path prefix = (m_bTargetExisted ? m_target : m_target.parent_path()) / ".staging";
    if (!CreateUniqueFolder(prefix, m_staging, error)) {
        return Fail(m_bTargetExisted ? m_target : m_target.parent_path(), strError,
                    "cannot create a folder in it: " + error.message());
    }
    return true;
}

bool CStagingFolder::AddFile(const std::string& strName, std::span<const std::uint8_t> bytes,
                             std::string& strError)
{
    const fs::path path = m_staging / strName;
#ifdef _WIN32
    FilePtr pFile(_wfopen(path.c_str(), L"wbx"));
#else
    FilePtr pFile(std::fopen(path.c_str(), "wbx"));
#endif
    if (!pFile) {
        return Fail(m_target / strName, strError,
                    "cannot create the file: " + std::generic_category().message(errno));
    }
    if ((!bytes.empty() &&
         std::fwrite(bytes.data(), 1, bytes.size(), pFile.get()) != bytes.size()) ||
        std::fflush(pFile.get()) != 0 || !SyncToDisk(pFile.get()) ||
        std::fclose(pFile.release()) != 0) {
        return Fail(m_target / strName, strError,
                    "cannot write the file: " + std::generic_category().message(errno));
    }
    m_names.push_back(strName);
    return true;
}

bool CStagingFolder::Commit(std::string& strError)
{
    if (m_bTargetExisted) {
        if (!CommitIntoExisting(strError)) {
            return false;
        }
    } else {
        std::error_code error;
        fs::rename(m_staging, m_target, error);
        if (error) {
            return Fail(m_target, strError, "cannot create the folder: " + error.message());
        }
        m_staging.clear();
        m_createdParents.clear();
    }
    SyncFolder(m_bTargetExisted ? m_target : m_target.parent_path());
    Discard();
    return true;
}

bool CStagingFolder::CommitIntoExisting(std::string& strError)
{
    // Everything that would stop a move is found before the first one.
    for (const std::string& strName : m_names) {
        std::string strWhy;
        if (!CAtomicFile::CanReplace(m_target / strName, strWhy)) {
            return Fail(m_target / strName, strError, strWhy);
        }
    }
    struct Move
    {
        fs::path target;
        fs::path old;
        bool bHadOld;
    };
    std::vector<Move> done;
    for (const std::string& strName : m_names) {
        std::error_code error;
        const Move move = {m_target / strName, m_staging / (strName + kOldSuffix),
                           fs::symlink_status(m_target / strName, error).type() !=
                               fs::file_type::not_found};
        error.clear();
        if (move.bHadOld) {
            fs::rename(move.target, move.old, error);
        }
        if (!error) {
            fs::rename(m_staging / strName, move.target, error);
            if (error && move.bHadOld) {
                std::error_code ignored;
                fs::rename(move.old, move.target, ignored);
            }
        }
        if (error) {
            // Back to how it was: each new file out, each old entry back in.
            for (auto it = done.rbegin(); it != done.rend(); ++it) {
                std::error_code ignored;
                if (it->bHadOld) {
                    fs::rename(it->old, it->target, ignored);
                } else {
                    fs::remove(it->target, ignored);
                }
            }
            return Fail(move.target, strError, "cannot replace the file: " + error.message());
        }
        done.push_back(move);
    }
    return true;
}
