#include "colourreport.h"

#include <array>

namespace {

constexpr std::string_view kPrefix = "0x";
constexpr std::size_t kDigits = 8;
constexpr int kExitCancelled = 1;

std::optional<unsigned> HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<unsigned>(c - 'a' + 10);
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<unsigned>(c - 'A' + 10);
    }
    return std::nullopt;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<COLORREF> ColourFromResult(std::uint32_t result)
{
    if (!IsChosenColour(result)) {
        return std::nullopt;
    }
    return COLORREF{result};
}

} // namespace

std::string FormatColourReport(COLORREF cr)
{
    static constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                  '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    std::string text(kPrefix);
    for (int shift = 28; shift >= 0; shift -= 4) {
        text += kHex.at((cr >> shift) & 0xFu);
    }
    return text;
}

std::optional<COLORREF> ParseColourReport(std::string_view output, int exitCode)
{
    if (exitCode != 0) {
        return std::nullopt;
    }
    // Blanks around the line are tolerated (CR LF, a missing line end); anything else is not
    // the chooser speaking, so it does not count as a choice.
    const std::string_view line = Trimmed(output);
    if (line.size() != kPrefix.size() + kDigits || !line.starts_with(kPrefix)) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : line.substr(kPrefix.size())) {
        const std::optional<unsigned> digit = HexDigitValue(c);
        if (!digit) {
            return std::nullopt;
        }
        value = (value << 4) | *digit;
    }
    return ColourFromResult(value);
}

std::optional<COLORREF> ReadColourReport(std::string_view output, int exitCode,
                                         ColourChannel channel)
{
    if (channel == ColourChannel::ExitCode) {
        return ColourFromResult(static_cast<std::uint32_t>(exitCode));
    }
    return ParseColourReport(output, exitCode);
}

int ReportColour(std::optional<COLORREF> chosen, std::ostream& out, ColourChannel channel)
{
    const bool bChosen = chosen && IsChosenColour(*chosen);
    if (channel == ColourChannel::ExitCode) {
        return static_cast<int>(bChosen ? *chosen : CHOOSER_CANCELLED);
    }
    if (!bChosen) {
        return kExitCancelled;
    }
    out << FormatColourReport(*chosen) << '\n' << std::flush;
    return out ? 0 : kExitCancelled;
}
