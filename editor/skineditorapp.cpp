#include "skineditorapp.h"

#include "editorprompts.h"
#include "qtconvert.h"
#include "skineditordlg.h"

#include <QCommandLineParser>
#include <QEvent>

CSkinEditorApp::CSkinEditorApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("tavelo"));
    setOrganizationName(QStringLiteral("Corvane"));
    setApplicationVersion(QStringLiteral(TAVELO_VERSION));
}

int CSkinEditorApp::InitInstance()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tavelo, the editor of Palimo note skins."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption exitAfterFirstPaint(
        QStringLiteral("exit-after-first-paint"),
        QStringLiteral("Close as soon as the editor window has painted once, without asking "
                       "anything (for start-up measurements)."));
    parser.addOption(exitAfterFirstPaint);
    parser.addPositionalArgument(QStringLiteral("FILE.skn"),
                                 QStringLiteral("A skin to open at start."),
                                 QStringLiteral("[FILE.skn]"));
    parser.process(*this);
    m_bExitAfterFirstPaint = parser.isSet(exitAfterFirstPaint);

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
