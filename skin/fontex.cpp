#include "fontex.h"

#include "archive.h"

#include <algorithm>
#include <cstring>
#include <string>

std::string GetFaceName(const LOGFONT& logFont)
{
    const char* const pszEnd =
        std::find(logFont.lfFaceName, logFont.lfFaceName + LF_FACESIZE, '\0');
    return {logFont.lfFaceName, pszEnd};
}

void SetFaceName(LOGFONT& logFont, std::string_view strFace)
{
    strFace = strFace.substr(0, std::min(strFace.find('\0'), std::size_t{LF_FACESIZE - 1}));
    std::memset(logFont.lfFaceName, 0, sizeof logFont.lfFaceName);
    std::memcpy(logFont.lfFaceName, strFace.data(), strFace.size());
}

LOGFONT GetDefaultGuiFont()
{
    LOGFONT logFont;
    logFont.lfHeight = -11;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    SetFaceName(logFont, "MS Shell Dlg");
    return logFont;
}

bool CFontEx::CreateFontIndirect(const LOGFONT& logFont)
{
    LOGFONT copy = logFont;
    // Bytes after the terminating NUL carry nothing; zero them so equal fonts compare equal.
    SetFaceName(copy, GetFaceName(logFont));
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
        ar.WriteString(GetFaceName(lf));
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
    SetFaceName(lf, ar.ReadString());
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
