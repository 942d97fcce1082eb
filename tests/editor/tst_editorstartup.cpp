// The editor window from start to close: its first state, the stored mask of shown parts, the
// menus, the keys, the layout rule and closing.
#include "editorfixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <map>

class tst_EditorStartup : public QObject
{
    Q_OBJECT

private slots:
    void init() { SettingsSandbox::Clear(); }

    void startupState();
    void storedShowComponents_data();
    void storedShowComponents();
    void settingWrittenByEveryConfirm_data();
    void settingWrittenByEveryConfirm();
    void settingNames();
    void menus_data();
    void menus();
    void shortcuts_data();
    void shortcuts();
    void enterDoesNothing();
    void escapeAsksFirst_data();
    void escapeAsksFirst();
    void viewGrowsWithTheWindow();
    void tabOrder();
    void newSkinPickersShowWhatIsStored_data();
    void newSkinPickersShowWhatIsStored();
    void labels();

private:
    SettingsSandbox m_settings;
};

void tst_EditorStartup::startupState()
{
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;

    QCOMPARE(Control<QComboBox>(dlg, CSkinEditorDlg::IDC_COMPONENT)->currentText(),
             QStringLiteral("Main Window"));
    QCOMPARE(dlg.GetComponent(), int(COMPONENT_MAIN_WINDOW));
    QCOMPARE(FieldText(dlg, CSkinEditorDlg::IDC_BITMAP_PATH), QString());
    QCOMPARE(BoxFields(dlg), QStringList({"0", "0", "0", "0"}));
    for (int nId : {CSkinEditorDlg::IDC_LEFT, CSkinEditorDlg::IDC_TOP, CSkinEditorDlg::IDC_RIGHT,
                    CSkinEditorDlg::IDC_BOTTOM}) {
        QVERIFY(!Edit(dlg, nId)->isEnabled());
    }
    QVERIFY(Edit(dlg, CSkinEditorDlg::IDC_BITMAP_PATH)->isEnabled());
    QVERIFY(!Control<QPushButton>(dlg, CSkinEditorDlg::IDC_PICKER)->isEnabled());
    QVERIFY(dlg.GetImageView().IsPickerHidden());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Tavelo - [Untitled]"));
    QVERIFY(!dlg.IsModified());
    QVERIFY(!dlg.GetCommand(CSkinEditorDlg::ID_FILE_SAVE)->isEnabled());
    QCOMPARE(dlg.GetSkin().GetMissingPart(), int(SKINPART_MAIN_IMAGE));
    // The initial New checked for unsaved changes, which stores the mask.
    QCOMPARE(SettingsSandbox::Stored("ShowComponents").toInt(), 1);
    QVERIFY(prompts.Calls().empty());
}

void tst_EditorStartup::storedShowComponents_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("nShowParts");
    QTest::newRow("absent") << QVariant() << 1;
    QTest::newRow("0 keeps the built-in mask") << QVariant(0) << 1;
    QTest::newRow("6") << QVariant(6) << 6;
    QTest::newRow("15") << QVariant(15) << 15;
    QTest::newRow("not a number") << QVariant(QStringLiteral("many")) << 1;
}

void tst_EditorStartup::storedShowComponents()
{
    QFETCH(QVariant, stored);
    QFETCH(int, nShowParts);
    if (stored.isValid()) {
        SettingsSandbox::Store("ShowComponents", stored);
    }
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    QCOMPARE(dlg.GetImageView().m_nShowParts, nShowParts);
    QCOMPARE(GetSettingInt(SETTING_SHOW_COMPONENTS), nShowParts);
    const std::pair<int, int> checks[] = {
        {CSkinEditorDlg::ID_SHOW_NOTE_IMAGE, 1},
        {CSkinEditorDlg::ID_SHOW_CLOSE_BUTTON, 2},
        {CSkinEditorDlg::ID_SHOW_TITLE, 4},
        {CSkinEditorDlg::ID_SHOW_MESSAGE, 8},
    };
    for (const auto& [nCommand, nBit] : checks) {
        QCOMPARE(dlg.GetCommand(nCommand)->isChecked(), (nShowParts & nBit) != 0);
    }
}

