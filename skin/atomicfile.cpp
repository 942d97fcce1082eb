#include "atomicfile.h"

#include "skintext.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

// ".tmp" and six hex digits.
constexpr std::size_t kSuffixLength = 10;
constexpr std::size_t kDefaultNameMax = 255;

std::string ErrnoText(int nError)
{
    return std::generic_category().message(nError);
}

std::string Utf8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::string DescribeFolder(const fs::path& folder)
{
    return folder.empty() ? std::string("the current folder") : "the folder " + Utf8(folder);
}

// The longest file name the folder takes, in the units of a native path.
std::size_t GetNameMax([[maybe_unused]] const fs::path& folder)
{
#ifndef _WIN32
    const long nMax = pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    if (nMax > 0) {
        return static_cast<std::size_t>(nMax);
    }
#endif
    return kDefaultNameMax;
}

template <typename Char>
bool IsInsideCharacter(Char ch)
{
    if constexpr (sizeof(Char) == 1) {
        return (static_cast<unsigned char>(ch) & 0xC0) == 0x80;
    } else {
        return ch >= 0xDC00 && ch <= 0xDFFF;
    }
}

// The target's name and a suffix; a name at the folder's limit is shortened, at a character
// boundary, so the temporary name fits too.
fs::path TemporaryPath(const fs::path& target, std::uint32_t nSuffix, std::size_t nNameMax)
{
    fs::path::string_type name = target.filename().native();
    char szSuffix[kSuffixLength + 1];
    std::snprintf(szSuffix, sizeof szSuffix, ".tmp%06x", static_cast<unsigned>(nSuffix & 0xFFFFFF));
    const std::string_view suffix(szSuffix, kSuffixLength);
    if (name.size() + suffix.size() > nNameMax) {
        std::size_t nKeep = nNameMax > suffix.size() ? nNameMax - suffix.size() : 0;
        while (nKeep > 0 && IsInsideCharacter(name[nKeep])) {
            --nKeep;
        }
        name.resize(nKeep);
    }
    name.append(suffix.begin(), suffix.end());
    return target.parent_path() / name;
}

std::string DescribeCreateFailure(int nError, const fs::path& folder)
{
    switch (nError) {
    case EACCES:
    case EPERM:
        return DescribeFolder(folder) + " is read-only";
    case EROFS:
        return DescribeFolder(folder) + " is on a read-only file system";
    case ENOENT:
    case ENOTDIR:
        return DescribeFolder(folder) + " does not exist";
    default:
        return "cannot create a file in " + DescribeFolder(folder) + ": " + ErrnoText(nError);
    }
}

bool IsReadOnly(const fs::path& target, fs::perms permissions, std::string& strError)
{
    constexpr fs::perms kWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    // Checked on the bits as well: a process running as root may write anything.
    if ((permissions & kWrite) == fs::perms::none) {
        strError = QT_TRANSLATE_NOOP("Skin", "the file is read-only");
        return true;
    }
#ifndef _WIN32
    if (access(target.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS)) {
        strError = errno == EROFS
                       ? QT_TRANSLATE_NOOP("Skin", "the file is on a read-only file system")
                       : QT_TRANSLATE_NOOP("Skin", "the file is read-only");
        return true;
    }
#endif
    return false;
}

} // namespace

bool SyncToDisk(std::FILE* pFile)
{
#ifdef _WIN32
    return _commit(_fileno(pFile)) == 0;
#else
    return fsync(fileno(pFile)) == 0;
#endif
}

void SyncFolder([[maybe_unused]] const fs::path& folder)
{
#ifndef _WIN32
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
#endif
}

CAtomicFile::~CAtomicFile()
{
    Discard();
}

void CAtomicFile::Discard()
{
    m_pFile.reset();
    if (!m_tempPath.empty()) {
        std::error_code error;
        fs::remove(m_tempPath, error);
        m_tempPath.clear();
    }
}

bool CAtomicFile::CanReplace(const fs::path& target, std::string& strError)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(target, error);
    switch (status.type()) {
    case fs::file_type::not_found:
    case fs::file_type::symlink:
        return true;
    case fs::file_type::regular:
        return !IsReadOnly(target, status.permissions(), strError);
    case fs::file_type::directory:
        strError = QT_TRANSLATE_NOOP("Skin", "it is a folder, not a file");
        return false;
    case fs::file_type::none:
        strError = "cannot look at the file: " + error.message();
        return false;
    default:
        strError = QT_TRANSLATE_NOOP(
            "Skin", "it is not a regular file (a device, pipe or socket) and is left as it is");
        return false;
    }
}

bool CAtomicFile::Open(const fs::path& target, std::string& strError)
{
    Discard();
    if (target.empty() || !target.has_filename()) {
        strError = QT_TRANSLATE_NOOP("Skin", "no file name was given");
        return false;
    }
    if (!CanReplace(target, strError)) {
        return false;
    }
    m_target = target;

    const std::size_t nNameMax = GetNameMax(target.parent_path());
    std::random_device device;
    std::mt19937 random(device());
    for (int nAttempt = 0; nAttempt < 32; ++nAttempt) {
        const fs::path candidate = TemporaryPath(target, random(), nNameMax);
        // "x" creates the file or fails; it never opens what is there, a link included.
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
            strError = DescribeCreateFailure(errno, target.parent_path());
            return false;
        }
    }
    strError = "no temporary file name was free in " + DescribeFolder(target.parent_path());
    return false;
}

bool CAtomicFile::Commit(FileSync sync, std::string& strError)
{
    if (!m_pFile) {
        strError = QT_TRANSLATE_NOOP("Skin", "the file is not open");
        return false;
    }
    if (std::fflush(m_pFile.get()) != 0 ||
        (sync == FileSync::Flush && !SyncToDisk(m_pFile.get()))) {
        strError = "cannot write the file: " + ErrnoText(errno);
        Discard();
        return false;
    }
    std::FILE* const pFile = m_pFile.release();
    if (std::fclose(pFile) != 0) {
        strError = "cannot write the file: " + ErrnoText(errno);
        Discard();
        return false;
    }
    // The target may have changed while the file was written.
    if (!CanReplace(m_target, strError)) {
        Discard();
        return false;
    }

    std::error_code error;
    // A replaced file keeps its permissions; a replaced link does not lend its target's.
    const fs::file_status targetStatus = fs::symlink_status(m_target, error);
    if (!error && fs::is_regular_file(targetStatus)) {
        fs::permissions(m_tempPath, targetStatus.permissions(), fs::perm_options::replace, error);
    }
    fs::rename(m_tempPath, m_target, error);
    if (error) {
        strError = "cannot replace the file: " + error.message();
        Discard();
        return false;
    }
    m_tempPath.clear();
    if (sync == FileSync::Flush) {
        SyncFolder(m_target.parent_path());
    }
    return true;
}
