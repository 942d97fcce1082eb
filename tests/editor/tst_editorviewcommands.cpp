// The Skin, Tools and Help commands and the font buttons, one group per command: what each
// stores in the skin, which mark it sets, what it asks and what it hands to the desktop.
#include "editorfixture.h"
#include "qtconvert.h"
#include "skinnednotewnd.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QUrl>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
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

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* pWidget) { pWidget->installEventFilter(this); }
    int Count() const { return m_nPaints; }

protected:
    bool eventFilter(QObject* /*pWatched*/, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Paint) {
            ++m_nPaints;
        }
        return false;
    }

private:
    int m_nPaints = 0;
};

LOGFONT Font(const char* pszFace, LONG nHeight, LONG nWeight, BYTE bItalic)
{
    LOGFONT lf;
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfItalic = bItalic;
    lf.lfCharSet = 1;
    std::strncpy(lf.lfFaceName, pszFace, sizeof(lf.lfFaceName) - 1);
    return lf;
}

} // namespace

// Receives what the editor hands to the desktop's "open" action.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    UrlRecorder()
    {
        for (const char* pszScheme : {"file", "http", "https"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(pszScheme), this, "open");
        }
    }
    ~UrlRecorder() override
    {
        for (const char* pszScheme : {"file", "http", "https"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(pszScheme));
        }
    }
    UrlRecorder(const UrlRecorder&) = delete;
    UrlRecorder& operator=(const UrlRecorder&) = delete;

    QList<QUrl> m_urls;

public slots:
    void open(const QUrl& url) { m_urls.append(url); }
};

class tst_EditorViewCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { SettingsSandbox::Clear(); }
    void editSkinDetails_data();
    void editSkinDetails();
    void showToggles_data();
    void showToggles();
    void allShowPartsOffComeBackAfterRestart();
    void previewEnabledOnlyWithAllThreeImages();
    void previewTwiceReplacesTheWindow();
    void previewShowsTheSkinAsStored();
    void previewOfIncompleteSkinRemovesTheOldOne();
    void openInBitmapEditor();
    void colourChooserCommand_data();
    void colourChooserCommand();
    void helpWithoutManual();
    void webPages_data();
    void webPages();
    void nothingOpened_data();
    void nothingOpened();
    void about();
    void fontButtons_data();
    void fontButtons();
    void coloursReachTheViewAtOnce();

private:
    SettingsSandbox m_settings;
};

void tst_EditorViewCommands::editSkinDetails_data()
{
    QTest::addColumn<bool>("bConfirm");
    QTest::addColumn<bool>("bChangeText");
    QTest::newRow("OK without change changes nothing") << true << false;
    QTest::newRow("OK with new texts") << true << true;
    QTest::newRow("Cancel") << false << true;
}

void tst_EditorViewCommands::editSkinDetails()
{
    QFETCH(bool, bConfirm);
    QFETCH(bool, bChangeText);
    Fixture f;
    const CSkin& skin = f.dlg.GetSkin();
    const SkinInformation before{skin.GetTitle(), skin.GetAuthor(), skin.GetDate(),
                                 skin.GetComment()};
    const SkinInformation changed{"T\xe9te", "Author", "1999-12-31", "Comment"};
    std::optional<SkinInformation> answer;
    if (bConfirm) {
        answer = bChangeText ? changed : before;
    }
    f.prompts.QueueSkinInformationAnswer(answer);

    Trigger(f.dlg, CSkinEditorDlg::ID_EDIT_SKIN_DETAILS);

    const auto calls = f.prompts.CallsOf(CScriptedPrompts::Kind::SkinInformation);
    QCOMPARE(calls.size(), std::size_t{1});
    QVERIFY(calls[0].info == before);
    const SkinInformation after{skin.GetTitle(), skin.GetAuthor(), skin.GetDate(),
                                skin.GetComment()};
    QVERIFY(after == (bConfirm && bChangeText ? changed : before));
    QCOMPARE(f.dlg.IsModified(), bConfirm && bChangeText);
    QCOMPARE(f.dlg.windowTitle().endsWith(" *"), bConfirm && bChangeText);
    QVERIFY(!f.dlg.IsComponentModified());
}

