#pragma once

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

// Starts one external program and reports its start and its end; used for the colour chooser.
// Event-driven: the process's own signals drive it, nothing polls.
//
// After a Run that returns true, finished() follows exactly once: with the chosen COLORREF read by
// the colour chooser contract (colourreport.h), or with CHOOSER_CANCELLED when the program was
// cancelled, answered with no colour, could not start or crashed. started() comes before it only
// when the program did start. Both arrive from the event loop, after Run has returned.
//
// Keep the runner alive until finished(): destroying it ends a program still running, silently.
class QWidget;

class CProgramRunner : public QObject
{
    Q_OBJECT

public:
    explicit CProgramRunner(QObject* pParent = nullptr);
    ~CProgramRunner() override;

    // The program to start and its arguments (the colour chooser takes none).
    CProgramRunner& Init(const QString& strProgram, const QStringList& arguments = {});

    // The window the program works for, as its modal dialog: the program is told the window's
    // native id (CHOOSER_OWNER_VARIABLE) so that it can stay above it and take the clicks on it,
    // and the window refuses to close while the program runs, so the program is not ended from
    // under the user. Not owned; may be null.
    void SetOwner(QWidget* pOwner);

    // False, and nothing changes, while a program of this runner is still running.
    bool Run();

    bool IsRunning() const { return m_bRunning; }

signals:
    // The program has started; pid is its process id.
    void started(qint64 pid);
    // The request has ended; pid is 0 when the program never started. result is a COLORREF when
    // IsChosenColour(result), else the request was cancelled.
    void finished(qint64 pid, quint32 result);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void OnStarted();
    void OnOutput();
    void OnFinished(int nExitCode, QProcess::ExitStatus status);
    void OnError(QProcess::ProcessError error);
    void Finish(quint32 result);

    QString m_strProgram;
    QStringList m_arguments;
    QProcess m_process;
    QPointer<QWidget> m_pOwner;
    qint64 m_nPid = 0;
    bool m_bRunning = false;
    // The answer is one short line; more than this is no answer, and is not kept.
    std::string m_strOutput;
    bool m_bOutputOverflow = false;
};

// Where the colour chooser lies: beside the running executable.
QString ChooserProgramPath();
