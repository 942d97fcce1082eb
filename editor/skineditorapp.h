#pragma once

#include <QApplication>

#include <filesystem>
#include <optional>

class CSkinEditorDlg;

// The program: names itself for the settings, runs the editor window modally as its main
// window and ends when that window closes.
class CSkinEditorApp : public QApplication
{
    Q_OBJECT

public:
    CSkinEditorApp(int& argc, char** argv);

    // Reads the command line, runs the editor and returns the process's exit code.
    int InitInstance();

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    bool m_bExitAfterFirstPaint = false;
    CSkinEditorDlg* m_pMainWnd = nullptr;
};