void tst_EditorViewCommands::showToggles_data()
{
    QTest::addColumn<int>("nCommand");
    QTest::addColumn<int>("nBit");
    QTest::newRow("note image") << int(CSkinEditorDlg::ID_SHOW_NOTE_IMAGE)
                                << int(CSkinImageView::SHOW_NOTE_IMAGE);
    QTest::newRow("title") << int(CSkinEditorDlg::ID_SHOW_TITLE) << int(CSkinImageView::SHOW_TITLE);
    QTest::newRow("message") << int(CSkinEditorDlg::ID_SHOW_MESSAGE)
                             << int(CSkinImageView::SHOW_MESSAGE);
    QTest::newRow("close button") << int(CSkinEditorDlg::ID_SHOW_CLOSE_BUTTON)
                                  << int(CSkinImageView::SHOW_CLOSE_BUTTON);
}

// Each toggle flips its own bit, both ways, checks its menu entry by the mask and repaints the
// view; the skin is not touched.
void tst_EditorViewCommands::showToggles()
{
    QFETCH(int, nCommand);
    QFETCH(int, nBit);
    Fixture f;
    f.dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.dlg));
    const CSkinImageView& view = f.dlg.GetImageView();
    // Two bits set from the start, so a toggle that touches another bit shows.
    Trigger(f.dlg, CSkinEditorDlg::ID_SHOW_TITLE);
    const int nStart = CSkinImageView::SHOW_NOTE_IMAGE | CSkinImageView::SHOW_TITLE;
    QCOMPARE(view.m_nShowParts, nStart);

    for (const int nExpected : {nStart ^ nBit, nStart}) {
        PaintCounter paints(Control<QWidget>(f.dlg, CSkinImageView::VIEW_ID));
        Trigger(f.dlg, nCommand);
        QCOMPARE(view.m_nShowParts, nExpected);
        QCOMPARE(f.dlg.GetCommand(nCommand)->isChecked(), (nExpected & nBit) != 0);
        QTRY_VERIFY_WITH_TIMEOUT(paints.Count() > 0, kHangGuardMs);
    }
    QVERIFY(!f.dlg.IsModified());
    QVERIFY(!f.dlg.IsComponentModified());
}

void tst_EditorViewCommands::allShowPartsOffComeBackAfterRestart()
{
    {
        Fixture f;
        Trigger(f.dlg, CSkinEditorDlg::ID_SHOW_NOTE_IMAGE);
        QCOMPARE(f.dlg.GetImageView().m_nShowParts, 0);
        f.dlg.reject();
        QCOMPARE(f.dlg.result(), int(QDialog::Accepted));
    }
    QCOMPARE(SettingsSandbox::Stored("ShowComponents").toInt(), 0);
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    QCOMPARE(dlg.GetImageView().m_nShowParts, int(CSkinImageView::SHOW_NOTE_IMAGE));
    QVERIFY(dlg.GetCommand(CSkinEditorDlg::ID_SHOW_NOTE_IMAGE)->isChecked());
}

// Title and message rectangles are not needed, the three images are.
void tst_EditorViewCommands::previewEnabledOnlyWithAllThreeImages()
{
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    TempDir dir;
    QAction* const pPreview = dlg.GetCommand(CSkinEditorDlg::ID_PREVIEW_SKIN);
    QVERIFY(!pPreview->isEnabled());
    const std::pair<int, const char*> images[] = {{COMPONENT_MAIN_WINDOW, "main.bmp"},
                                                  {COMPONENT_CLOSE_HOVER, "hover.bmp"},
                                                  {COMPONENT_CLOSE_BUTTON, "close.bmp"}};
    for (const auto& [nComponent, pszName] : images) {
        QVERIFY(!pPreview->isEnabled());
        ChooseComponent(dlg, nComponent);
        ApplyBitmap(dlg, prompts, WriteBitmap(dir, pszName, 20, 10));
    }
    QVERIFY(pPreview->isEnabled());
    QVERIFY(dlg.GetPreview() == nullptr);
    Trigger(dlg, CSkinEditorDlg::ID_PREVIEW_SKIN);
    QVERIFY(dlg.GetPreview() != nullptr);
    QCOMPARE(dlg.GetPreview()->size(), QSize(20, 10));
}