// Every path through the save-first question stores the mask first, even the ones the user
// then cancels.
void tst_EditorStartup::settingWrittenByEveryConfirm_data()
{
    QTest::addColumn<int>("nCommand"); // 0: the close box
    QTest::newRow("New") << int(CSkinEditorDlg::ID_FILE_NEW);
    QTest::newRow("Open") << int(CSkinEditorDlg::ID_FILE_OPEN);
    QTest::newRow("Exit") << int(CSkinEditorDlg::ID_FILE_EXIT);
    QTest::newRow("close box") << 0;
}

void tst_EditorStartup::settingWrittenByEveryConfirm()
{
    QFETCH(int, nCommand);
    SettingsSandbox::Store("ShowComponents", 6);
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    dlg.show();
    MarkModified(dlg);
    SettingsSandbox::Open().remove(QCoreApplication::applicationName() + "/ShowComponents");

    prompts.QueueMessageAnswer(PromptAnswer::Cancel);
    if (nCommand == 0) {
        QVERIFY(!dlg.close());
    } else {
        Trigger(dlg, nCommand);
    }
    QCOMPARE(prompts.Calls().back().text, kSaveFirst);
    QCOMPARE(SettingsSandbox::Stored("ShowComponents").toInt(), 6);
    QVERIFY(dlg.isVisible());
    QVERIFY(dlg.IsModified());
}

void tst_EditorStartup::settingNames()
{
    QCOMPARE(GetSettingName(SETTING_SHOW_COMPONENTS), QStringLiteral("ShowComponents"));
    QCOMPARE(GetSettingName(2), QString());
    WriteSettingInt(2, 17);
    QCOMPARE(GetSettingInt(2), 17);
    QCOMPARE(GetSettingInt(SETTING_SHOW_COMPONENTS), 0);
}

void tst_EditorStartup::menus_data()
{
    QTest::addColumn<int>("nMenu");
    QTest::addColumn<QString>("strTitle");
    QTest::addColumn<QStringList>("items"); // "id text", "-" for a separator
    QTest::newRow("File") << 0 << "&File"
                          << QStringList{
                                 "57600 &New",  "32791 New from &Template...", "57601 &Open...",
                                 "57603 &Save", "57604 Save &As...",           " Recent &Files",
                                 "-",           "32792 &Export Preview...",    "-",
                                 "32774 E&xit"};
    QTest::newRow("Edit") << 1 << "&Edit" << QStringList{"57643 &Undo", "57644 &Redo"};
    QTest::newRow("Skin") << 2 << "&Skin"
                          << QStringList{"32776 &Edit Skin Details...",
                                         "-",
                                         "32784 Show &Note Image",
                                         "32785 Show &Title",
                                         "32786 Show &Message",
                                         "32787 Show &Close Button",
                                         "-",
                                         "32777 &Preview Skin"};
    QTest::newRow("View") << 3 << "&View"
                          << QStringList{"32800 Zoom &In",
                                         "32801 Zoom &Out",
                                         "32802 &Actual Size",
                                         "32803 &Fit",
                                         "-",
                                         "32804 Show &Grid",
                                         " Transparency &Display",
                                         "-",
                                         "32808 &Snap to Opaque Edges",
                                         "-",
                                         "32809 Issues &Panel"};
    QTest::newRow("Tools") << 4 << "&Tools"
                           << QStringList{"32778 Open In &Bitmap Editor...",
                                          "32789 &Color Chooser..."};
    QTest::newRow("Help") << 5 << "&Help"
                          << QStringList{"32781 &Tavelo Help...", "-", "32783 &Get Palimo Skins...",
                                         "32782 Tavelo &Website...", "32780 &About Tavelo..."};
}

void tst_EditorStartup::menus()
{
    QFETCH(int, nMenu);
    QFETCH(QString, strTitle);
    QFETCH(QStringList, items);
    CScriptedPrompts prompts;
    const CSkinEditorDlg dlg;
    const QMenuBar* const pBar = dlg.findChild<QMenuBar*>();
    QVERIFY(pBar != nullptr);
    QCOMPARE(pBar->actions().size(), 6);
    QAction* const pMenuAction = pBar->actions().at(nMenu);
    QCOMPARE(pMenuAction->text(), strTitle);
    QStringList actual;
    for (const QAction* pAction : pMenuAction->menu()->actions()) {
        actual << (pAction->isSeparator() ? QStringLiteral("-")
                                          : pAction->objectName() + ' ' + pAction->text());
    }
    QCOMPARE(actual, items);
}

