// "Eyedropper Tool..." on the colour pickers: the editor hands the choice to a real external
// chooser program (small scripts written by the test), stays disabled while it runs and takes
// its answer, or puts the picker back when there is none.
#include "colourpalettepopup.h"
#include "colourreport.h"
#include "editorfixture.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Only a guard against a hang: every wait ends with the event long before.
constexpr int kHangGuardMs = 60000;

struct Fixture
{
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    Fixture() { dlg.OpenSkinFile(kSamplesDir / "yellow-note.skn"); }
};

// Every stored colour of the skin, in one comparable value.
std::vector<COLORREF> Colours(const CSkin& skin)
{
    return {skin.m_crMainTransparent, skin.m_crCloseTransparent, skin.m_crCloseHoverTransparent,
            skin.m_crMessageBack,     skin.m_crTitleBack,        skin.m_crMessageText,
            skin.m_crTitleText};
}

// Waits for the request to end: the chooser's answer, or its failure, comes from the event loop.
bool WaitForAnswer(const CSkinEditorDlg& dlg)
{
    return QTest::qWaitFor([&dlg] { return dlg.GetColourRequestId() == 0; }, kHangGuardMs);
}

} // namespace

class tst_EditorChooser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { SettingsSandbox::Clear(); }
    void chooserAnswer_data();
    void chooserAnswer();
    void editorDisabledWhileChooserRuns();
    void transparencyOfMainWindow();
    void throughThePalette_data();
    void throughThePalette();

private:
    QString WriteChooser(const QString& strName, const QByteArray& body);

    QTemporaryDir m_dir;
    SettingsSandbox m_settings;
};

void tst_EditorChooser::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString tst_EditorChooser::WriteChooser(const QString& strName, const QByteArray& body)
{
    const QString strPath = m_dir.filePath(strName);
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return {};
    }
    file.write("#!/bin/sh\n" + body + "\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return strPath;
}

void tst_EditorChooser::chooserAnswer_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("nPicker");
    QTest::addColumn<bool>("bAnswered");
    const int nTexts[] = {CSkinEditorDlg::IDC_MESSAGE_TEXT, CSkinEditorDlg::IDC_TITLE_BACK};
    for (const int nPicker : nTexts) {
        const QByteArray name = QByteArray::number(nPicker);
        QTest::newRow(name + ": pure blue") << QByteArray("echo 0x00FF0000") << nPicker << true;
        QTest::newRow(name + ": cancelled") << QByteArray("exit 1") << nPicker << false;
        QTest::newRow(name + ": crashed")
            << QByteArray("echo 0x00FF0000; kill -KILL $$") << nPicker << false;
        QTest::newRow(name + ": no colour") << QByteArray("echo 0xFF000000") << nPicker << false;
        QTest::newRow(name + ": missing chooser") << QByteArray() << nPicker << false;
    }
}

void tst_EditorChooser::chooserAnswer()
{
    QFETCH(QByteArray, script);
    QFETCH(int, nPicker);
    QFETCH(bool, bAnswered);
    Fixture f;
    f.dlg.SetChooserProgram(script.isEmpty() ? m_dir.filePath(QStringLiteral("no-such-chooser"))
                                             : WriteChooser(QStringLiteral("chooser"), script));
    CColourPicker* const pPicker = Control<CColourPicker>(f.dlg, nPicker);
    const COLORREF crShown = pPicker->GetColour();
    const std::vector<COLORREF> before = Colours(f.dlg.GetSkin());

    emit pPicker->colourOk(CLR_DEFAULT, nPicker);
    // Nothing is stored until the chooser answers.
    QCOMPARE(f.dlg.GetColourRequestId(), nPicker);
    QVERIFY(Colours(f.dlg.GetSkin()) == before);
    QVERIFY(WaitForAnswer(f.dlg));

    QVERIFY(f.dlg.isEnabled());
    QCOMPARE(f.dlg.IsModified(), bAnswered);
    QCOMPARE(f.dlg.windowTitle().endsWith(" *"), bAnswered);
    std::vector<COLORREF> expected = before;
    if (bAnswered) {
        const COLORREF crBlue = RGB(0, 0, 255);
        QCOMPARE(pPicker->GetColour(), crBlue);
        expected[nPicker == CSkinEditorDlg::IDC_MESSAGE_TEXT ? 5 : 4] = crBlue;
    } else {
        QCOMPARE(pPicker->GetColour(), crShown);
    }
    QVERIFY(Colours(f.dlg.GetSkin()) == expected);
    QVERIFY(!f.dlg.IsComponentModified());
}