void tst_EditorViewCommands::previewTwiceReplacesTheWindow()
{
    Fixture f;
    Trigger(f.dlg, CSkinEditorDlg::ID_PREVIEW_SKIN);
    QPointer<const CSkinnedNoteWnd> pFirst = f.dlg.GetPreview();
    QVERIFY(pFirst != nullptr);
    QVERIFY(pFirst->isVisible());
    QVERIFY(pFirst->isWindow());
    const CDib* const pMain = f.dlg.GetSkin().GetMainImage();
    QCOMPARE(pFirst->size(), QSize(pMain->GetWidth(), pMain->GetHeight()));

    Trigger(f.dlg, CSkinEditorDlg::ID_PREVIEW_SKIN);
    QVERIFY(pFirst.isNull());
    QVERIFY(f.dlg.GetPreview() != nullptr);
    QVERIFY(f.dlg.GetPreview()->isVisible());
    QCOMPARE(f.dlg.findChildren<CSkinnedNoteWnd*>().size(), 1);
    QVERIFY(!f.dlg.IsModified());
}

// Values waiting in the fields for Apply are not in the preview; a dragged rectangle is.
void tst_EditorViewCommands::previewShowsTheSkinAsStored()
{
    Fixture f;
    const CSkin& skin = f.dlg.GetSkin();
    ChooseComponent(f.dlg, COMPONENT_MESSAGE);
    const RECT rcStored = skin.m_rcMessage;
    Type(f.dlg, CSkinEditorDlg::IDC_LEFT, "3");
    Type(f.dlg, CSkinEditorDlg::IDC_RIGHT, "9");
    f.prompts.QueueMessageAnswer(PromptAnswer::No);
    ChooseComponent(f.dlg, COMPONENT_TITLE);
    const RECT rcDragged{10, 12, 90, 30};
    emit f.dlg.findChild<CSkinImageView*>()->pickRectChanged(rcDragged);

    Trigger(f.dlg, CSkinEditorDlg::ID_PREVIEW_SKIN);
    const CSkinnedNoteWnd* const pPreview = f.dlg.GetPreview();
    QVERIFY(pPreview != nullptr);
    QCOMPARE(pPreview->GetMessageCtrl().geometry(), toQRect(rcStored));
    QVERIFY(SameRect(skin.m_rcTitle, rcDragged));
    QVERIFY(f.dlg.IsModified());
}

void tst_EditorViewCommands::previewOfIncompleteSkinRemovesTheOldOne()
{
    Fixture f;
    Trigger(f.dlg, CSkinEditorDlg::ID_PREVIEW_SKIN);
    QPointer<const CSkinnedNoteWnd> pFirst = f.dlg.GetPreview();
    QVERIFY(pFirst != nullptr);
    Trigger(f.dlg, CSkinEditorDlg::ID_FILE_NEW);
    QVERIFY(!f.dlg.GetCommand(CSkinEditorDlg::ID_PREVIEW_SKIN)->isEnabled());
    // The shortcut cannot reach a disabled entry; the handler itself still stops.
    f.dlg.OnPreviewSkin();
    QVERIFY(pFirst.isNull());
    QVERIFY(f.dlg.GetPreview() == nullptr);
}