void tst_EditorStartup::shortcuts_data()
{
    QTest::addColumn<int>("nCommand");
    QTest::addColumn<QKeySequence>("key"); // the first one, which the menu shows
    QTest::addColumn<QKeySequence>("alsoKey");
    // The desktop's key; the usual one where it has none.
    const auto standard = [](QKeySequence::StandardKey key, const QKeySequence& usual) {
        return QKeySequence::keyBindings(key).value(0, usual);
    };
    QTest::newRow("new") << int(CSkinEditorDlg::ID_FILE_NEW)
                         << standard(QKeySequence::New, Qt::CTRL | Qt::Key_N) << QKeySequence();
    QTest::newRow("open") << int(CSkinEditorDlg::ID_FILE_OPEN)
                          << standard(QKeySequence::Open, Qt::CTRL | Qt::Key_O) << QKeySequence();
    QTest::newRow("save") << int(CSkinEditorDlg::ID_FILE_SAVE)
                          << standard(QKeySequence::Save, Qt::CTRL | Qt::Key_S) << QKeySequence();
    QTest::newRow("save as") << int(CSkinEditorDlg::ID_FILE_SAVE_AS)
                             << standard(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S)
                             << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    QTest::newRow("undo") << int(CSkinEditorDlg::ID_EDIT_UNDO)
                          << standard(QKeySequence::Undo, Qt::CTRL | Qt::Key_Z) << QKeySequence();
    QTest::newRow("redo") << int(CSkinEditorDlg::ID_EDIT_REDO)
                          << standard(QKeySequence::Redo, Qt::CTRL | Qt::SHIFT | Qt::Key_Z)
                          << QKeySequence(Qt::CTRL | Qt::Key_Y);
    QTest::newRow("redo, shift") << int(CSkinEditorDlg::ID_EDIT_REDO)
                                 << standard(QKeySequence::Redo, Qt::CTRL | Qt::SHIFT | Qt::Key_Z)
                                 << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QTest::newRow("zoom in") << int(CSkinEditorDlg::ID_VIEW_ZOOM_IN)
                             << standard(QKeySequence::ZoomIn, Qt::CTRL | Qt::Key_Plus)
                             << QKeySequence(Qt::CTRL | Qt::Key_Equal);
    QTest::newRow("zoom out") << int(CSkinEditorDlg::ID_VIEW_ZOOM_OUT)
                              << standard(QKeySequence::ZoomOut, Qt::CTRL | Qt::Key_Minus)
                              << QKeySequence();
    QTest::newRow("help") << int(CSkinEditorDlg::ID_HELP_CONTENTS)
                          << standard(QKeySequence::HelpContents, Qt::Key_F1) << QKeySequence();
    QTest::newRow("details") << int(CSkinEditorDlg::ID_EDIT_SKIN_DETAILS)
                             << QKeySequence(Qt::CTRL | Qt::Key_D) << QKeySequence();
    QTest::newRow("preview") << int(CSkinEditorDlg::ID_PREVIEW_SKIN)
                             << QKeySequence(Qt::CTRL | Qt::Key_P) << QKeySequence();
    QTest::newRow("actual size") << int(CSkinEditorDlg::ID_VIEW_ACTUAL_SIZE)
                                 << QKeySequence(Qt::CTRL | Qt::Key_0) << QKeySequence();
    QTest::newRow("fit") << int(CSkinEditorDlg::ID_VIEW_FIT) << QKeySequence(Qt::CTRL | Qt::Key_9)
                         << QKeySequence();
    QTest::newRow("grid") << int(CSkinEditorDlg::ID_VIEW_GRID)
                          << QKeySequence(Qt::CTRL | Qt::Key_Apostrophe) << QKeySequence();
}

// Qt shows the first key beside the text, which names no key itself; no key reaches two
// commands.
void tst_EditorStartup::shortcuts()
{
    QFETCH(int, nCommand);
    QFETCH(QKeySequence, key);
    QFETCH(QKeySequence, alsoKey);
    CScriptedPrompts prompts;
    const CSkinEditorDlg dlg;
    const QAction* const pAction = dlg.GetCommand(nCommand);
    QVERIFY(!key.isEmpty());
    QCOMPARE(pAction->shortcut(), key);
    QVERIFY(!pAction->text().contains(u'\t'));
    if (!alsoKey.isEmpty()) {
        QVERIFY(pAction->shortcuts().contains(alsoKey));
    }
    for (const QAction* pOther : dlg.actions()) {
        if (pOther != pAction) {
            for (const QKeySequence& mine : pAction->shortcuts()) {
                QVERIFY2(!pOther->shortcuts().contains(mine), qPrintable(pOther->text()));
            }
        }
    }
}

