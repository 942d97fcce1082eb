#pragma once

#include "bytestream.h"
#include "wintypes.h"

#include <string>

// The little-endian field stream of a skin file: integers, rectangles and the length-prefixed
// 8-bit strings. Reading past the end, or a length that claims more bytes than are left, throws
// CArchiveException with the offset of the field that failed.
class CArchive
{
public:
    explicit CArchive(CByteSource& source) : m_pSource(&source) {}
    explicit CArchive(CByteSink& sink) : m_pSink(&sink) {}

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_pSink != nullptr; }
    bool IsLoading() const { return m_pSource != nullptr; }

    // The underlying stream, for chunks that move their own bytes (bitmaps).
    CByteSource& GetSource() { return *m_pSource; }
    CByteSink& GetSink() { return *m_pSink; }
    std::uint64_t GetPosition() const;

    BYTE ReadByte();
    WORD ReadWord();
    DWORD ReadDWord();
    LONG ReadLong();
    RECT ReadRect();
    void ReadBytes(void* pDest, std::size_t nCount);
    // Either the 8-bit form or the wide form, which is converted to Windows-1252.
    std::string ReadString();

    void WriteByte(BYTE n);
    void WriteWord(WORD n);
    void WriteDWord(DWORD n);
    void WriteLong(LONG n);
    void WriteRect(const RECT& rc);
    void WriteBytes(const void* pSrc, std::size_t nCount);
    // One length byte below 255 characters, 0xFF + uint16 below 65534, else 0xFF FFFF + uint32.
    void WriteString(const std::string& str);

private:
    // Throws when fewer than nCount bytes are left, before anything is allocated for them.
    void RequireBytes(std::uint64_t nCount, std::uint64_t nFieldStart, const char* pszWhat) const;
    // Returns the length and whether the wide form's marker was seen.
    std::uint32_t ReadStringLength(bool& bWide);

    CByteSource* m_pSource = nullptr;
    CByteSink* m_pSink = nullptr;
};
