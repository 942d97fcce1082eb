// tavelo-skn: reads, checks, unpacks and builds skin files from scripts. This file only parses the
// command line; the commands live in tavelo_skn_core.

#include "commands.h"
#include "render.h"

#include <algorithm>
#include <array>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kToolHelp = R"(Usage: tavelo-skn COMMAND [ARGUMENTS]

Reads, checks, unpacks and builds skin files (.skn).

Commands:
  info [--json] FILE   show what the skin FILE holds
  check [--json] [--strict] FILE...
                       check each skin for errors and layout mistakes, one line per issue
  extract FILE DIR     write the bitmaps of FILE and a skin.json manifest into DIR
  pack MANIFEST OUT    build the skin OUT from a skin.json manifest and its images
  render FILE OUT.png  draw the note preview of FILE into a PNG with transparency
                       (--size N scales it for thumbnails)

Options:
  -h, --help           show this help; 'tavelo-skn COMMAND --help' shows a command's
  --version            show the version

Exit status: 0 on success, 2 on any failure or wrong usage; check --strict exits with 1
when the skins have warnings but no errors.
)";

constexpr std::string_view kInfoHelp = R"(Usage: tavelo-skn info [--json] FILE

Shows what the skin FILE holds: its file version, title, author, date and comment, the facts
of its three images, its rectangles, colours and fonts, and the first missing part.

Options:
  --json       print the same as one line of JSON
  -h, --help   show this help

Exit status: 0 when FILE was read, 2 when it is not a readable skin.
)";

constexpr std::string_view kCheckHelp = R"(Usage: tavelo-skn check [--json] [--strict] FILE...

Reads each skin FILE and checks it. Prints "FILE: ok" for a skin without issues, otherwise one
line per issue: "FILE: SEVERITY: COMPONENT: MESSAGE". A file that does not read as a skin is
one line "FILE: error: " and the reason.

Errors keep a skin from being saved (a missing image). Warnings are layout mistakes the note
will show: a rectangle empty, inverted or outside the main image; a close-button rectangle
not the size of the close image; close images of different sizes; no pixel of the main image
in its transparent colour; the title or message rectangle over the close button; text in its
background colour; a message rectangle lower than one line of its font; bytes Windows-1252
does not define.

Options:
  --json       print one line of JSON per file: {"file", "ok", "issues": [{"severity",
               "rule", "component", "message"}]}; "ok" is true when there are no issues,
               "component" is null for an unreadable file
  --strict     exit with 1 when there are warnings but no errors
  -h, --help   show this help

Exit status: 0 when no FILE has an error (warnings allowed), 2 when any FILE has an error or
cannot be read, 1 with --strict when there are warnings and no errors.
)";

constexpr std::string_view kExtractHelp = R"(Usage: tavelo-skn extract FILE DIR

Writes the images of the skin FILE into DIR as main.bmp, close.bmp and close-hover.bmp,
byte for byte as FILE holds them, and everything else as skin.json. DIR is created when
needed; files of those names in it are replaced, and so are links of those names (what
they point to is left alone). The four files arrive together: on any failure DIR stays
as it was. For a skin this program wrote, 'tavelo-skn pack DIR/skin.json OUT' gives FILE
back byte for byte.

Options:
  -h, --help   show this help

Exit status: 0 on success, 2 on any failure.
)";

constexpr std::string_view kPackHelp = R"(Usage: tavelo-skn pack MANIFEST OUT

Builds the skin OUT from MANIFEST, a skin.json as 'tavelo-skn extract' writes it, and the
images it names under "images" (relative to the manifest's folder unless absolute). BMP files
are taken as they are; PNG, GIF, JPEG and, where Qt's plugin is installed, WebP images become
24-bit bitmaps, pixels with less than half alpha taking the transparent colour of their image,
and each conversion is named on standard error. Strings
are UTF-8 and must hold only characters Windows-1252 has; colours are COLORREF integers
(0x00BBGGRR) or "#rrggbb" strings. Keys left out take the values of a new skin, except the
three images, which are required; a key given twice is refused. OUT is replaced only once
it is completely written, and only when it is missing, a link (replaced itself) or a
writable regular file.

Options:
  -h, --help   show this help

Exit status: 0 on success, 2 on any failure.
)";

