#pragma once

#include "wintypes.h"

#include <optional>
#include <string>
#include <string_view>

class CArchive;

// The face name of a record, up to its NUL.
std::string GetFaceName(const LOGFONT& logFont);
// Stores a face name up to its first NUL, cut to the record's 31 characters.
void SetFaceName(LOGFONT& logFont, std::string_view strFace);

// The platform's default GUI font, described as a LOGFONT: what a new or reset skin shows.
LOGFONT GetDefaultGuiFont();

// A font that stores itself in a skin file as a font chunk: the LOGFONT fields in alphabetical
// order of their names, the face name as a string. The font is kept as its description; the
// windows turn it into a real font where they draw.
class CFontEx
{
public:
    CFontEx() = default;
    virtual ~CFontEx() = default;

    CFontEx(const CFontEx&) = default;
    CFontEx& operator=(const CFontEx&) = default;

    bool HasFont() const { return m_logFont.has_value(); }

    // Makes the object hold the font described. The face name is cut to 31 characters.
    bool CreateFontIndirect(const LOGFONT& logFont);
    void DeleteObject() { m_logFont.reset(); }
    // Copies the description into *pLogFont; leaves it as it was and returns false without a font.
    bool GetLogFont(LOGFONT* pLogFont) const;

    // Storing an object that holds no font writes the default GUI font, so the file reads back.
    // Loading replaces the font only once the whole chunk has been read.
    virtual void Serialize(CArchive& ar);

private:
    std::optional<LOGFONT> m_logFont;
};
