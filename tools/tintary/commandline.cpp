#include "commandline.h"

#include <QCommandLineParser>

#include <string_view>

namespace {

constexpr std::string_view kHelp = R"(Usage: tintary [OPTION]

A colour dialog that can also pick a colour from anywhere on the screen. Tavelo's
"Eyedropper Tool..." starts it. On X11 the screen is read directly; on Wayland the
colour is picked through the desktop portal.

When a colour is confirmed, tintary prints it as one line 0x00BBGGRR (hexadecimal
blue, green, red) and exits 0; cancelled, it prints nothing and exits 1. On Windows
the exit code itself is the colour.

Options:
  -h, --help   show this help
  --version    show the version
Qt's own options, such as -platform and -style, are taken too.

Exit status: 0 with a colour, 1 when cancelled, 2 on wrong usage.
)";

struct Parser
{
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")}};
    QCommandLineOption version{QStringLiteral("version")};

    Parser()
    {
        // Qt's options are single-dash words; "-style" must not read as "-s -t -y...".
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(help);
        parser.addOption(version);
    }
};

} // namespace

std::optional<int> AnswerWithoutDisplay(const QStringList& arguments, std::ostream& out)
{
    Parser p;
    // Qt's options are unknown here; they make parse() fail but leave ours recognised.
    p.parser.parse(arguments);
    if (p.parser.isSet(p.help)) {
        out << kHelp << std::flush;
        return 0;
    }
    if (p.parser.isSet(p.version)) {
        out << "tintary " TAVELO_VERSION "\n" << std::flush;
        return 0;
    }
    return std::nullopt;
}

std::optional<int> RefuseWrongUsage(const QStringList& arguments, std::ostream& err)
{
    Parser p;
    QString strProblem;
    if (!p.parser.parse(arguments)) {
        strProblem = p.parser.errorText();
    } else if (!p.parser.positionalArguments().isEmpty()) {
        strProblem = QStringLiteral("unexpected argument '%1'")
                         .arg(p.parser.positionalArguments().constFirst());
    } else {
        return std::nullopt;
    }
    err << "tintary: " << strProblem.toStdString() << "\nTry 'tintary --help'.\n" << std::flush;
    return UsageErrorExitCode();
}

int UsageErrorExitCode(ColourChannel channel)
{
    constexpr int kExitWrongUsage = 2;
    return channel == ColourChannel::ExitCode ? static_cast<int>(CHOOSER_CANCELLED)
                                              : kExitWrongUsage;
}