void tst_EditorStartup::enterDoesNothing()
{
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    for (QWidget* pTarget :
         {static_cast<QWidget*>(&dlg),
          static_cast<QWidget*>(Control<QPushButton>(dlg, CSkinEditorDlg::IDC_APPLY)),
          static_cast<QWidget*>(Edit(dlg, CSkinEditorDlg::IDC_BITMAP_PATH))}) {
        pTarget->setFocus();
        QTest::keyClick(pTarget, Qt::Key_Return);
        QTest::keyClick(pTarget, Qt::Key_Enter);
    }
    QVERIFY(dlg.isVisible());
    QVERIFY(!dlg.IsModified()); // Apply was not pressed either
    QVERIFY(prompts.Calls().empty());
}

void tst_EditorStartup::escapeAsksFirst_data()
{
    QTest::addColumn<bool>("bModified");
    QTest::addColumn<int>("answer"); // -1: no question
    QTest::addColumn<bool>("bCloses");
    QTest::newRow("nothing to save") << false << -1 << true;
    QTest::newRow("Cancel") << true << int(PromptAnswer::Cancel) << false;
    QTest::newRow("No") << true << int(PromptAnswer::No) << true;
}

void tst_EditorStartup::escapeAsksFirst()
{
    QFETCH(bool, bModified);
    QFETCH(int, answer);
    QFETCH(bool, bCloses);
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    if (bModified) {
        MarkModified(dlg);
    }
    if (answer >= 0) {
        prompts.QueueMessageAnswer(static_cast<PromptAnswer>(answer));
    }
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QCOMPARE(!dlg.isVisible(), bCloses);
    QCOMPARE(prompts.CallsOf(CScriptedPrompts::Kind::Message).size(), answer >= 0 ? 1U : 0U);
    if (bCloses) {
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }
}

void tst_EditorStartup::viewGrowsWithTheWindow()
{
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QWidget* const pView = Control<QWidget>(dlg, CSkinImageView::VIEW_ID);
    const QWidget* const pLine = Control<QWidget>(dlg, CSkinEditorDlg::IDC_VIEW_LINE);
    for (const QSize size : {QSize(1100, 800), QSize(900, 650)}) {
        dlg.resize(size);
        QTRY_COMPARE(dlg.size(), size);
        // The status line runs under the view, and the Issues panel under both, to the same
        // margin.
        const QPoint ptView = pView->mapTo(&dlg, pView->rect().bottomRight());
        const QWidget* const pIssues = Control<QWidget>(dlg, CSkinEditorDlg::IDC_ISSUES);
        QCOMPARE(ptView.x() + 1, size.width() - 10);
        QCOMPARE(pIssues->mapTo(&dlg, pIssues->rect().bottomRight()).y() + 1, size.height() - 10);
        QCOMPARE(pIssues->mapTo(&dlg, pIssues->rect().bottomRight()).x() + 1, size.width() - 10);
        QVERIFY(ptView.y() + 1 < size.height() - 10);
        QCOMPARE(pLine->mapTo(&dlg, pLine->rect().bottomRight()).x() + 1, size.width() - 10);
    }
    QVERIFY(!Control<QWidget>(dlg, CSkinEditorDlg::IDC_VIEW_FRAME)->isVisible());
}

