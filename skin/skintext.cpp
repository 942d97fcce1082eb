#include "skintext.h"

SkinText Phrase(std::string strPattern, std::vector<SkinText> args)
{
    return SkinText{std::move(strPattern), false, std::move(args)};
}

SkinText Literal(std::string strValue)
{
    return SkinText{std::move(strValue), true, {}};
}

std::string FillPlaceholders(std::string_view pattern, const std::vector<std::string>& values)
{
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t n = 0; n < pattern.size(); ++n) {
        const char ch = pattern[n];
        if (ch == '%' && n + 1 < pattern.size() && pattern[n + 1] >= '1' && pattern[n + 1] <= '9') {
            const auto nIndex = static_cast<std::size_t>(pattern[n + 1] - '1');
            if (nIndex < values.size()) {
                out += values[nIndex];
                ++n;
                continue;
            }
        }
        out += ch;
    }
    return out;
}

std::string SkinText::English() const
{
    if (bLiteral) {
        return strText;
    }
    std::vector<std::string> values;
    values.reserve(args.size());
    for (const SkinText& arg : args) {
        values.push_back(arg.English());
    }
    return FillPlaceholders(strText, values);
}
