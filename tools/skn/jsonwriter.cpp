#include "jsonwriter.h"

#include <array>

namespace {

void AppendValue(std::string& out, const nlohmann::ordered_json& value)
{
    using Type = nlohmann::ordered_json::value_t;
    switch (value.type()) {
    case Type::object: {
        out.push_back('{');
        const char* pszSeparator = "";
        for (const auto& item : value.items()) {
            out += pszSeparator;
            AppendJsonString(out, item.key());
            out += ": ";
            AppendValue(out, item.value());
            pszSeparator = ", ";
        }
        out.push_back('}');
        return;
    }
    case Type::array: {
        out.push_back('[');
        const char* pszSeparator = "";
        for (const auto& element : value) {
            out += pszSeparator;
            AppendValue(out, element);
            pszSeparator = ", ";
        }
        out.push_back(']');
        return;
    }
    case Type::string:
        AppendJsonString(out, value.get_ref<const std::string&>());
        return;
    default:
        // Numbers, booleans and null have a single spelling.
        out += value.dump();
        return;
    }
}

// The length of the well-formed UTF-8 sequence at the start of text, or 0.
std::size_t SequenceLength(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t nLength = 0;
    unsigned char nLow = 0x80;  // the range of the second byte, narrowed for the lead bytes
    unsigned char nHigh = 0xBF; // that exclude overlong forms, surrogates and beyond U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) {
        nLength = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        nLength = 3;
        nLow = lead == 0xE0 ? 0xA0 : 0x80;
        nHigh = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        nLength = 4;
        nLow = lead == 0xF0 ? 0x90 : 0x80;
        nHigh = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < nLength) {
        return 0;
    }
    for (std::size_t n = 1; n < nLength; ++n) {
        const auto byte = static_cast<unsigned char>(text[n]);
        if (byte < (n == 1 ? nLow : 0x80) || byte > (n == 1 ? nHigh : 0xBF)) {
            return 0;
        }
    }
    return nLength;
}

} // namespace

std::string ToValidUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t nLength = SequenceLength(text);
        if (nLength == 0) {
            out += "\xEF\xBF\xBD";
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, nLength));
            text.remove_prefix(nLength);
        }
    }
    return out;
}

void AppendJsonString(std::string& out, std::string_view text)
{
    constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                           '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    out.push_back('"');
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out.push_back('\\');
            out.push_back(ch);
        } else if (byte < 0x20) {
            out += "\\u00";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0x0F]);
        } else {
            out.push_back(ch);
        }
    }
    out.push_back('"');
}

std::string ToJsonLine(const nlohmann::ordered_json& value)
{
    std::string out;
    AppendValue(out, value);
    return out;
}
