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

} // namespace

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