constexpr std::string_view kRenderHelp =
    R"(Usage: tavelo-skn render [--size N] [--message TEXT] FILE OUT.png

Draws the note preview of the skin FILE into the PNG image OUT.png, as the editor's preview
shows it: the main image in its shape, "[Note Title]" in the title area, the message area
and the close button in its normal state. Pixels outside the note's shape are fully
transparent. Needs no display. OUT.png is replaced only once it is completely written.

Options:
  --size N         scale the picture so that its longer side is N pixels (1 to 4096),
                   keeping its aspect and transparency; file managers make thumbnails so
  --message TEXT   write TEXT (UTF-8) into the message area
  -h, --help       show this help

Exit status: 0 on success, 2 on any failure.
)";

struct CommandLine
{
    std::vector<std::string> operands;
    bool bJson = false;
    bool bStrict = false;
    RenderOptions render;
};

struct Command
{
    std::string_view name;
    std::string_view help;
    bool bTakesJson;
    bool bTakesStrict;
    bool bTakesRenderOptions;
    std::size_t nMinOperands;
    std::size_t nMaxOperands;
    std::string_view operandsText;
    int (*run)(const CommandLine& line);
};

constexpr std::size_t kUnlimited = static_cast<std::size_t>(-1);

constexpr std::array<Command, 5> kCommands = {{
    {"info", kInfoHelp, true, false, false, 1, 1, "one FILE",
     [](const CommandLine& line) {
         return RunInfo(line.operands[0], line.bJson, std::cout, std::cerr);
     }},
    {"check", kCheckHelp, true, true, false, 1, kUnlimited, "at least one FILE",
     [](const CommandLine& line) {
         return RunCheck(line.operands, line.bJson, line.bStrict, std::cout);
     }},
    {"extract", kExtractHelp, false, false, false, 2, 2, "FILE and DIR",
     [](const CommandLine& line) {
         return RunExtract(line.operands[0], line.operands[1], std::cerr);
     }},
    {"pack", kPackHelp, false, false, false, 2, 2, "MANIFEST and OUT",
     [](const CommandLine& line) {
         return RunPack(line.operands[0], line.operands[1], std::cerr);
     }},
    {"render", kRenderHelp, false, false, true, 2, 2, "FILE and OUT.png",
     [](const CommandLine& line) {
         return RunRender(line.operands[0], line.operands[1], line.render, std::cerr);
     }},
}};

int UsageError(std::string_view command, const std::string& strProblem)
{
    const std::string strCommand = command.empty() ? std::string() : " " + std::string(command);
    std::cerr << "tavelo-skn:" << strCommand << (command.empty() ? " " : ": ") << strProblem << '\n'
              << "Try 'tavelo-skn" << strCommand << " --help'.\n";
    return kExitFailure;
}

bool IsHelpOption(std::string_view arg)
{
    return arg == "-h" || arg == "--help";
}

