#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A failed read or write inside a skin or bitmap stream. Carries the byte offset at which it
// happened; CSkin::Load and CSkin::Save catch it, nothing else sees it.
class CArchiveException : public std::runtime_error
{
public:
    // EndOfData: the bytes ran out (a cut file), as opposed to a field that cannot be right.
    enum class Kind
    {
        Malformed,
        EndOfData,
    };

    CArchiveException(const std::string& strWhat, std::uint64_t nOffset,
                      Kind kind = Kind::Malformed)
        : std::runtime_error(strWhat), m_nOffset(nOffset), m_kind(kind)
    {
    }

    std::uint64_t GetOffset() const { return m_nOffset; }
    bool IsEndOfData() const { return m_kind == Kind::EndOfData; }

private:
    std::uint64_t m_nOffset;
    Kind m_kind;
};

// Sequential bytes to read. Knows how many are left, so every size read from a file can be
// checked before anything is allocated for it.
class CByteSource
{
public:
    virtual ~CByteSource() = default;

    // Copies up to nCount bytes into pDest; returns how many arrived (fewer only at the end).
    virtual std::size_t Read(void* pDest, std::size_t nCount) = 0;
    virtual std::uint64_t GetPosition() const = 0;
    virtual std::uint64_t GetRemaining() const = 0;
};

class CMemorySource final : public CByteSource
{
public:
    explicit CMemorySource(std::span<const std::uint8_t> data) : m_data(data) {}

    std::size_t Read(void* pDest, std::size_t nCount) override;
    std::uint64_t GetPosition() const override { return m_nPosition; }
    std::uint64_t GetRemaining() const override { return m_data.size() - m_nPosition; }

private:
    std::span<const std::uint8_t> m_data;
    std::size_t m_nPosition = 0;
};

struct FileCloser
{
    void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens path for binary reading; null when it cannot be opened.
FilePtr OpenFileForReading(const std::filesystem::path& path);

class CFileSource final : public CByteSource
{
public:
    // Reads from the start of an open file; the size is taken once, at construction.
    explicit CFileSource(std::FILE* pFile);

    std::size_t Read(void* pDest, std::size_t nCount) override;
    std::uint64_t GetPosition() const override { return m_nPosition; }
    std::uint64_t GetRemaining() const override;

private:
    std::FILE* m_pFile;
    std::uint64_t m_nSize = 0;
    std::uint64_t m_nPosition = 0;
};

// Sequential bytes to write. A failed write throws CArchiveException.
class CByteSink
{
public:
    virtual ~CByteSink() = default;

    virtual void Write(const void* pSrc, std::size_t nCount) = 0;
    virtual std::uint64_t GetPosition() const = 0;
};

class CMemorySink final : public CByteSink
{
public:
    void Write(const void* pSrc, std::size_t nCount) override;
    std::uint64_t GetPosition() const override { return m_bytes.size(); }

    const std::vector<std::uint8_t>& GetBytes() const { return m_bytes; }
    std::vector<std::uint8_t> TakeBytes() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

class CFileSink final : public CByteSink
{
public:
    explicit CFileSink(std::FILE* pFile) : m_pFile(pFile) {}

    void Write(const void* pSrc, std::size_t nCount) override;
    std::uint64_t GetPosition() const override { return m_nPosition; }

private:
    std::FILE* m_pFile;
    std::uint64_t m_nPosition = 0;
};

// Reads a whole file into memory; false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes);
