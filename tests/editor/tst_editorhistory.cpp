// The Edit menu's undo and redo as the user reaches them, and Save As.
#include "editorfixture.h"
#include "qtconvert.h"
#include "skinimageview.h"

#include <QUndoStack>

namespace {

struct Fixture
{
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    TempDir dir;
    std::filesystem::path path = CopySample(dir, "yellow-note.skn");
    Fixture()
    {
        dlg.show();
        dlg.OpenSkinFile(path);
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        // The picker follows the image's place on the view, known from its first paint.
        dlg.findChild<CSkinImageView*>()->repaint();
    }
    QString UndoText() const { return dlg.GetCommand(CSkinEditorDlg::ID_EDIT_UNDO)->text(); }
    int Steps() const { return dlg.GetDocument().UndoStack().count(); }
};

QStringList Numbers(const RECT& rc)
{
    return {QString::number(rc.left), QString::number(rc.top), QString::number(rc.right),
            QString::number(rc.bottom)};
}

// A drag across the view in many small moves, from the middle of the title's rectangle.
void DragTitle(CSkinEditorDlg& dlg, QPoint offset, int nMoves)
{
    auto* const pView = dlg.findChild<CSkinImageView*>();
    const RECT rc = pView->GetPickerRect();
    const QRect rcImage((pView->width() - pView->GetImage()->GetWidth()) / 2,
                        (pView->height() - pView->GetImage()->GetHeight()) / 2, 0, 0);
    const QPoint from =
        rcImage.topLeft() + QPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    QTest::mousePress(pView, Qt::LeftButton, {}, from);
    for (int i = 1; i <= nMoves; ++i) {
        QTest::mouseMove(pView, from + offset * i / nMoves);
    }
    QTest::mouseRelease(pView, Qt::LeftButton, {}, from + offset);
}

} // namespace

class tst_EditorHistory : public QObject
{
    Q_OBJECT

private slots:
    void init() { SettingsSandbox::Clear(); }
    void oneStepPerDrag();
    void undoAcrossApply();
    void undoAsksAboutUnappliedEdits_data();
    void undoAsksAboutUnappliedEdits();
    void saveAs_data();
    void saveAs();

private:
    SettingsSandbox m_settings;
};

// Every mouse move of a drag changes the picker; only the release is a step, and it marks the
// skin, so closing asks to save it.
void tst_EditorHistory::oneStepPerDrag()
{
    Fixture f;
    ChooseComponent(f.dlg, COMPONENT_TITLE);
    Click(f.dlg, CSkinEditorDlg::IDC_PICKER);
    const RECT rcBefore = f.dlg.GetSkin().m_rcTitle;
    DragTitle(f.dlg, QPoint(7, 5), 20);

    const RECT rcAfter = f.dlg.GetSkin().m_rcTitle;
    QVERIFY(SameRect(rcAfter, RECT{rcBefore.left + 7, rcBefore.top + 5, rcBefore.right + 7,
                                   rcBefore.bottom + 5}));
    QCOMPARE(f.Steps(), 1);
    QCOMPARE(f.UndoText(), QStringLiteral("&Undo Move Title Rectangle"));
    QVERIFY(f.dlg.windowTitle().endsWith(" *"));

    Trigger(f.dlg, CSkinEditorDlg::ID_EDIT_UNDO);
    QVERIFY(SameRect(f.dlg.GetSkin().m_rcTitle, rcBefore));
    QCOMPARE(BoxFields(f.dlg), Numbers(rcBefore));
    QVERIFY(SameRect(f.dlg.GetImageView().GetPickerRect(), rcBefore));
    QVERIFY(!f.dlg.IsModified());
    Trigger(f.dlg, CSkinEditorDlg::ID_EDIT_REDO);
    QVERIFY(SameRect(f.dlg.GetSkin().m_rcTitle, rcAfter));
    QCOMPARE(BoxFields(f.dlg), Numbers(rcAfter));

    f.prompts.QueueMessageAnswer(PromptAnswer::Cancel);
    QVERIFY(!f.dlg.close());
    QCOMPARE(f.prompts.Calls().back().text, kSaveFirst);
}

