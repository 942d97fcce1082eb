// tintary's command line, run as its own process: --help and --version answer without a display,
// and wrong usage is refused without a colour on the output.
#include <QProcess>
#include <QTest>

class tst_TintaryCli : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
};

void tst_TintaryCli::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("display"); // an offscreen one; otherwise none at all
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // the start of standard output

    const QString strVersion = QStringLiteral("tintary " TAVELO_VERSION "\n");
    QTest::newRow("--help") << QStringList{"--help"} << false << 0 << "Usage: tintary";
    QTest::newRow("-h") << QStringList{"-h"} << false << 0 << "Usage: tintary";
    QTest::newRow("--version") << QStringList{"--version"} << false << 0 << strVersion;
    QTest::newRow("--version after a Qt option")
        << QStringList{"-platform", "offscreen", "--version"} << false << 0 << strVersion;
    QTest::newRow("unknown option") << QStringList{"--bogus"} << true << 2 << "";
    QTest::newRow("an argument") << QStringList{"colour"} << true << 2 << "";
}

void tst_TintaryCli::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, display);
    QFETCH(int, exitCode);
    QFETCH(QString, output);

    QProcessEnvironment environment;
    if (display) {
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    }
    QProcess tintary;
    tintary.setProcessEnvironment(environment);
    tintary.start(TINTARY_EXE, arguments);
    QVERIFY(tintary.waitForFinished());
    QCOMPARE(tintary.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tintary.exitCode(), exitCode);
    const QString strOutput = QString::fromUtf8(tintary.readAllStandardOutput());
    QVERIFY2(output.isEmpty() ? strOutput.isEmpty() : strOutput.startsWith(output),
             qPrintable(strOutput));
    if (exitCode != 0) {
        const QString strWrong = QString(arguments.constFirst()).remove(QLatin1Char('-'));
        QVERIFY(QString::fromUtf8(tintary.readAllStandardError()).contains(strWrong));
    }
}

QTEST_GUILESS_MAIN(tst_TintaryCli)
#include "tst_tintarycli.moc"
