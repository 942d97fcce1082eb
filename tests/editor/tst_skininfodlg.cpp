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
    QList<QWidget*> expected = {dlg.findChild<QPushButton*>("1"), dlg.findChild<QPushButton*>("2")};
    for (const int nID : kEdits) {
        expected.append(Edit(dlg, nID));
    }
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

QTEST_MAIN(tst_SkinInfoDlg)
#include "tst_skininfodlg.moc"