void tst_EditorViewCommands::openInBitmapEditor()
{
    UrlRecorder urls;
    Fixture f;
    TempDir dir;
    QAction* const pCommand = f.dlg.GetCommand(CSkinEditorDlg::ID_OPEN_IN_BITMAP_EDITOR);
    QVERIFY(!pCommand->isEnabled());

    const std::filesystem::path bitmap = WriteBitmap(dir, "main.bmp", 8, 8);
    f.prompts.QueueBitmapFileAnswer(bitmap);
    Click(f.dlg, CSkinEditorDlg::IDC_BROWSE_BITMAP);
    QVERIFY(pCommand->isEnabled());
    Trigger(f.dlg, CSkinEditorDlg::ID_OPEN_IN_BITMAP_EDITOR);
    QCOMPARE(urls.m_urls, QList<QUrl>{QUrl::fromLocalFile(pathToQString(bitmap))});

    // Emptied by typing, the field has no file to open: the command follows at once, and its
    // handler refuses when reached all the same.
    Type(f.dlg, CSkinEditorDlg::IDC_BITMAP_PATH, QString());
    QVERIFY(!pCommand->isEnabled());
    f.prompts.QueueMessageAnswer(PromptAnswer::Ok);
    f.dlg.OnOpenInBitmapEditor();
    const auto messages = f.prompts.CallsOf(CScriptedPrompts::Kind::Message);
    QCOMPARE(messages.size(), std::size_t{1});
    QCOMPARE(messages[0].text, std::string("Since there is no path to the current bitmap file, "
                                           "you cannot edit the bitmap."));
    QCOMPARE(messages[0].buttons, PromptButtons::Ok);
    QCOMPARE(messages[0].icon, PromptIcon::Information);
    QCOMPARE(urls.m_urls.size(), 1);
    QVERIFY(!pCommand->isEnabled());
}

void tst_EditorViewCommands::colourChooserCommand_data()
{
    QTest::addColumn<QString>("strKind");
    QTest::addColumn<QString>("strMessage");
    QTest::newRow("missing")
        << QStringLiteral("missing")
        << QStringLiteral(
               "Tintary (the color chooser program) could not be\nfound. Try running the Palimo "
               "installer with\nthe 'Tavelo' option checked.");
    QTest::newRow("cannot start")
        << QStringLiteral("not executable")
        << QStringLiteral("Palimo failed to launch Tintary due to an unknown error. Contact "
                          "tech-support for more information.");
    QTest::newRow("starts") << QStringLiteral("runs") << QString();
}

// The Tools command starts the chooser on its own and does not read its answer; only a chooser
// that cannot be started is reported.
void tst_EditorViewCommands::colourChooserCommand()
{
    QFETCH(QString, strKind);
    QFETCH(QString, strMessage);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString strChooser = dir.filePath("tintary");
    const QString strMarker = dir.filePath("started");
    if (strKind != "missing") {
        QFile script(strChooser);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho 0x00FF0000\necho started > '" + strMarker.toUtf8() + "'\n");
        script.close();
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (strKind == "runs") {
            permissions |= QFile::ExeOwner;
        }
        QVERIFY(script.setPermissions(permissions));
    }
    Fixture f;
    f.dlg.SetChooserProgram(strChooser);
    if (!strMessage.isEmpty()) {
        f.prompts.QueueMessageAnswer(PromptAnswer::Ok);
    }

    // The chooser's answer must not reach the editor's standard output.
    std::fflush(stdout);
    const QString strOutput = dir.filePath("stdout");
    const int fdOutput = ::open(QFile::encodeName(strOutput).constData(), O_WRONLY | O_CREAT, 0600);
    const int fdSaved = ::dup(STDOUT_FILENO);
    ::dup2(fdOutput, STDOUT_FILENO);
    Trigger(f.dlg, CSkinEditorDlg::ID_COLOUR_CHOOSER);
    ::dup2(fdSaved, STDOUT_FILENO);
    ::close(fdSaved);
    ::close(fdOutput);

    const auto messages = f.prompts.CallsOf(CScriptedPrompts::Kind::Message);
    QCOMPARE(messages.size(), std::size_t{strMessage.isEmpty() ? 0U : 1U});
    if (!strMessage.isEmpty()) {
        QCOMPARE(QString::fromStdString(messages[0].text), strMessage);
        QCOMPARE(messages[0].buttons, PromptButtons::Ok);
        QCOMPARE(messages[0].icon, PromptIcon::None);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(strMarker), kHangGuardMs);
        QCOMPARE(QFileInfo(strOutput).size(), 0);
    }
    // Its answer is not taken, and the editor was never held.
    QVERIFY(f.dlg.isEnabled());
    QVERIFY(!f.dlg.IsModified());
    QCOMPARE(f.dlg.GetColourRequestId(), 0);
}

