#include "programrunner.h"

#include "colourreport.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QProcessEnvironment>
#include <QWidget>

namespace {

// Room for "0x00BBGGRR" with any line end and a little slack.
constexpr std::size_t kMaxOutput = 64;

} // namespace

CProgramRunner::CProgramRunner(QObject* pParent) : QObject(pParent)
{
    m_process.setStandardInputFile(QProcess::nullDevice());
    // The chooser's diagnostics belong on our stderr, not in its answer.
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(&m_process, &QProcess::started, this, &CProgramRunner::OnStarted);
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &CProgramRunner::OnOutput);
    connect(&m_process, &QProcess::finished, this, &CProgramRunner::OnFinished);
    // Some start failures are reported inside start(): queued, the end always follows Run.
    connect(&m_process, &QProcess::errorOccurred, this, &CProgramRunner::OnError,
            Qt::QueuedConnection);
}

CProgramRunner::~CProgramRunner()
{
    // QProcess ends a running program when it goes; nobody is left to hear about it.
    m_process.disconnect(this);
}

CProgramRunner& CProgramRunner::Init(const QString& strProgram, const QStringList& arguments)
{
    m_strProgram = strProgram;
    m_arguments = arguments;
    return *this;
}

void CProgramRunner::SetOwner(QWidget* pOwner)
{
    if (m_pOwner != nullptr) {
        m_pOwner->removeEventFilter(this);
    }
    m_pOwner = pOwner;
    if (m_pOwner != nullptr) {
        m_pOwner->installEventFilter(this);
    }
}

bool CProgramRunner::Run()
{
    if (m_bRunning) {
        return false;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QString::fromLatin1(CHOOSER_OWNER_VARIABLE));
    if (m_pOwner != nullptr) {
        environment.insert(QString::fromLatin1(CHOOSER_OWNER_VARIABLE),
                           QString::number(m_pOwner->window()->winId()));
    }
    m_process.setProcessEnvironment(environment);
    m_bRunning = true;
    m_nPid = 0;
    m_strOutput.clear();
    m_bOutputOverflow = false;
    m_process.start(m_strProgram, m_arguments, QIODevice::ReadOnly);
    return true;
}

bool CProgramRunner::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    // The window manager's close box reaches a disabled window too.
    if (m_bRunning && pWatched == m_pOwner && pEvent->type() == QEvent::Close) {
        pEvent->ignore();
        return true;
    }
    return QObject::eventFilter(pWatched, pEvent);
}

void CProgramRunner::OnStarted()
{
    m_nPid = m_process.processId();
    emit started(m_nPid);
}

void CProgramRunner::OnOutput()
{
    const QByteArray bytes = m_process.readAllStandardOutput();
    if (m_strOutput.size() + static_cast<std::size_t>(bytes.size()) > kMaxOutput) {
        m_bOutputOverflow = true;
    }
    if (!m_bOutputOverflow) {
        m_strOutput.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
}

void CProgramRunner::OnFinished(int nExitCode, QProcess::ExitStatus status)
{
    OnOutput();
    // An exit code answer does not depend on what else the program printed.
    const bool bOutputUsable =
        NATIVE_COLOUR_CHANNEL == ColourChannel::ExitCode || !m_bOutputOverflow;
    std::optional<COLORREF> colour;
    if (status == QProcess::NormalExit && bOutputUsable) {
        colour = ReadColourReport(m_strOutput, nExitCode);
    }
    Finish(colour.value_or(CHOOSER_CANCELLED));
}

void CProgramRunner::OnError(QProcess::ProcessError error)
{
    // Every other error is followed by finished(); a program that never started is not.
    if (error == QProcess::FailedToStart) {
        Finish(CHOOSER_CANCELLED);
    }
}

void CProgramRunner::Finish(quint32 result)
{
    if (!m_bRunning) {
        return;
    }
    m_bRunning = false;
    emit finished(m_nPid, result);
}

QString ChooserProgramPath()
{
#ifdef Q_OS_WIN
    const QString strName = QStringLiteral("tintary.exe");
#else
    const QString strName = QStringLiteral("tintary");
#endif
    return QDir(QCoreApplication::applicationDirPath()).filePath(strName);
}
