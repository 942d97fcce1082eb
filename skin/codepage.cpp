#include "codepage.h"

#include <array>
#include <cstdint>

namespace {

// Code points of bytes 0x80-0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t Cp1252ToCodePoint(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

void AppendUtf8(std::string& out, char32_t ch)
{
    if (ch < 0x80) {
        out.push_back(static_cast<char>(ch));
    } else if (ch < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at text[i], advancing i; returns U+FFFD for malformed input so that
// it becomes '?'.
char32_t NextUtf8(std::string_view text, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) {
        return lead;
    }
    int nTrail = 0;
    char32_t ch = 0;
    char32_t nMin = 0;
    if ((lead & 0xE0) == 0xC0) {
        nTrail = 1;
        ch = lead & 0x1Fu;
        nMin = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        nTrail = 2;
        ch = lead & 0x0Fu;
        nMin = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        nTrail = 3;
        ch = lead & 0x07u;
        nMin = 0x10000;
    } else {
        return 0xFFFD;
    }
    for (int n = 0; n < nTrail; ++n) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 0xFFFD;
        }
        ch = (ch << 6) | (static_cast<unsigned char>(text[i++]) & 0x3Fu);
    }
    if (ch < nMin || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
        return 0xFFFD;
    }
    return ch;
}

} // namespace

bool IsUndefinedCp1252(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F && Cp1252ToCodePoint(byte) == byte;
}

char CodePointToCp1252(char32_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        return static_cast<char>(ch);
    }
    for (std::size_t n = 0; n < kHighControls.size(); ++n) {
        if (kHighControls[n] == ch) {
            return static_cast<char>(0x80 + n);
        }
    }
    return '?';
}

std::string Cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        AppendUtf8(out, Cp1252ToCodePoint(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        out.push_back(CodePointToCp1252(NextUtf8(text, i)));
    }
    return out;
}

std::u32string FindUnencodableUtf8(std::string_view text)
{
    std::u32string unencodable;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t ch = NextUtf8(text, i);
        if (ch != U'?' && CodePointToCp1252(ch) == '?' &&
            unencodable.find(ch) == std::u32string::npos) {
            unencodable.push_back(ch);
        }
    }
    return unencodable;
}

std::string Utf16ToCp1252(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i; // a pair outside the basic plane: one character, never in the code page
            out.push_back('?');
        } else {
            out.push_back(CodePointToCp1252(unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit));
        }
    }
    return out;
}
