#include "scriptedprompts.h"
#include "skininfodlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <array>

namespace {

// Title, author, date, comment, as the dialog shows them from top to bottom.
constexpr std::array<int, 4> kEdits = {CSkinInfoDlg::IDC_SKIN_TITLE, CSkinInfoDlg::IDC_SKIN_AUTHOR,
                                       CSkinInfoDlg::IDC_SKIN_DATE, CSkinInfoDlg::IDC_SKIN_COMMENT};

QLineEdit* Edit(const QDialog& dlg, int nID)
{
    return dlg.findChild<QLineEdit*>(QString::number(nID));
}

void Fill(CSkinInfoDlg& dlg)
{
    dlg.m_strTitle = "Yellow note";
    dlg.m_strAuthor = "A. N. Author";
    dlg.m_strDate = "12 March";
    dlg.m_strComment = "Caf\xE9 colours"; // Windows-1252 e acute
}

} // namespace

class tst_SkinInfoDlg : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheTextsInOrder();
    void tabOrder();
    void closing_data();
    void closing();
    void textsAreStoredWholeOrRefused_data();
    void textsAreStoredWholeOrRefused();
};

void tst_SkinInfoDlg::opensWithTheTextsInOrder()
{
    CSkinInfoDlg dlg;
    Fill(dlg);
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Skin Information"));
    const QStringList expected = {"Yellow note", "A. N. Author", "12 March",
                                  QStringLiteral("Caf\u00E9 colours")};
    int nPreviousY = -1;
    for (std::size_t i = 0; i < kEdits.size(); ++i) {
        const QLineEdit* pEdit = Edit(dlg, kEdits[i]);
        QVERIFY(pEdit != nullptr);
        QCOMPARE(pEdit->text(), expected[static_cast<qsizetype>(i)]);
        QVERIFY(pEdit->y() > nPreviousY);
        nPreviousY = pEdit->y();
    }
}

void tst_SkinInfoDlg::tabOrder()
{
    CSkinInfoDlg dlg;
    dlg.show();
    QList<QWidget*> expected;
    for (const int nID : kEdits) {
        expected.append(Edit(dlg, nID));
    }
    expected << dlg.findChild<QPushButton*>("1") << dlg.findChild<QPushButton*>("2");
    QWidget* pWidget = expected.front();
    for (qsizetype i = 1; i <= expected.size(); ++i) {
        do {
            pWidget = pWidget->nextInFocusChain();
        } while ((pWidget->focusPolicy() & Qt::TabFocus) == 0);
        QCOMPARE(pWidget, expected[i % expected.size()]);
    }
}

void tst_SkinInfoDlg::closing_data()
{
    QTest::addColumn<QString>("strHow");
    QTest::addColumn<bool>("bAccepted");
    QTest::newRow("OK") << "ok" << true;
    QTest::newRow("Enter") << "enter" << true;
    QTest::newRow("Cancel") << "cancel" << false;
    QTest::newRow("Esc") << "escape" << false;
}

void tst_SkinInfoDlg::closing()
{
    QFETCH(QString, strHow);
    QFETCH(bool, bAccepted);
    CSkinInfoDlg dlg;
    Fill(dlg);
    dlg.show();
    Edit(dlg, CSkinInfoDlg::IDC_SKIN_TITLE)->setText(QStringLiteral("Green leaf"));
    Edit(dlg, CSkinInfoDlg::IDC_SKIN_AUTHOR)->clear(); // empty texts are allowed
    Edit(dlg, CSkinInfoDlg::IDC_SKIN_COMMENT)->setText(QStringLiteral("Na\u00EFve \u20AC"));

    if (strHow == "ok") {
        QTest::mouseClick(dlg.findChild<QPushButton*>("1"), Qt::LeftButton);
    } else if (strHow == "cancel") {
        QTest::mouseClick(dlg.findChild<QPushButton*>("2"), Qt::LeftButton);
    } else {
        QTest::keyClick(Edit(dlg, CSkinInfoDlg::IDC_SKIN_DATE),
                        strHow == "enter" ? Qt::Key_Return : Qt::Key_Escape);
    }

    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), bAccepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
    if (bAccepted) {
        QCOMPARE(dlg.m_strTitle, std::string("Green leaf"));
        QCOMPARE(dlg.m_strAuthor, std::string());
        QCOMPARE(dlg.m_strComment, std::string("Na\xEFve \x80"));
    } else {
        QCOMPARE(dlg.m_strTitle, std::string("Yellow note"));
        QCOMPARE(dlg.m_strAuthor, std::string("A. N. Author"));
        QCOMPARE(dlg.m_strComment, std::string("Caf\xE9 colours"));
    }
    QCOMPARE(dlg.m_strDate, std::string("12 March"));
}

