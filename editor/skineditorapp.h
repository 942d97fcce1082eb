#pragma once

#include <QApplication>

#include <filesystem>
#include <optional>

class CSkinEditorDlg;
class QCommandLineParser;

// The program: names itself for the settings, runs the editor window modally as its main
// window and ends when that window closes.
class CSkinEditorApp : public QApplication
{
    Q_OBJECT

public:
    CSkinEditorApp(int& argc, char** argv);

    // The desktop's name for the program: its desktop entry, icon and metainfo are called so.
    static constexpr const char* kDesktopFileName = "example.corvane.Tavelo";

    // Answers --help and --version before any display is opened, so that they work where there is
    // none; nullopt when the command line asks for the editor itself.
    static std::optional<int> AnswerWithoutDisplay(int argc, char** argv);

    // Reads the command line, runs the editor and returns the process's exit code.
    int InitInstance();

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    static void NameProgram();
    static void DescribeOptions(QCommandLineParser& parser);

    bool m_bExitAfterFirstPaint = false;
    CSkinEditorDlg* m_pMainWnd = nullptr;
};
