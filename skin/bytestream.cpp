#include "bytestream.h"

#include "skintext.h"

#include <algorithm>
#include <cstring>
#include <system_error>

std::size_t CMemorySource::Read(void* pDest, std::size_t nCount)
{
    const std::size_t nAvailable = std::min(nCount, m_data.size() - m_nPosition);
    if (nAvailable != 0) {
        std::memcpy(pDest, m_data.data() + m_nPosition, nAvailable);
        m_nPosition += nAvailable;
    }
    return nAvailable;
}

FilePtr OpenFileForReading(const std::filesystem::path& path)
{
    if (path.empty()) {
        return nullptr;
    }
    std::error_code error;
    // Folders open on some systems, and a pipe or device could block or never end.
    if (!std::filesystem::is_regular_file(path, error)) {
        return nullptr;
    }
#ifdef _WIN32
    return FilePtr(_wfopen(path.c_str(), L"rb"));
#else
    return FilePtr(std::fopen(path.c_str(), "rb"));
#endif
}

CFileSource::CFileSource(std::FILE* pFile) : m_pFile(pFile)
{
    // 64-bit offsets: a long is 32 bits on Windows.
#ifdef _WIN32
    if (_fseeki64(m_pFile, 0, SEEK_END) == 0) {
        const std::int64_t nEnd = _ftelli64(m_pFile);
#else
    if (fseeko(m_pFile, 0, SEEK_END) == 0) {
        const std::int64_t nEnd = ftello(m_pFile);
#endif
        m_nSize = nEnd > 0 ? static_cast<std::uint64_t>(nEnd) : 0;
    }
    std::rewind(m_pFile);
}

std::size_t CFileSource::Read(void* pDest, std::size_t nCount)
{
    const std::size_t nRead = std::fread(pDest, 1, nCount, m_pFile);
    m_nPosition += nRead;
    return nRead;
}

std::uint64_t CFileSource::GetRemaining() const
{
    return m_nPosition < m_nSize ? m_nSize - m_nPosition : 0;
}

void CMemorySink::Write(const void* pSrc, std::size_t nCount)
{
    const auto* pBytes = static_cast<const std::uint8_t*>(pSrc);
    m_bytes.insert(m_bytes.end(), pBytes, pBytes + nCount);
}

void CFileSink::Write(const void* pSrc, std::size_t nCount)
{
    if (nCount != 0 && std::fwrite(pSrc, 1, nCount, m_pFile) != nCount) {
        throw CArchiveException(QT_TRANSLATE_NOOP("Skin", "the file could not be written"),
                                m_nPosition);
    }
    m_nPosition += nCount;
}

bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes)
{
    const FilePtr pFile = OpenFileForReading(path);
    if (!pFile) {
        return false;
    }
    CFileSource source(pFile.get());
    bytes.resize(static_cast<std::size_t>(source.GetRemaining()));
    return source.Read(bytes.data(), bytes.size()) == bytes.size() &&
           std::fgetc(pFile.get()) == EOF;
}