// Apply is one step however much it stores; undo gives back the very image it replaced.
void tst_EditorHistory::undoAcrossApply()
{
    Fixture f;
    ChooseComponent(f.dlg, COMPONENT_CLOSE_BUTTON);
    const CSkin& skin = f.dlg.GetSkin();
    const CDib* const pOldImage = skin.GetCloseImage();
    const RECT rcOld = skin.m_rcCloseButton;
    f.prompts.QueueBitmapFileAnswer(WriteBitmap(f.dir, "close.bmp", 11, 7));
    Click(f.dlg, CSkinEditorDlg::IDC_BROWSE_BITMAP);
    Type(f.dlg, CSkinEditorDlg::IDC_LEFT, "2");
    Click(f.dlg, CSkinEditorDlg::IDC_APPLY);
    const CDib* const pNewImage = skin.GetCloseImage();
    QCOMPARE(pNewImage->GetWidth(), 11);
    QCOMPARE(f.Steps(), 1);
    QCOMPARE(f.UndoText(), QStringLiteral("&Undo Apply Close Button (Normal)"));

    Trigger(f.dlg, CSkinEditorDlg::ID_EDIT_UNDO);
    QCOMPARE(skin.GetCloseImage(), pOldImage);
    QVERIFY(SameRect(skin.m_rcCloseButton, rcOld));
    QCOMPARE(BoxFields(f.dlg), Numbers(rcOld));
    QCOMPARE(FieldText(f.dlg, CSkinEditorDlg::IDC_BITMAP_PATH), QString());
    QVERIFY(!f.dlg.IsComponentModified());
    Trigger(f.dlg, CSkinEditorDlg::ID_EDIT_REDO);
    QCOMPARE(skin.GetCloseImage(), pNewImage);
    QCOMPARE(skin.m_rcCloseButton.left, 2);
    QVERIFY(FieldText(f.dlg, CSkinEditorDlg::IDC_BITMAP_PATH).endsWith("close.bmp"));
    QVERIFY(f.prompts.CallsOf(CScriptedPrompts::Kind::Message).empty());
}

void tst_EditorHistory::undoAsksAboutUnappliedEdits_data()
{
    QTest::addColumn<bool>("bApply");
    QTest::newRow("No drops them") << false;
    QTest::newRow("Yes applies them, and the undo takes that back") << true;
}

void tst_EditorHistory::undoAsksAboutUnappliedEdits()
{
    QFETCH(bool, bApply);
    Fixture f;
    ChooseComponent(f.dlg, COMPONENT_MESSAGE);
    emit Control<CColourPicker>(f.dlg, CSkinEditorDlg::IDC_MESSAGE_TEXT)
        ->colourOk(RGB(9, 9, 9), CSkinEditorDlg::IDC_MESSAGE_TEXT);
    const RECT rcStored = f.dlg.GetSkin().m_rcMessage;
    Type(f.dlg, CSkinEditorDlg::IDC_TOP, "1");

    f.prompts.QueueMessageAnswer(bApply ? PromptAnswer::Yes : PromptAnswer::No);
    Trigger(f.dlg, CSkinEditorDlg::ID_EDIT_UNDO);
    QCOMPARE(f.prompts.Calls().back().text, kApplyFirst);
    QVERIFY(SameRect(f.dlg.GetSkin().m_rcMessage, rcStored));
    QCOMPARE(BoxFields(f.dlg), Numbers(rcStored));
    QVERIFY(!f.dlg.IsComponentModified());
    // No undid the colour; Yes undid the Apply and left the colour.
    QCOMPARE(f.dlg.GetSkin().m_crMessageText == RGB(9, 9, 9), bApply);
    QCOMPARE(f.dlg.GetCommand(CSkinEditorDlg::ID_EDIT_REDO)->text(),
             bApply ? QStringLiteral("&Redo Apply Message")
                    : QStringLiteral("&Redo Message Foreground"));
}

void tst_EditorHistory::saveAs_data()
{
    QTest::addColumn<QString>("strOutcome");
    QTest::newRow("saved") << "saved";
    QTest::newRow("cancelled") << "cancelled";
    QTest::newRow("failed") << "failed";
}

// Save As always asks; only a save that happened changes the name and clears the mark, and the
// mark comes back and goes again with the history.
void tst_EditorHistory::saveAs()
{
    QFETCH(QString, strOutcome);
    Fixture f;
    MarkModified(f.dlg);
    const std::filesystem::path newPath =
        strOutcome == "failed" ? f.dir / "missing" / "b.skn" : f.dir / "b.skn";
    f.prompts.QueueSkinFileAnswer(
        strOutcome == "cancelled" ? std::nullopt : std::optional<std::filesystem::path>(newPath));
    if (strOutcome == "failed") {
        f.prompts.QueueMessageAnswer(PromptAnswer::Ok);
    }
    Trigger(f.dlg, CSkinEditorDlg::ID_FILE_SAVE_AS);

    const bool bSaved = strOutcome == "saved";
    QCOMPARE(f.dlg.GetFilePath(), bSaved ? newPath : f.path);
    QCOMPARE(f.dlg.IsModified(), !bSaved);
    QCOMPARE(f.dlg.windowTitle(),
             "Tavelo - " + pathToQString(bSaved ? newPath : f.path) + (bSaved ? "" : " *"));
    QCOMPARE(std::filesystem::exists(newPath), bSaved);
    if (strOutcome == "failed") {
        QVERIFY(f.prompts.Calls().back().text.starts_with("The skin could not be saved as"));
    }
    if (bSaved) {
        // The clean point moved with the save: undoing leaves it, redoing comes back to it.
        Trigger(f.dlg, CSkinEditorDlg::ID_EDIT_UNDO);
        QVERIFY(f.dlg.IsModified());
        Trigger(f.dlg, CSkinEditorDlg::ID_EDIT_REDO);
        QVERIFY(!f.dlg.IsModified());
    }
}

QTEST_MAIN(tst_EditorHistory)
#include "tst_editorhistory.moc"