// The test program has no manual beside it.
void tst_EditorViewCommands::helpWithoutManual()
{
    UrlRecorder urls;
    Fixture f;
    QVERIFY(CSkinEditorDlg::HelpFilePath().isEmpty());
    f.prompts.QueueMessageAnswer(PromptAnswer::Ok);
    Trigger(f.dlg, CSkinEditorDlg::ID_HELP_CONTENTS);
    QCOMPARE(f.prompts.CallsOf(CScriptedPrompts::Kind::Message).size(), std::size_t{1});
    QVERIFY(urls.m_urls.isEmpty());
}

void tst_EditorViewCommands::webPages_data()
{
    QTest::addColumn<int>("nCommand");
    QTest::addColumn<QUrl>("url");
    QTest::newRow("web site") << int(CSkinEditorDlg::ID_WEBSITE)
                              << QUrl("https://www.corvane.example/palimo");
    QTest::newRow("skins") << int(CSkinEditorDlg::ID_GET_SKINS)
                           << QUrl("https://www.corvane.example/palimo/skins_and_plugins.htm");
}

void tst_EditorViewCommands::webPages()
{
    QFETCH(int, nCommand);
    QFETCH(QUrl, url);
    UrlRecorder urls;
    Fixture f;
    Trigger(f.dlg, nCommand);
    QCOMPARE(urls.m_urls, QList<QUrl>{url});
    QVERIFY(!f.dlg.IsModified());
}

void tst_EditorViewCommands::nothingOpened_data()
{
    QTest::addColumn<int>("nCommand");
    QTest::addColumn<bool>("bDeleteBitmap");
    QTest::addColumn<QString>("strNamed");
    QTest::newRow("web site") << int(CSkinEditorDlg::ID_WEBSITE) << false
                              << "https://www.corvane.example/palimo.";
    QTest::newRow("skins") << int(CSkinEditorDlg::ID_GET_SKINS) << false
                           << "https://www.corvane.example/palimo/skins_and_plugins.htm.";
    QTest::newRow("bitmap editor") << int(CSkinEditorDlg::ID_OPEN_IN_BITMAP_EDITOR) << false
                                   << "main.bmp\" in a bitmap editor.";
    QTest::newRow("bitmap gone") << int(CSkinEditorDlg::ID_OPEN_IN_BITMAP_EDITOR) << true
                                 << "main.bmp\": there is no such file.";
}

// No URL handler and no program on the path: the desktop opens nothing, and the user hears so.
void tst_EditorViewCommands::nothingOpened()
{
    QFETCH(int, nCommand);
    QFETCH(bool, bDeleteBitmap);
    QFETCH(QString, strNamed);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "");
    const auto restorePath = qScopeGuard([&path] { qputenv("PATH", path); });
    Fixture f;
    TempDir dir;
    const std::filesystem::path bitmap = WriteBitmap(dir, "main.bmp", 8, 8);
    f.prompts.QueueBitmapFileAnswer(bitmap);
    Click(f.dlg, CSkinEditorDlg::IDC_BROWSE_BITMAP);
    if (bDeleteBitmap) {
        std::filesystem::remove(bitmap);
    }
    f.prompts.QueueMessageAnswer(PromptAnswer::Ok);
    Trigger(f.dlg, nCommand);
    const auto messages = f.prompts.CallsOf(CScriptedPrompts::Kind::Message);
    QCOMPARE(messages.size(), std::size_t{1});
    QVERIFY2(QString::fromStdString(messages[0].text).contains(strNamed), messages[0].text.c_str());
    QCOMPARE(messages[0].icon, PromptIcon::Exclamation);
}

void tst_EditorViewCommands::about()
{
    Fixture f;
    f.prompts.ExpectAbout();
    Trigger(f.dlg, CSkinEditorDlg::ID_ABOUT);
    QCOMPARE(f.prompts.CallsOf(CScriptedPrompts::Kind::About).size(), std::size_t{1});
    QVERIFY(!f.dlg.IsModified());
}