void tst_SkinInfoDlg::textsAreStoredWholeOrRefused_data()
{
    QTest::addColumn<int>("nEdit");
    QTest::addColumn<QString>("strTyped");
    QTest::addColumn<QByteArray>("stored"); // empty: refused, the dialog stays open
    QTest::addColumn<QString>("strNamed");
    const QString strLong = QString(40000, QLatin1Char('x')) + QStringLiteral("end");
    QTest::newRow("title beyond a line edit's default limit")
        << int(CSkinInfoDlg::IDC_SKIN_TITLE) << strLong << strLong.toLatin1() << QString();
    QTest::newRow("comment of Windows-1252 only")
        << int(CSkinInfoDlg::IDC_SKIN_COMMENT) << QStringLiteral("Caf\u00E9 \u2013 10 \u20AC")
        << QByteArray("Caf\xE9 \x96 10 \x80") << QString();
    QTest::newRow("author with a CJK character")
        << int(CSkinInfoDlg::IDC_SKIN_AUTHOR) << QStringLiteral("Li \u674E") << QByteArray()
        << QStringLiteral("The author holds characters that a skin cannot "
                          "store: \"\u674E\" (U+674E).");
    QTest::newRow("date with an emoji")
        << int(CSkinInfoDlg::IDC_SKIN_DATE) << QStringLiteral("May \U0001F600") << QByteArray()
        << QStringLiteral("\"\U0001F600\" (U+1F600)");
}

void tst_SkinInfoDlg::textsAreStoredWholeOrRefused()
{
    QFETCH(int, nEdit);
    QFETCH(QString, strTyped);
    QFETCH(QByteArray, stored);
    QFETCH(QString, strNamed);
    CScriptedPrompts prompts;
    CSkinInfoDlg dlg;
    Fill(dlg);
    std::string& strMember = nEdit == CSkinInfoDlg::IDC_SKIN_TITLE    ? dlg.m_strTitle
                             : nEdit == CSkinInfoDlg::IDC_SKIN_AUTHOR ? dlg.m_strAuthor
                             : nEdit == CSkinInfoDlg::IDC_SKIN_DATE   ? dlg.m_strDate
                                                                      : dlg.m_strComment;
    const std::string strBefore = strMember;
    dlg.show();
    Edit(dlg, nEdit)->setText(strTyped);
    if (stored.isEmpty()) {
        prompts.QueueMessageAnswer(PromptAnswer::Ok);
    }
    QTest::mouseClick(dlg.findChild<QPushButton*>("1"), Qt::LeftButton);

    QCOMPARE(dlg.isVisible(), stored.isEmpty());
    QCOMPARE(strMember, stored.isEmpty() ? strBefore : stored.toStdString());
    const auto messages = prompts.CallsOf(CScriptedPrompts::Kind::Message);
    QCOMPARE(messages.size(), std::size_t{stored.isEmpty() ? 1U : 0U});
    if (!messages.empty()) {
        QVERIFY2(QString::fromStdString(messages[0].text).contains(strNamed),
                 messages[0].text.c_str());
        QCOMPARE(dlg.focusWidget(), Edit(dlg, nEdit));
    }
}

QTEST_MAIN(tst_SkinInfoDlg)
#include "tst_skininfodlg.moc"
