#include "skineditorapp.h"

#include "editorprompts.h"
#include "qtconvert.h"
#include "skineditordlg.h"
#include "translationloader.h"

#include <QCommandLineParser>
#include <QEvent>

#include <cstdio>

namespace {

constexpr QLatin1StringView kExitAfterFirstPaint("exit-after-first-paint");

} // namespace

CSkinEditorApp::CSkinEditorApp(int& argc, char** argv) : QApplication(argc, argv)
{
    NameProgram();
    setDesktopFileName(QLatin1String(kDesktopFileName));
}

void CSkinEditorApp::NameProgram()
{
    setApplicationName(QStringLiteral("tavelo"));
    setOrganizationName(QStringLiteral("Corvane"));
    setApplicationVersion(QStringLiteral(TAVELO_VERSION));
}

void CSkinEditorApp::DescribeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("Tavelo, the editor of Palimo note skins."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(
        kExitAfterFirstPaint,
        QStringLiteral("Close as soon as the editor window has painted once, without asking "
                       "anything (for start-up measurements).")));
    parser.addPositionalArgument(QStringLiteral("FILE.skn"),
                                 QStringLiteral("A skin to open at start."),
                                 QStringLiteral("[FILE.skn]"));
}

std::optional<int> CSkinEditorApp::AnswerWithoutDisplay(int argc, char** argv)
{
    QStringList arguments;
    for (int n = 0; n < argc; ++n) {
        arguments.push_back(QString::fromLocal8Bit(argv[n]));
    }
    NameProgram();
    QCommandLineParser parser;
    DescribeOptions(parser);
    // Options meant for Qt itself (-platform, -style...) fail here; the application reads them
    // and the full parse after it reports anything really unknown.
    if (!parser.parse(arguments)) {
        return std::nullopt;
    }
    const bool bHelp = parser.isSet(QStringLiteral("help"));
    if (!bHelp && !parser.isSet(QStringLiteral("version"))) {
        return std::nullopt;
    }
    // Needs no display, and names the program and its folder for the texts below.
    const QCoreApplication core(argc, argv);
    QString strText =
        applicationName() + QLatin1Char(' ') + applicationVersion() + QLatin1Char('\n');
    if (bHelp) {
        const QString strManual = CSkinEditorDlg::HelpFilePath();
        strText = parser.helpText() + QLatin1Char('\n') +
                  (strManual.isEmpty() ? QStringLiteral("The manual is not installed.\n")
                                       : QStringLiteral("The manual: %1\n").arg(strManual));
    }
    const QByteArray text = strText.toLocal8Bit();
    const bool bWritten = std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()),
                                      stdout) == static_cast<std::size_t>(text.size()) &&
                          std::fflush(stdout) == 0;
    return bWritten ? 0 : 1;
}

int CSkinEditorApp::InitInstance()
{
    QCommandLineParser parser;
    DescribeOptions(parser);
    parser.process(*this);
    m_bExitAfterFirstPaint = parser.isSet(kExitAfterFirstPaint);
    // After the command line, whose answers stay English for the scripts that read them.
    LoadTranslations(*this);

    CEditorPromptService prompts;
    IPromptService* const pPrevious = SetPromptService(&prompts);
    {
        CSkinEditorDlg dlg;
        m_pMainWnd = &dlg;
        if (!parser.positionalArguments().isEmpty()) {
            dlg.OpenSkinFile(toPath(parser.positionalArguments().constFirst()));
        }
        if (m_bExitAfterFirstPaint) {
            dlg.installEventFilter(this);
        }
        dlg.exec();
        m_pMainWnd = nullptr;
    }
    SetPromptService(pPrevious);
    return 0;
}

bool CSkinEditorApp::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (m_bExitAfterFirstPaint && pWatched == m_pMainWnd && pEvent->type() == QEvent::Paint) {
        m_bExitAfterFirstPaint = false;
        // After this paint has reached the screen: the next turn of the event loop.
        QMetaObject::invokeMethod(m_pMainWnd, "done", Qt::QueuedConnection,
                                  Q_ARG(int, QDialog::Rejected));
    }
    return QApplication::eventFilter(pWatched, pEvent);
}