// The chooser waits on a pipe until the test answers, so the state while it runs can be read.
// It works as the editor's modal dialog: it learns the editor's window, and the editor cannot
// be closed from under it.
void tst_EditorChooser::editorDisabledWhileChooserRuns()
{
    const QString strPipe = m_dir.filePath(QStringLiteral("answer"));
    const QString strOwner = m_dir.filePath(QStringLiteral("owner"));
    QCOMPARE(::mkfifo(QFile::encodeName(strPipe).constData(), 0600), 0);
    Fixture f;
    f.dlg.show();
    f.dlg.SetChooserProgram(WriteChooser(QStringLiteral("waiting"),
                                         "echo \"$" + QByteArray(CHOOSER_OWNER_VARIABLE) +
                                             "\" > '" + strOwner.toUtf8() + "'\nread answer < '" +
                                             strPipe.toUtf8() + "'\necho \"$answer\""));
    emit Control<CColourPicker>(f.dlg, CSkinEditorDlg::IDC_MESSAGE_BACK)
        ->colourOk(CLR_DEFAULT, CSkinEditorDlg::IDC_MESSAGE_BACK);
    QVERIFY(QTest::qWaitFor([&f] { return !f.dlg.isEnabled(); }, kHangGuardMs));
    QVERIFY(!f.dlg.IsModified());
    QVERIFY(!f.dlg.close());
    QVERIFY(f.dlg.isVisible());

    // Opening the pipe waits until the chooser has opened its end.
    const int fd = ::open(QFile::encodeName(strPipe).constData(), O_WRONLY);
    QVERIFY(fd >= 0);
    const char answer[] = "0x0000FF00\n";
    QCOMPARE(::write(fd, answer, sizeof(answer) - 1), static_cast<ssize_t>(sizeof(answer) - 1));
    ::close(fd);

    QVERIFY(WaitForAnswer(f.dlg));
    QVERIFY(f.dlg.isEnabled());
    QCOMPARE(f.dlg.GetSkin().m_crMessageBack, RGB(0, 255, 0));
    QVERIFY(f.dlg.IsModified());
    QFile owner(strOwner);
    QVERIFY(owner.open(QIODevice::ReadOnly));
    QCOMPARE(owner.readAll().trimmed(), QByteArray::number(f.dlg.winId()));

    // Once the chooser has ended, closing asks the usual question.
    f.prompts.QueueMessageAnswer(PromptAnswer::Cancel);
    QVERIFY(!f.dlg.close());
    QCOMPARE(f.prompts.CallsOf(CScriptedPrompts::Kind::Message).size(), std::size_t{1});
}

// The answer becomes the main image's transparent colour and the view keys the image with it.
void tst_EditorChooser::transparencyOfMainWindow()
{
    Fixture f;
    QCOMPARE(f.dlg.GetComponent(), int(COMPONENT_MAIN_WINDOW));
    f.dlg.SetChooserProgram(WriteChooser(QStringLiteral("blue"), "echo 0x00FF0000"));
    QWidget* const pViewWidget = Control<QWidget>(f.dlg, CSkinImageView::VIEW_ID);
    pViewWidget->resize(300, 260);
    const QImage before = pViewWidget->grab().toImage();

    emit Control<CColourPicker>(f.dlg, CSkinEditorDlg::IDC_TRANSPARENT)
        ->colourOk(CLR_DEFAULT, CSkinEditorDlg::IDC_TRANSPARENT);
    QVERIFY(WaitForAnswer(f.dlg));

    const COLORREF crBlue = RGB(0, 0, 255);
    QCOMPARE(f.dlg.GetSkin().m_crMainTransparent, crBlue);
    QCOMPARE(f.dlg.GetImageView().GetTransparentColour(), crBlue);
    QCOMPARE(Control<CColourPicker>(f.dlg, CSkinEditorDlg::IDC_TRANSPARENT)->GetColour(), crBlue);
    QVERIFY(!f.dlg.IsComponentModified());
    QVERIFY(f.dlg.IsModified());
    // The pixels keyed by the old colour now show it.
    QVERIFY(pViewWidget->grab().toImage() != before);
}

void tst_EditorChooser::throughThePalette_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("bAnswered");
    QTest::newRow("answered") << QByteArray("echo 0x00FF0000") << true;
    QTest::newRow("cancelled") << QByteArray("exit 1") << false;
}

// As the user does it: the button drops its palette down and the automatic entry, labelled
// "Eyedropper Tool...", is clicked. The picker shows that entry's look while the chooser runs and
// gets its colour, or the one from before the palette opened.
void tst_EditorChooser::throughThePalette()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, bAnswered);
    Fixture f;
    f.dlg.SetChooserProgram(WriteChooser(QStringLiteral("palette"), script));
    f.dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.dlg));
    CColourPicker* const pPicker = Control<CColourPicker>(f.dlg, CSkinEditorDlg::IDC_TITLE_TEXT);
    const COLORREF crShown = pPicker->GetColour();

    QTest::mouseClick(pPicker, Qt::LeftButton);
    CColourPalettePopup* pPopup = nullptr;
    for (QWidget* pWidget : QApplication::topLevelWidgets()) {
        if (auto* pCandidate = qobject_cast<CColourPalettePopup*>(pWidget);
            pCandidate != nullptr && pCandidate->isVisible()) {
            pPopup = pCandidate;
        }
    }
    QVERIFY(pPopup != nullptr);
    const QPoint ptAuto(pPopup->width() / 2, pPopup->fontMetrics().height() / 2 + 6);
    // Two moves: the test's mouse may already rest at the point from an earlier row.
    QTest::mouseMove(pPopup, ptAuto - QPoint(5, 0));
    QTest::mouseMove(pPopup, ptAuto);
    QTest::mouseClick(pPopup, Qt::LeftButton, {}, ptAuto);
    QCOMPARE(pPicker->GetColour(), CLR_DEFAULT);
    QCOMPARE(f.dlg.GetColourRequestId(), int(CSkinEditorDlg::IDC_TITLE_TEXT));

    QVERIFY(WaitForAnswer(f.dlg));
    QVERIFY(f.dlg.isEnabled());
    QCOMPARE(pPicker->GetColour(), bAnswered ? RGB(0, 0, 255) : crShown);
    QCOMPARE(f.dlg.GetSkin().m_crTitleText, bAnswered ? RGB(0, 0, 255) : crShown);
    QCOMPARE(f.dlg.IsModified(), bAnswered);
}

QTEST_MAIN(tst_EditorChooser)
#include "tst_editorchooser.moc"