// Tab goes down the left column, then to the view, then to the issues, and round again.
void tst_EditorStartup::tabOrder()
{
    CScriptedPrompts prompts;
    const CSkinEditorDlg dlg;
    const int order[] = {CSkinEditorDlg::IDC_COMPONENT,    CSkinEditorDlg::IDC_APPLY,
                         CSkinEditorDlg::IDC_BITMAP_PATH,  CSkinEditorDlg::IDC_BROWSE_BITMAP,
                         CSkinEditorDlg::IDC_TRANSPARENT,  CSkinEditorDlg::IDC_LEFT,
                         CSkinEditorDlg::IDC_TOP,          CSkinEditorDlg::IDC_RIGHT,
                         CSkinEditorDlg::IDC_BOTTOM,       CSkinEditorDlg::IDC_SET_BOX,
                         CSkinEditorDlg::IDC_MESSAGE_TEXT, CSkinEditorDlg::IDC_MESSAGE_BACK,
                         CSkinEditorDlg::IDC_TITLE_TEXT,   CSkinEditorDlg::IDC_TITLE_BACK,
                         CSkinEditorDlg::IDC_MESSAGE_FONT, CSkinEditorDlg::IDC_TITLE_FONT,
                         CSkinEditorDlg::IDC_PICKER,       CSkinImageView::VIEW_ID,
                         CSkinEditorDlg::IDC_ISSUES,       CSkinEditorDlg::IDC_COMPONENT};
    QWidget* pWidget = Control<QWidget>(dlg, order[0]);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        // Labels, group boxes and frames take no focus from Tab.
        do {
            pWidget = pWidget->nextInFocusChain();
        } while (!(pWidget->focusPolicy() & Qt::TabFocus));
        QCOMPARE(pWidget->objectName(), QString::number(order[i]));
    }
}

void tst_EditorStartup::newSkinPickersShowWhatIsStored_data()
{
    QTest::addColumn<bool>("bNew"); // false: as started
    QTest::addColumn<int>("nComponent");
    QTest::newRow("start-up") << false << int(COMPONENT_MAIN_WINDOW);
    for (int nComponent = COMPONENT_MAIN_WINDOW; nComponent <= COMPONENT_MESSAGE; ++nComponent) {
        QTest::addRow("New on %d", nComponent) << true << nComponent;
    }
}

// A new skin's colours are the ones its pickers show, and its text reads on its backgrounds.
void tst_EditorStartup::newSkinPickersShowWhatIsStored()
{
    QFETCH(bool, bNew);
    QFETCH(int, nComponent);
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    if (bNew) {
        dlg.OpenSkinFile(kSamplesDir / "leaf.skn");
        ChooseComponent(dlg, nComponent);
        Trigger(dlg, CSkinEditorDlg::ID_FILE_NEW);
    }
    const CSkin& skin = dlg.GetSkin();
    const auto shown = [&](int nId) { return Control<CColourPicker>(dlg, nId)->GetColour(); };
    QCOMPARE(shown(CSkinEditorDlg::IDC_MESSAGE_TEXT), skin.m_crMessageText);
    QCOMPARE(shown(CSkinEditorDlg::IDC_MESSAGE_BACK), skin.m_crMessageBack);
    QCOMPARE(shown(CSkinEditorDlg::IDC_TITLE_TEXT), skin.m_crTitleText);
    QCOMPARE(shown(CSkinEditorDlg::IDC_TITLE_BACK), skin.m_crTitleBack);
    const COLORREF transparent[] = {skin.m_crMainTransparent, skin.m_crMainTransparent,
                                    skin.m_crCloseTransparent, skin.m_crCloseHoverTransparent,
                                    skin.m_crMainTransparent};
    QCOMPARE(shown(CSkinEditorDlg::IDC_TRANSPARENT), transparent[nComponent]);

    const auto lightness = [](COLORREF cr) {
        return QColor(GetRValue(cr), GetGValue(cr), GetBValue(cr)).lightness();
    };
    QVERIFY(lightness(skin.m_crMessageBack) - lightness(skin.m_crMessageText) > 128);
    QVERIFY(lightness(skin.m_crTitleBack) - lightness(skin.m_crTitleText) > 128);
    QVERIFY(prompts.Calls().empty());
}

// The Transparency label belongs to the group's colour, not to the controls the group disables;
// the Set Box hint points at the view, which is on the right.
void tst_EditorStartup::labels()
{
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    std::map<QString, QLabel*> labels;
    for (QLabel* pLabel : dlg.findChildren<QLabel*>()) {
        labels[pLabel->text().left(17)] = pLabel;
    }
    QCOMPARE(labels.at("Click this button")->text(),
             "Click this button to update the preview on the right with the numbers above");
    QLabel* const pLabel = labels.at("T&ransparency:");
    const QImage enabled = pLabel->grab().toImage();
    ChooseComponent(dlg, COMPONENT_TITLE);
    QVERIFY(!Control<QWidget>(dlg, CSkinEditorDlg::IDC_BITMAP_GROUP)->isEnabled());
    QCOMPARE(pLabel->grab().toImage(), enabled);
}

QTEST_MAIN(tst_EditorStartup)
#include "tst_editorstartup.moc"