void tst_EditorViewCommands::fontButtons_data()
{
    QTest::addColumn<int>("nButton");
    QTest::addColumn<bool>("bChoose");
    QTest::newRow("message font chosen") << int(CSkinEditorDlg::IDC_MESSAGE_FONT) << true;
    QTest::newRow("message font cancelled") << int(CSkinEditorDlg::IDC_MESSAGE_FONT) << false;
    QTest::newRow("title font chosen") << int(CSkinEditorDlg::IDC_TITLE_FONT) << true;
    QTest::newRow("title font cancelled") << int(CSkinEditorDlg::IDC_TITLE_FONT) << false;
}

// The dialog opens on the skin's font; only the chosen font is stored, into its own slot.
void tst_EditorViewCommands::fontButtons()
{
    QFETCH(int, nButton);
    QFETCH(bool, bChoose);
    const bool bTitle = nButton == CSkinEditorDlg::IDC_TITLE_FONT;
    Fixture f;
    const CSkin& skin = f.dlg.GetSkin();
    LOGFONT lfMessage;
    LOGFONT lfTitle;
    skin.GetMessageFont(&lfMessage);
    skin.GetTitleFont(&lfTitle);
    const COLORREF crTexts[] = {skin.m_crMessageText, skin.m_crTitleText};
    const LOGFONT lfChosen = Font("Serif Chosen", -19, 700, 1);
    f.prompts.QueueFontAnswer(bChoose ? std::optional<LOGFONT>(lfChosen) : std::nullopt);

    Click(f.dlg, nButton);

    const auto calls = f.prompts.CallsOf(CScriptedPrompts::Kind::Font);
    QCOMPARE(calls.size(), std::size_t{1});
    QVERIFY(calls[0].font == (bTitle ? lfTitle : lfMessage));
    LOGFONT lfMessageAfter;
    LOGFONT lfTitleAfter;
    skin.GetMessageFont(&lfMessageAfter);
    skin.GetTitleFont(&lfTitleAfter);
    QVERIFY(lfMessageAfter == (bChoose && !bTitle ? lfChosen : lfMessage));
    QVERIFY(lfTitleAfter == (bChoose && bTitle ? lfChosen : lfTitle));
    QCOMPARE(skin.m_crMessageText, crTexts[0]);
    QCOMPARE(skin.m_crTitleText, crTexts[1]);
    QCOMPARE(f.dlg.IsModified(), bChoose);
}

// A colour shows in the view as it is chosen and goes again with its undo step.
void tst_EditorViewCommands::coloursReachTheViewAtOnce()
{
    Fixture f;
    const CSkinImageView& view = f.dlg.GetImageView();
    const COLORREF crText = view.GetTitleColour();
    const COLORREF crBack = f.dlg.GetSkin().m_crMessageBack;
    QCOMPARE(view.GetMessageBackColour(), std::optional(crBack));
    const COLORREF crNew = RGB(12, 34, 56);
    for (const int nId : {CSkinEditorDlg::IDC_TITLE_TEXT, CSkinEditorDlg::IDC_MESSAGE_BACK}) {
        emit Control<CColourPicker>(f.dlg, nId)->colourOk(crNew, nId);
    }
    QCOMPARE(view.GetTitleColour(), crNew);
    QCOMPARE(view.GetMessageBackColour(), std::optional(crNew));
    QVERIFY(f.dlg.windowTitle().endsWith(" *"));
    QCOMPARE(f.dlg.GetCommand(CSkinEditorDlg::ID_EDIT_UNDO)->text(),
             QStringLiteral("&Undo Message Background"));

    Trigger(f.dlg, CSkinEditorDlg::ID_EDIT_UNDO);
    Trigger(f.dlg, CSkinEditorDlg::ID_EDIT_UNDO);
    QCOMPARE(view.GetTitleColour(), crText);
    QCOMPARE(view.GetMessageBackColour(), std::optional(crBack));
    QCOMPARE(Control<CColourPicker>(f.dlg, CSkinEditorDlg::IDC_TITLE_TEXT)->GetColour(), crText);
    QVERIFY(!f.dlg.IsModified());
    QCOMPARE(f.dlg.GetCommand(CSkinEditorDlg::ID_EDIT_REDO)->text(),
             QStringLiteral("&Redo Title Foreground"));
}

QTEST_MAIN(tst_EditorViewCommands)
#include "tst_editorviewcommands.moc"
