#include "fontex.h"

#include "archive.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

std::size_t BoundedLength(const char* psz, std::size_t nMax)
{
    return static_cast<std::size_t>(std::find(psz, psz + nMax, '\0') - psz);
}

void SetFaceName(LOGFONT& logFont, const char* pszFace, std::size_t nLength)
{
    const std::size_t nCopy = std::min<std::size_t>(nLength, LF_FACESIZE - 1);
    std::memset(logFont.lfFaceName, 0, sizeof logFont.lfFaceName);
    std::memcpy(logFont.lfFaceName, pszFace, nCopy);
}

std::string FaceNameOf(const LOGFONT& logFont)
{
    return {logFont.lfFaceName, BoundedLength(logFont.lfFaceName, LF_FACESIZE)};
}

} // namespace

LOGFONT GetDefaultGuiFont()
{
    LOGFONT logFont;
    logFont.lfHeight = -11;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    const char szFace[] = "MS Shell Dlg";
    SetFaceName(logFont, szFace, sizeof szFace - 1);
    return logFont;
}

bool CFontEx::CreateFontIndirect(const LOGFONT& logFont)
{
    LOGFONT copy = logFont;
    // Bytes after the terminating NUL carry nothing; zero them so equal fonts compare equal.
    const std::string strFace = FaceNameOf(logFont);
    SetFaceName(copy, strFace.data(), strFace.size());
    m_logFont = copy;
    return true;
}

bool CFontEx::GetLogFont(LOGFONT* pLogFont) const
{
    if (!m_logFont || pLogFont == nullptr) {
        return false;
    }
    *pLogFont = *m_logFont;
    return true;
}

void CFontEx::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        const LOGFONT lf = m_logFont.value_or(GetDefaultGuiFont());
        ar.WriteByte(lf.lfCharSet);
        ar.WriteByte(lf.lfClipPrecision);
        ar.WriteLong(lf.lfEscapement);
        ar.WriteString(FaceNameOf(lf));
        ar.WriteLong(lf.lfHeight);
        ar.WriteByte(lf.lfItalic);
        ar.WriteLong(lf.lfOrientation);
        ar.WriteByte(lf.lfOutPrecision);
        ar.WriteByte(lf.lfPitchAndFamily);
        ar.WriteByte(lf.lfQuality);
        ar.WriteByte(lf.lfStrikeOut);
        ar.WriteByte(lf.lfUnderline);
        ar.WriteLong(lf.lfWeight);
        ar.WriteLong(lf.lfWidth);
        return;
    }

    LOGFONT lf;
    lf.lfCharSet = ar.ReadByte();
    lf.lfClipPrecision = ar.ReadByte();
    lf.lfEscapement = ar.ReadLong();
    const std::string strFace = ar.ReadString();
    // A face name stops at its first NUL and never holds more than the record's 31 characters.
    SetFaceName(lf, strFace.data(), BoundedLength(strFace.data(), strFace.size()));
    lf.lfHeight = ar.ReadLong();
    lf.lfItalic = ar.ReadByte();
    lf.lfOrientation = ar.ReadLong();
    lf.lfOutPrecision = ar.ReadByte();
    lf.lfPitchAndFamily = ar.ReadByte();
    lf.lfQuality = ar.ReadByte();
    lf.lfStrikeOut = ar.ReadByte();
    lf.lfUnderline = ar.ReadByte();
    lf.lfWeight = ar.ReadLong();
    lf.lfWidth = ar.ReadLong();
    m_logFont = lf;
}