// A whole number from 1 to kMaxRenderSize, written in decimal digits only.
std::optional<int> ParseRenderSize(const std::string& strText)
{
    if (strText.empty() || strText.size() > 4 ||
        !std::all_of(strText.begin(), strText.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const int nSize = std::stoi(strText);
    if (nSize < 1 || nSize > kMaxRenderSize) {
        return std::nullopt;
    }
    return nSize;
}

enum class OptionMatch
{
    Other,        // not this option
    Value,        // the option with its value
    MissingValue, // the option, last on the line without its value
};

// Whether args[n] is the option NAME, written "NAME VALUE" (n then moves to VALUE) or "NAME=VALUE".
OptionMatch MatchOption(std::string_view name, const std::vector<std::string>& args, std::size_t& n,
                        std::string& strValue)
{
    const std::string& arg = args[n];
    if (arg == name) {
        if (n + 1 == args.size()) {
            return OptionMatch::MissingValue;
        }
        strValue = args[++n];
        return OptionMatch::Value;
    }
    if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
        strValue = arg.substr(name.size() + 1);
        return OptionMatch::Value;
    }
    return OptionMatch::Other;
}

int RunCommand(const Command& command, const std::vector<std::string>& args)
{
    CommandLine line;
    std::string strUnknownOption;
    bool bHelp = false;
    bool bOptionsEnded = false;
    std::string strValue;
    for (std::size_t n = 0; n < args.size(); ++n) {
        const std::string& arg = args[n];
        if (bOptionsEnded || arg.size() < 2 || arg[0] != '-') {
            line.operands.push_back(arg);
        } else if (arg == "--") {
            bOptionsEnded = true;
        } else if (IsHelpOption(arg)) {
            bHelp = true;
        } else if (arg == "--json" && command.bTakesJson) {
            line.bJson = true;
        } else if (arg == "--strict" && command.bTakesStrict) {
            line.bStrict = true;
        } else if (const OptionMatch message = command.bTakesRenderOptions
                                                   ? MatchOption("--message", args, n, strValue)
                                                   : OptionMatch::Other;
                   message != OptionMatch::Other) {
            if (message == OptionMatch::MissingValue) {
                return UsageError(command.name, "option '--message' needs a TEXT");
            }
            line.render.message = strValue;
        } else if (const OptionMatch size = command.bTakesRenderOptions
                                                ? MatchOption("--size", args, n, strValue)
                                                : OptionMatch::Other;
                   size != OptionMatch::Other) {
            line.render.nSize =
                size == OptionMatch::Value ? ParseRenderSize(strValue) : std::nullopt;
            if (!line.render.nSize) {
                return UsageError(command.name,
                                  "option '--size' needs a whole number N from 1 to " +
                                      std::to_string(kMaxRenderSize));
            }
        } else if (strUnknownOption.empty()) {
            strUnknownOption = arg;
        }
    }
    if (bHelp) {
        std::cout << command.help;
        return kExitOk;
    }
    if (!strUnknownOption.empty()) {
        return UsageError(command.name, "unknown option '" + strUnknownOption + "'");
    }
    if (line.operands.size() < command.nMinOperands ||
        line.operands.size() > command.nMaxOperands) {
        return UsageError(command.name, "expected " + std::string(command.operandsText) + ", got " +
                                            std::to_string(line.operands.size()) + " argument" +
                                            (line.operands.size() == 1 ? "" : "s"));
    }
    return command.run(line);
}

int Dispatch(const std::vector<std::string>& args)
{
    if (args.empty()) {
        return UsageError({}, "no command given");
    }
    const std::string& strName = args.front();
    if (IsHelpOption(strName)) {
        std::cout << kToolHelp;
        return kExitOk;
    }
    if (strName == "--version") {
        std::cout << "tavelo-skn " TAVELO_VERSION "\n";
        return kExitOk;
    }
    const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                                 [&](const Command& command) { return command.name == strName; });
    if (it == kCommands.end()) {
        return UsageError({}, "unknown command '" + strName + "'");
    }
    return RunCommand(*it, std::vector<std::string>(args.begin() + 1, args.end()));
}

} // namespace

int main(int argc, char* argv[])
{
    std::vector<std::string> args;
    for (int n = 1; n < argc; ++n) {
        args.emplace_back(argv[n]);
    }
    int nResult = kExitFailure;
    try {
        nResult = Dispatch(args);
    } catch (const std::exception& e) {
        // Whatever a command did not foresee still ends in one line and the failure status.
        std::cerr << "tavelo-skn: " << e.what() << '\n';
        return kExitFailure;
    }
    // Output a script never received is a failure, not a success.
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "tavelo-skn: cannot write to standard output\n";
        return kExitFailure;
    }
    return nResult;
}
