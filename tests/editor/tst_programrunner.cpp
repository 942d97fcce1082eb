#include "colourreport.h"
#include "programrunner.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

namespace {

// Only a guard against a hang: every wait ends with the signal long before.
constexpr int kHangGuardMs = 60000;

} // namespace

// The runner against real processes: small chooser scripts written into a temporary folder.
class tst_ProgramRunner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void chooserAnswer_data();
    void chooserAnswer();
    void programThatCannotStart_data();
    void programThatCannotStart();
    void secondRunWhileRunningIsRefused();
    void runsAgainAfterFinishing();
    void chooserPathIsBesideTheExecutable();

private:
    QString WriteScript(const QString& strName, const QByteArray& body, bool bExecutable = true);

    QTemporaryDir m_dir;
};

void tst_ProgramRunner::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString tst_ProgramRunner::WriteScript(const QString& strName, const QByteArray& body,
                                       bool bExecutable)
{
    const QString strPath = m_dir.filePath(strName);
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return {};
    }
    file.write("#!/bin/sh\n" + body + "\n");
    file.close();
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (bExecutable) {
        permissions |= QFile::ExeOwner;
    }
    file.setPermissions(permissions);
    return strPath;
}

void tst_ProgramRunner::chooserAnswer_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<quint32>("expected");
    QTest::newRow("blue") << QByteArray("echo 0x00FF0000") << quint32{0x00FF0000};
    QTest::newRow("lower case, no line end")
        << QByteArray("printf 0x0000ff80") << quint32{0x0000FF80};
    QTest::newRow("black is a colour") << QByteArray("echo 0x00000000") << quint32{0};
    QTest::newRow("prints nothing") << QByteArray("exit 0") << CHOOSER_CANCELLED;
    QTest::newRow("cancel: exit 1") << QByteArray("exit 1") << CHOOSER_CANCELLED;
    QTest::newRow("answer then exit 3")
        << QByteArray("echo 0x00FF0000; exit 3") << CHOOSER_CANCELLED;
    QTest::newRow("answer then killed")
        << QByteArray("echo 0x00FF0000; kill -KILL $$") << CHOOSER_CANCELLED;
    QTest::newRow("automatic entry is no colour")
        << QByteArray("echo 0xFF000000") << CHOOSER_CANCELLED;
    QTest::newRow("diagnostics on stderr are not the answer")
        << QByteArray("echo warning >&2; echo 0x00FF0000") << quint32{0x00FF0000};
    QTest::newRow("flood of output")
        << QByteArray("yes 0x00FF0000 | head -n 100000") << CHOOSER_CANCELLED;
}

void tst_ProgramRunner::chooserAnswer()
{
    QFETCH(QByteArray, script);
    QFETCH(quint32, expected);
    CProgramRunner runner;
    runner.Init(WriteScript(QStringLiteral("chooser"), script));
    QSignalSpy started(&runner, &CProgramRunner::started);
    QSignalSpy finished(&runner, &CProgramRunner::finished);

    QVERIFY(runner.Run());
    QVERIFY(runner.IsRunning());
    QVERIFY(finished.wait(kHangGuardMs));

    QCOMPARE(started.count(), 1);
    QCOMPARE(finished.count(), 1);
    const qint64 nPid = started.at(0).at(0).toLongLong();
    QVERIFY(nPid > 0);
    QCOMPARE(finished.at(0).at(0).toLongLong(), nPid);
    QCOMPARE(finished.at(0).at(1).value<quint32>(), expected);
    QVERIFY(!runner.IsRunning());
}

void tst_ProgramRunner::programThatCannotStart_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("missing") << m_dir.filePath(QStringLiteral("no-such-chooser"));
    QTest::newRow("not executable")
        << WriteScript(QStringLiteral("plain"), "echo 0x00FF0000", false);
    QTest::newRow("no program") << QString();
}

// The request must still end, or the editor would stay disabled for ever.
void tst_ProgramRunner::programThatCannotStart()
{
    QFETCH(QString, program);
    CProgramRunner runner;
    runner.Init(program);
    QSignalSpy started(&runner, &CProgramRunner::started);
    QSignalSpy finished(&runner, &CProgramRunner::finished);

    QVERIFY(runner.Run());
    QCOMPARE(finished.count(), 0); // never from inside Run
    QVERIFY(finished.wait(kHangGuardMs));

    QCOMPARE(started.count(), 0);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toLongLong(), qint64{0});
    QCOMPARE(finished.at(0).at(1).value<quint32>(), CHOOSER_CANCELLED);
    QVERIFY(!runner.IsRunning());
}

void tst_ProgramRunner::secondRunWhileRunningIsRefused()
{
    CProgramRunner runner;
    runner.Init(WriteScript(QStringLiteral("waiting"), "exec sleep 600"));
    QSignalSpy started(&runner, &CProgramRunner::started);
    QSignalSpy finished(&runner, &CProgramRunner::finished);
    QVERIFY(runner.Run());
    QVERIFY(started.wait(kHangGuardMs));

    QVERIFY(!runner.Run());

    // A chooser that dies while open ends the request as cancelled.
    const qint64 nPid = started.at(0).at(0).toLongLong();
    QCOMPARE(::kill(static_cast<pid_t>(nPid), SIGTERM), 0);
    QVERIFY(finished.wait(kHangGuardMs));
    QCOMPARE(started.count(), 1);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toLongLong(), nPid);
    QCOMPARE(finished.at(0).at(1).value<quint32>(), CHOOSER_CANCELLED);
}

// Nothing of one run may leak into the next: the answer of the first is not the second's.
void tst_ProgramRunner::runsAgainAfterFinishing()
{
    CProgramRunner runner;
    QSignalSpy finished(&runner, &CProgramRunner::finished);
    runner.Init(WriteScript(QStringLiteral("first"), "echo 0x00FF0000"));
    QVERIFY(runner.Run());
    QVERIFY(finished.wait(kHangGuardMs));

    runner.Init(WriteScript(QStringLiteral("second"), "echo 0x0000FF00"));
    QVERIFY(runner.Run());
    QVERIFY(finished.wait(kHangGuardMs));

    runner.Init(WriteScript(QStringLiteral("third"), "exit 0"));
    QVERIFY(runner.Run());
    QVERIFY(finished.wait(kHangGuardMs));

    QCOMPARE(finished.count(), 3);
    QCOMPARE(finished.at(0).at(1).value<quint32>(), quint32{0x00FF0000});
    QCOMPARE(finished.at(1).at(1).value<quint32>(), quint32{0x0000FF00});
    QCOMPARE(finished.at(2).at(1).value<quint32>(), CHOOSER_CANCELLED);
}

void tst_ProgramRunner::chooserPathIsBesideTheExecutable()
{
    const QFileInfo chooser(ChooserProgramPath());
    QCOMPARE(chooser.absolutePath(),
             QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
    QVERIFY(chooser.fileName().startsWith(QStringLiteral("tintary")));
}

QTEST_GUILESS_MAIN(tst_ProgramRunner)
#include "tst_programrunner.moc"
