#include "archive.h"

#include "codepage.h"
#include "skintext.h"

#include <limits>

std::uint64_t CArchive::GetPosition() const
{
    return IsStoring() ? m_pSink->GetPosition() : m_pSource->GetPosition();
}

void CArchive::RequireBytes(std::uint64_t nCount, std::uint64_t nFieldStart,
                            const char* pszWhat) const
{
    if (m_pSource->GetRemaining() < nCount) {
        throw CArchiveException(std::string("the file ends inside ") + pszWhat, nFieldStart,
                                CArchiveException::Kind::EndOfData);
    }
}

void CArchive::ReadBytes(void* pDest, std::size_t nCount)
{
    const std::uint64_t nStart = m_pSource->GetPosition();
    if (m_pSource->Read(pDest, nCount) != nCount) {
        throw CArchiveException(QT_TRANSLATE_NOOP("Skin", "the file ends too early"), nStart,
                                CArchiveException::Kind::EndOfData);
    }
}

BYTE CArchive::ReadByte()
{
    BYTE bytes[1];
    ReadBytes(bytes, sizeof bytes);
    return bytes[0];
}

WORD CArchive::ReadWord()
{
    BYTE bytes[2];
    ReadBytes(bytes, sizeof bytes);
    return static_cast<WORD>(bytes[0] | (bytes[1] << 8));
}

DWORD CArchive::ReadDWord()
{
    BYTE bytes[4];
    ReadBytes(bytes, sizeof bytes);
    return static_cast<DWORD>(bytes[0]) | (static_cast<DWORD>(bytes[1]) << 8) |
           (static_cast<DWORD>(bytes[2]) << 16) | (static_cast<DWORD>(bytes[3]) << 24);
}

LONG CArchive::ReadLong()
{
    return static_cast<LONG>(ReadDWord());
}

RECT CArchive::ReadRect()
{
    RECT rc;
    rc.left = ReadLong();
    rc.top = ReadLong();
    rc.right = ReadLong();
    rc.bottom = ReadLong();
    return rc;
}

std::uint32_t CArchive::ReadStringLength(bool& bWide)
{
    const std::uint64_t nStart = GetPosition();
    for (;;) {
        const BYTE nByte = ReadByte();
        if (nByte < 0xFF) {
            return nByte;
        }
        const WORD nWord = ReadWord();
        if (nWord == 0xFFFE) {
            // The wide form's marker; the real length follows in one of the three forms. A
            // second marker is malformed, and looping on it must not go on for ever.
            if (bWide) {
                throw CArchiveException(
                    QT_TRANSLATE_NOOP("Skin", "a string has a malformed length"), nStart);
            }
            bWide = true;
            continue;
        }
        if (nWord < 0xFFFF) {
            return nWord;
        }
        return ReadDWord();
    }
}

std::string CArchive::ReadString()
{
    const std::uint64_t nStart = GetPosition();
    bool bWide = false;
    const std::uint32_t nLength = ReadStringLength(bWide);
    if (!bWide) {
        RequireBytes(nLength, nStart, "a string");
        std::string str(nLength, '\0');
        ReadBytes(str.data(), str.size());
        return str;
    }
    RequireBytes(std::uint64_t{nLength} * 2, nStart, "a string");
    std::u16string wide(nLength, u'\0');
    for (char16_t& ch : wide) {
        ch = static_cast<char16_t>(ReadWord());
    }
    return Utf16ToCp1252(wide);
}

void CArchive::WriteBytes(const void* pSrc, std::size_t nCount)
{
    m_pSink->Write(pSrc, nCount);
}

void CArchive::WriteByte(BYTE n)
{
    WriteBytes(&n, 1);
}

void CArchive::WriteWord(WORD n)
{
    const BYTE bytes[2] = {static_cast<BYTE>(n & 0xFF), static_cast<BYTE>(n >> 8)};
    WriteBytes(bytes, sizeof bytes);
}

void CArchive::WriteDWord(DWORD n)
{
    const BYTE bytes[4] = {static_cast<BYTE>(n & 0xFF), static_cast<BYTE>((n >> 8) & 0xFF),
                           static_cast<BYTE>((n >> 16) & 0xFF), static_cast<BYTE>(n >> 24)};
    WriteBytes(bytes, sizeof bytes);
}

void CArchive::WriteLong(LONG n)
{
    WriteDWord(static_cast<DWORD>(n));
}

void CArchive::WriteRect(const RECT& rc)
{
    WriteLong(rc.left);
    WriteLong(rc.top);
    WriteLong(rc.right);
    WriteLong(rc.bottom);
}

void CArchive::WriteString(const std::string& str)
{
    if (str.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw CArchiveException(QT_TRANSLATE_NOOP("Skin", "a string is too long to store"),
                                GetPosition());
    }
    const auto nLength = static_cast<std::uint32_t>(str.size());
    if (nLength < 0xFF) {
        WriteByte(static_cast<BYTE>(nLength));
    } else if (nLength < 0xFFFE) {
        WriteByte(0xFF);
        WriteWord(static_cast<WORD>(nLength));
    } else {
        WriteByte(0xFF);
        WriteWord(0xFFFF);
        WriteDWord(nLength);
    }
    WriteBytes(str.data(), str.size());
}
