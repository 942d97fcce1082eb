#include "aboutdlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <algorithm>

class tst_AboutDlg : public QObject
{
    Q_OBJECT

private slots:
    void showsIconVersionAndCredits();
    void closes_data();
    void closes();
};

void tst_AboutDlg::showsIconVersionAndCredits()
{
    CAboutDlg dlg;
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("About Tavelo"));
    QStringList texts;
    bool bIcon = false;
    for (const QLabel* pLabel : dlg.findChildren<QLabel*>()) {
        texts.append(pLabel->text());
        bIcon = bIcon || !pLabel->pixmap().isNull();
    }
    QVERIFY2(bIcon, "the program icon did not load from the resources");
    const QString strAll = texts.join('\n');
    QVERIFY(std::any_of(texts.begin(), texts.end(), [](const QString& strText) {
        return strText.startsWith(QStringLiteral("Tavelo Version 1.1\n"));
    }));
    for (const char* szLine : {"Tavelo Author:", "The Tavelo developers", "Tintary Author:",
                               "The Tintary developers", "https://www.corvane.example/palimo"}) {
        QVERIFY2(strAll.contains(QString::fromLatin1(szLine)), szLine);
    }
}

void tst_AboutDlg::closes_data()
{
    QTest::addColumn<bool>("bEscape");
    QTest::newRow("OK") << false;
    QTest::newRow("Esc") << true;
}

void tst_AboutDlg::closes()
{
    QFETCH(bool, bEscape);
    CAboutDlg dlg;
    dlg.show();
    auto* const pOk = dlg.findChild<QPushButton*>("1");
    QVERIFY(pOk->isDefault());
    if (bEscape) {
        QTest::keyClick(&dlg, Qt::Key_Escape);
    } else {
        QTest::mouseClick(pOk, Qt::LeftButton);
    }
    QVERIFY(!dlg.isVisible());
}

QTEST_MAIN(tst_AboutDlg)
#include "tst_aboutdlg.moc"
