#include "storabletext.h"

#include "codepage.h"

#include <cstddef>
#include <cstdio>

namespace {

// A pasted paragraph of another script names the first few; the rest only counts.
constexpr std::size_t kMaxNamed = 8;

std::string NameCharacter(char32_t ch)
{
    char szCode[16] = {};
    std::snprintf(szCode, sizeof(szCode), "U+%04X", static_cast<unsigned>(ch));
    // Invisible and combining characters read best by their code alone.
    if (!QChar::isPrint(ch) || QChar::isMark(ch)) {
        return szCode;
    }
    return "\"" + QString::fromUcs4(&ch, 1).toStdString() + "\" (" + szCode + ")";
}

} // namespace

std::string UnstorableTextMessage(std::string_view strField, const QString& text)
{
    const std::u32string unstorable = FindUnencodableUtf8(text.toStdString());
    if (unstorable.empty()) {
        return {};
    }
    std::string strNames;
    for (std::size_t i = 0; i < unstorable.size() && i < kMaxNamed; ++i) {
        strNames += (i == 0 ? "" : ", ") + NameCharacter(unstorable[i]);
    }
    if (unstorable.size() > kMaxNamed) {
        strNames += " and " + std::to_string(unstorable.size() - kMaxNamed) + " more";
    }
    return std::string(strField) + " holds characters that a skin cannot store: " + strNames +
           ".\n\nSkins keep their texts in Windows-1252. Replace or remove these characters.";
}
