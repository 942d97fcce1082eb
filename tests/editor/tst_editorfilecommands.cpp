// New, New from Template, Open, Save, Export Preview and Exit with the save-first question, on
// real skin files.
#include "editorfixture.h"

#include <QProcess>

namespace {

// How the skin stands when the save-first question comes.
enum class Setup
{
    SavableFile,      // opened from a file, then changed: Yes saves there
    UntitledComplete, // all images, never saved: Yes asks for a file name
    Incomplete,       // no main image: Yes fails validation
};

std::vector<std::string> MessageTexts(const CScriptedPrompts& prompts)
{
    std::vector<std::string> texts;
    for (const CScriptedPrompts::Call& call : prompts.CallsOf(CScriptedPrompts::Kind::Message)) {
        texts.push_back(call.text);
    }
    return texts;
}

} // namespace

class tst_EditorFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { SettingsSandbox::Clear(); }

    void saveFirst_data();
    void saveFirst();
    void openAsksOnce();
    void cancelledOpenDialogKeepsTheMark();
    void failedOpenKeepsTheSkin_data();
    void failedOpenKeepsTheSkin();
    void saveAsksToApplyFirst_data();
    void saveAsksToApplyFirst();
    void missingPart_data();
    void missingPart();
    void saveCommandState();
    void firstSaveAsksForAName();
    void failedSaveTellsAndKeepsTheMark();
    void openShowsTheFilesImages();
    void savedSampleIsByteIdentical_data();
    void savedSampleIsByteIdentical();
    void newFromTemplateNeverWritesTheTemplate();
    void exportPreviewWritesWhatRenderWrites();

private:
    SettingsSandbox m_settings;
};

void tst_EditorFileCommands::saveFirst_data()
{
    QTest::addColumn<int>("nCommand");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("bSkinFileDialogAnswer"); // Yes on an untitled skin: chosen or not
    QTest::addColumn<bool>("bGoesOn");

    const std::pair<const char*, int> commands[] = {
        {"New", CSkinEditorDlg::ID_FILE_NEW},
        {"Open", CSkinEditorDlg::ID_FILE_OPEN},
        {"Exit", CSkinEditorDlg::ID_FILE_EXIT},
    };
    for (const auto& [pszName, nCommand] : commands) {
        const QByteArray name(pszName);
        QTest::newRow(name + ", No")
            << nCommand << Setup::SavableFile << int(PromptAnswer::No) << false << true;
        QTest::newRow(name + ", Cancel")
            << nCommand << Setup::SavableFile << int(PromptAnswer::Cancel) << false << false;
        QTest::newRow(name + ", Yes and saved")
            << nCommand << Setup::SavableFile << int(PromptAnswer::Yes) << false << true;
        QTest::newRow(name + ", Yes, name chosen")
            << nCommand << Setup::UntitledComplete << int(PromptAnswer::Yes) << true << true;
        QTest::newRow(name + ", Yes, file dialog cancelled")
            << nCommand << Setup::UntitledComplete << int(PromptAnswer::Yes) << false << false;
        QTest::newRow(name + ", Yes, not valid")
            << nCommand << Setup::Incomplete << int(PromptAnswer::Yes) << false << false;
    }
}

void tst_EditorFileCommands::saveFirst()
{
    QFETCH(int, nCommand);
    QFETCH(Setup, setup);
    QFETCH(int, answer);
    QFETCH(bool, bSkinFileDialogAnswer);
    QFETCH(bool, bGoesOn);
    const TempDir dir;
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    dlg.show();

    const std::filesystem::path skinPath = CopySample(dir, "leaf.skn");
    const std::filesystem::path savePath = dir / "saved.skn";
    switch (setup) {
    case Setup::SavableFile:
        OpenThroughMenu(dlg, prompts, skinPath);
        ChooseComponent(dlg, COMPONENT_TITLE);
        Type(dlg, CSkinEditorDlg::IDC_LEFT, "3");
        Click(dlg, CSkinEditorDlg::IDC_APPLY);
        break;
    case Setup::UntitledComplete:
        MakeCompleteUntitledSkin(dlg, prompts, dir);
        break;
    case Setup::Incomplete:
        MarkModified(dlg);
        break;
    }
    QVERIFY(dlg.IsModified());
    const auto bytesBefore = ReadBytesFrom(skinPath);

    prompts.QueueMessageAnswer(static_cast<PromptAnswer>(answer));
    if (setup == Setup::UntitledComplete) {
        prompts.QueueSkinFileAnswer(bSkinFileDialogAnswer ? std::optional(savePath) : std::nullopt);
    }
    if (setup == Setup::Incomplete) {
        prompts.QueueMessageAnswer(PromptAnswer::Ok);
    }
    const std::filesystem::path openPath = CopySample(dir, "yellow-note.skn");
    if (bGoesOn && nCommand == CSkinEditorDlg::ID_FILE_OPEN) {
        prompts.QueueSkinFileAnswer(openPath);
    }
    Trigger(dlg, nCommand);

    const std::vector<std::string> texts = MessageTexts(prompts);
    QCOMPARE(texts.at(texts.size() - (setup == Setup::Incomplete ? 2 : 1)), kSaveFirst);
    if (setup == Setup::Incomplete) {
        QCOMPARE(texts.back(), kMissingPart + "Skin main window image");
    }
    QVERIFY(prompts.AllAnswersUsed());

    const bool bSaved = answer == int(PromptAnswer::Yes) && bGoesOn;
    if (setup == Setup::SavableFile) {
        QCOMPARE(ReadBytesFrom(skinPath) != bytesBefore, bSaved);
    }
    if (setup == Setup::UntitledComplete) {
        QCOMPARE(std::filesystem::exists(savePath), bSaved);
    }
    if (!bGoesOn) {
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.IsModified());
        QVERIFY(dlg.windowTitle().endsWith(" *"));
        return;
    }
    switch (nCommand) {
    case CSkinEditorDlg::ID_FILE_NEW:
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Tavelo - [Untitled]"));
        QCOMPARE(dlg.GetSkin().GetMissingPart(), int(SKINPART_MAIN_IMAGE));
        break;
    case CSkinEditorDlg::ID_FILE_OPEN:
        QCOMPARE(dlg.GetFilePath(), openPath);
        QVERIFY(!dlg.IsModified());
        break;
    case CSkinEditorDlg::ID_FILE_EXIT:
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        break;
    default:
        QFAIL("unknown command");
    }
}

void tst_EditorFileCommands::openAsksOnce()
{
    const TempDir dir;
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    MarkModified(dlg);

    const std::filesystem::path path = CopySample(dir, "yellow-note.skn");
    prompts.QueueMessageAnswer(PromptAnswer::No);
    prompts.QueueSkinFileAnswer(path);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_OPEN);

    const auto& calls = prompts.Calls();
    QCOMPARE(calls.size(), 2U);
    QCOMPARE(calls[0].text, kSaveFirst);
    QVERIFY(calls[1].kind == CScriptedPrompts::Kind::SkinFile);
    QVERIFY(calls[1].mode == FileDialogMode::Open);
    QCOMPARE(dlg.windowTitle(), "Tavelo - " + QString::fromStdString(path.string()));
    QCOMPARE(dlg.GetFilePath(), path);
    QCOMPARE(dlg.GetSkin().GetMissingPart(), int(SKINPART_NONE));
}

void tst_EditorFileCommands::cancelledOpenDialogKeepsTheMark()
{
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    MarkModified(dlg);
    prompts.QueueMessageAnswer(PromptAnswer::No);
    prompts.QueueSkinFileAnswer(std::nullopt);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_OPEN);
    QVERIFY(dlg.IsModified());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Tavelo - [Untitled] *"));
    QVERIFY(dlg.GetCommand(CSkinEditorDlg::ID_FILE_SAVE)->isEnabled());
}

void tst_EditorFileCommands::failedOpenKeepsTheSkin_data()
{
    QTest::addColumn<QByteArray>("bytes");  // empty: no such file
    QTest::addColumn<bool>("bEditorTells"); // an unknown version is told by the skin itself
    const auto sample = ReadBytesFrom(kSamplesDir / "yellow-note.skn");
    QTest::newRow("cut short") << QByteArray(reinterpret_cast<const char*>(sample.data()), 900)
                               << true;
    QTest::newRow("huge string length") << QByteArray("\1\0\0\0\xFF\xFF\xFF\x7F", 8) << true;
    QTest::newRow("missing") << QByteArray() << true;
    QTest::newRow("unknown version") << QByteArray("\2\0\0\0", 4) << false;
}

// What the user had stays whole: file, mark, skin, component fields and view.
void tst_EditorFileCommands::failedOpenKeepsTheSkin()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, bEditorTells);
    const TempDir dir;
    const std::filesystem::path skinPath = CopySample(dir, "leaf.skn");
    const std::filesystem::path path = dir / "broken.skn";
    if (!bytes.isEmpty()) {
        WriteBytesTo(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    OpenThroughMenu(dlg, prompts, skinPath);
    ChooseComponent(dlg, COMPONENT_TITLE);
    Type(dlg, CSkinEditorDlg::IDC_LEFT, "3");
    Click(dlg, CSkinEditorDlg::IDC_APPLY);
    const QString strCaption = dlg.windowTitle();
    const QStringList fields = BoxFields(dlg);
    const CDib* const pMain = dlg.GetSkin().GetMainImage();

    prompts.QueueMessageAnswer(PromptAnswer::No);
    prompts.QueueMessageAnswer(PromptAnswer::Ok);
    OpenThroughMenu(dlg, prompts, path);

    const std::vector<std::string> texts = MessageTexts(prompts);
    QCOMPARE(texts.size(), 2U);
    if (!bEditorTells) {
        QCOMPARE(texts[1], "This skin is a version this skin reader does not recognize.");
    } else {
        QVERIFY(texts[1].starts_with("The skin file \"" + path.string() +
                                     "\" could not be opened.\n\n"));
        QVERIFY(texts[1].size() > path.string().size() + 40);
    }
    QVERIFY(prompts.AllAnswersUsed());
    QCOMPARE(dlg.GetFilePath(), skinPath);
    QVERIFY(dlg.IsModified());
    QCOMPARE(dlg.windowTitle(), strCaption);
    QCOMPARE(dlg.GetComponent(), int(COMPONENT_TITLE));
    QCOMPARE(BoxFields(dlg), fields);
    QCOMPARE(dlg.GetSkin().m_rcTitle.left, 3);
    QCOMPARE(dlg.GetSkin().GetMainImage(), pMain);
    QCOMPARE(dlg.GetImageView().GetImage(), pMain);
    QCOMPARE(dlg.GetSkin().GetPath(), skinPath);
}

void tst_EditorFileCommands::saveAsksToApplyFirst_data()
{
    QTest::addColumn<int>("nCommand");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("nSavedWidth"); // the main image in the file; 0: not written
    QTest::newRow("Save, Yes") << int(CSkinEditorDlg::ID_FILE_SAVE) << int(PromptAnswer::Yes) << 21;
    QTest::newRow("Save, No") << int(CSkinEditorDlg::ID_FILE_SAVE) << int(PromptAnswer::No) << 40;
    QTest::newRow("Save, Cancel") << int(CSkinEditorDlg::ID_FILE_SAVE) << int(PromptAnswer::Cancel)
                                  << 0;
    QTest::newRow("Exit, Cancel") << int(CSkinEditorDlg::ID_FILE_EXIT) << int(PromptAnswer::Cancel)
                                  << 0;
}

// A browsed bitmap not yet applied: the view shows it, so Save asks before writing without it.
void tst_EditorFileCommands::saveAsksToApplyFirst()
{
    QFETCH(int, nCommand);
    QFETCH(int, answer);
    QFETCH(int, nSavedWidth);
    const TempDir dir;
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    dlg.show();
    MakeCompleteUntitledSkin(dlg, prompts, dir);
    const std::filesystem::path path = dir / "a.skn";
    prompts.QueueSkinFileAnswer(path);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE);
    MarkModified(dlg);
    prompts.QueueBitmapFileAnswer(WriteBitmap(dir, "new.bmp", 21, 9));
    Click(dlg, CSkinEditorDlg::IDC_BROWSE_BITMAP);
    const auto bytesBefore = ReadBytesFrom(path);

    prompts.QueueMessageAnswer(static_cast<PromptAnswer>(answer));
    Trigger(dlg, nCommand);

    const auto messages = prompts.CallsOf(CScriptedPrompts::Kind::Message);
    QCOMPARE(messages.size(), 1U);
    QCOMPARE(messages[0].text, kApplyBeforeSaving);
    QVERIFY(messages[0].buttons == PromptButtons::YesNoCancel);
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.IsComponentModified(), answer != int(PromptAnswer::Yes));
    QCOMPARE(dlg.IsModified(), nSavedWidth == 0);
    QCOMPARE(dlg.windowTitle().endsWith(" *"), nSavedWidth == 0);
    if (nSavedWidth == 0) {
        QVERIFY(ReadBytesFrom(path) == bytesBefore);
        return;
    }
    CSkin saved;
    QVERIFY(saved.Load(path));
    QCOMPARE(saved.GetMainImage()->GetWidth(), nSavedWidth);
}

void tst_EditorFileCommands::missingPart_data()
{
    QTest::addColumn<QStringList>("components"); // images applied, by component
    QTest::addColumn<QString>("strPart");
    QTest::newRow("nothing") << QStringList{} << "Skin main window image";
    QTest::newRow("close images only") << QStringList{"2", "3"} << "Skin main window image";
    QTest::newRow("main only") << QStringList{"0"} << "Close button image and placement";
    QTest::newRow("main and close")
        << QStringList{"0", "2"} << "Close button (mouse over) image and placement";
}

void tst_EditorFileCommands::missingPart()
{
    QFETCH(QStringList, components);
    QFETCH(QString, strPart);
    const TempDir dir;
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    MarkModified(dlg);
    for (const QString& strComponent : components) {
        ChooseComponent(dlg, strComponent.toInt());
        ApplyBitmap(dlg, prompts,
                    WriteBitmap(dir, "b" + strComponent.toStdString() + ".bmp", 9, 9));
    }
    prompts.QueueMessageAnswer(PromptAnswer::Ok);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE);
    const auto messages = prompts.CallsOf(CScriptedPrompts::Kind::Message);
    QCOMPARE(messages.size(), 1U);
    QCOMPARE(QString::fromStdString(messages[0].text),
             QString::fromStdString(kMissingPart) + strPart);
    QVERIFY(messages[0].icon == PromptIcon::Exclamation);
    QVERIFY(dlg.IsModified());
    QVERIFY(dir.FileNames().size() == static_cast<std::size_t>(components.size()));
}

void tst_EditorFileCommands::saveCommandState()
{
    const TempDir dir;
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    const QAction* const pSave = dlg.GetCommand(CSkinEditorDlg::ID_FILE_SAVE);
    QVERIFY(!pSave->isEnabled());
    MakeCompleteUntitledSkin(dlg, prompts, dir);
    QVERIFY(pSave->isEnabled());
    prompts.QueueSkinFileAnswer(dir / "a.skn");
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE);
    QVERIFY(!pSave->isEnabled());
    MarkModified(dlg);
    QVERIFY(pSave->isEnabled());
    prompts.QueueMessageAnswer(PromptAnswer::No);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_NEW);
    QVERIFY(!pSave->isEnabled());
    MarkModified(dlg);
    prompts.QueueMessageAnswer(PromptAnswer::No);
    prompts.QueueSkinFileAnswer(dir / "a.skn");
    Trigger(dlg, CSkinEditorDlg::ID_FILE_OPEN);
    QVERIFY(!pSave->isEnabled());
    // An edit not yet applied is offered too: Save asks to apply it.
    prompts.QueueBitmapFileAnswer(WriteBitmap(dir, "new.bmp", 21, 9));
    Click(dlg, CSkinEditorDlg::IDC_BROWSE_BITMAP);
    QVERIFY(pSave->isEnabled());
}

void tst_EditorFileCommands::firstSaveAsksForAName()
{
    const TempDir dir;
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    MakeCompleteUntitledSkin(dlg, prompts, dir);

    prompts.QueueSkinFileAnswer(std::nullopt);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE);
    QVERIFY(dlg.IsModified());
    QVERIFY(dlg.GetFilePath().empty());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Tavelo - [Untitled] *"));

    // An existing file is replaced without a question.
    const std::filesystem::path path = dir / "existing.skn";
    WriteBytesTo(path, {1, 2, 3});
    prompts.QueueSkinFileAnswer(path);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE);
    QVERIFY(!dlg.IsModified());
    QCOMPARE(dlg.GetFilePath(), path);
    QCOMPARE(dlg.windowTitle(), "Tavelo - " + QString::fromStdString(path.string()));
    CSkin reread;
    QVERIFY(reread.Load(path));
    QCOMPARE(reread.GetMainImage()->GetWidth(), 40);

    // Later saves go to the same file without asking.
    MarkModified(dlg);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE);
    QVERIFY(!dlg.IsModified());
    QCOMPARE(prompts.CallsOf(CScriptedPrompts::Kind::SkinFile).size(), 2U);
}

void tst_EditorFileCommands::failedSaveTellsAndKeepsTheMark()
{
    const TempDir dir;
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    MakeCompleteUntitledSkin(dlg, prompts, dir);
    const std::filesystem::path path = dir / "no-such-folder" / "a.skn";
    prompts.QueueSkinFileAnswer(path);
    prompts.QueueMessageAnswer(PromptAnswer::Ok);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE);

    const auto messages = prompts.CallsOf(CScriptedPrompts::Kind::Message);
    QCOMPARE(messages.size(), 1U);
    const std::string expected =
        "The skin could not be saved as \"" + path.string() + "\".\n\nthe folder ";
    QVERIFY2(messages[0].text.starts_with(expected), messages[0].text.c_str());
    QVERIFY(dlg.IsModified());
    QVERIFY(!std::filesystem::exists(path));
    // The skin stays untitled: the next Save asks for a name again.
    QVERIFY(dlg.GetFilePath().empty());
    prompts.QueueSkinFileAnswer(std::nullopt);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE);
    QCOMPARE(prompts.CallsOf(CScriptedPrompts::Kind::SkinFile).size(), 2U);
}

void tst_EditorFileCommands::openShowsTheFilesImages()
{
    const TempDir dir;
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    ApplyBitmap(dlg, prompts, WriteBitmap(dir, "main.bmp", 12, 12));
    ChooseComponent(dlg, COMPONENT_CLOSE_HOVER);
    ApplyBitmap(dlg, prompts, WriteBitmap(dir, "hover.bmp", 5, 5));
    prompts.QueueMessageAnswer(PromptAnswer::No);
    OpenThroughMenu(dlg, prompts, kSamplesDir / "yellow-note.skn");

    const CSkin& skin = dlg.GetSkin();
    const CSkinImageView& view = dlg.GetImageView();
    for (int nComponent = COMPONENT_MAIN_WINDOW; nComponent <= COMPONENT_MESSAGE; ++nComponent) {
        ChooseComponent(dlg, nComponent);
        QCOMPARE(FieldText(dlg, CSkinEditorDlg::IDC_BITMAP_PATH), QString());
        QCOMPARE(view.GetImage(), skin.GetMainImage());
        QCOMPARE(view.GetOverlayCount(), 1U);
        QCOMPARE(view.GetOverlayImage(0), skin.GetCloseHoverImage());
    }
    // Apply with the empty path keeps the images read from the file, and so changes nothing.
    ChooseComponent(dlg, COMPONENT_MAIN_WINDOW);
    const CDib* const pMain = skin.GetMainImage();
    Click(dlg, CSkinEditorDlg::IDC_APPLY);
    QCOMPARE(skin.GetMainImage(), pMain);
    QVERIFY(!dlg.IsModified());
}

void tst_EditorFileCommands::savedSampleIsByteIdentical_data()
{
    QTest::addColumn<QString>("strSample");
    QTest::newRow("yellow-note") << "yellow-note.skn";
    QTest::newRow("leaf") << "leaf.skn";
}

// A sample opened and saved under another name without a change is the same file, byte for byte.
void tst_EditorFileCommands::savedSampleIsByteIdentical()
{
    QFETCH(QString, strSample);
    const TempDir dir;
    const std::filesystem::path original = kSamplesDir / strSample.toStdString();
    const std::filesystem::path path = dir / ("new-" + strSample.toStdString());

    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    dlg.OpenSkinFile(original);
    for (int nComponent = COMPONENT_MAIN_WINDOW; nComponent <= COMPONENT_MESSAGE; ++nComponent) {
        ChooseComponent(dlg, nComponent);
        Click(dlg, CSkinEditorDlg::IDC_APPLY);
    }
    QVERIFY(!dlg.IsModified());
    prompts.QueueSkinFileAnswer(path);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE_AS);
    QCOMPARE(dlg.GetFilePath(), path);
    QVERIFY(ReadBytesFrom(path) == ReadBytesFrom(original));
}

// The template opens as a new, untitled skin: saving it asks for a name.
void tst_EditorFileCommands::newFromTemplateNeverWritesTheTemplate()
{
    const TempDir dir;
    const std::filesystem::path chosen = CopySample(dir, "leaf.skn");
    const std::vector<std::uint8_t> original = ReadBytesFrom(chosen);
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    prompts.QueueTemplateAnswer(chosen);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_NEW_FROM_TEMPLATE);

    // The bundled templates are the samples, found beside the program.
    const auto calls = prompts.CallsOf(CScriptedPrompts::Kind::Template);
    std::vector<std::string> offered;
    for (const std::filesystem::path& path : calls.at(0).templates) {
        offered.push_back(path.filename().string());
    }
    QCOMPARE(offered, (std::vector<std::string>{"leaf.skn", "yellow-note.skn"}));
    QVERIFY(dlg.GetFilePath().empty());
    QVERIFY(!dlg.IsModified());
    QCOMPARE(dlg.GetSkin().GetTitle(), std::string("Leaf"));

    MarkModified(dlg);
    const std::filesystem::path saved = dir / "mine.skn";
    prompts.QueueSkinFileAnswer(saved);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE);
    QCOMPARE(prompts.CallsOf(CScriptedPrompts::Kind::SkinFile).at(0).mode, FileDialogMode::Save);
    QCOMPARE(dlg.GetFilePath(), saved);
    QVERIFY(ReadBytesFrom(chosen) == original);
    QVERIFY(!dlg.IsModified());
}

// Export Preview writes, byte for byte, the PNG that tavelo-skn render writes of the skin.
void tst_EditorFileCommands::exportPreviewWritesWhatRenderWrites()
{
    const TempDir dir;
    const std::filesystem::path skin = CopySample(dir, "yellow-note.skn");
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    QVERIFY(dlg.OpenSkinFile(skin));
    const std::filesystem::path exported = dir / "exported.png";
    prompts.QueuePngFileAnswer(exported);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_EXPORT_PREVIEW);
    QCOMPARE(prompts.CallsOf(CScriptedPrompts::Kind::PngFile).at(0).suggested.filename(),
             std::filesystem::path("yellow-note.png"));

    const std::filesystem::path rendered = dir / "rendered.png";
    QCOMPARE(QProcess::execute(QStringLiteral(TAVELO_SKN_EXE),
                               {QStringLiteral("render"), QString::fromStdString(skin.string()),
                                QString::fromStdString(rendered.string())}),
             0);
    QVERIFY(!ReadBytesFrom(exported).empty());
    QVERIFY(ReadBytesFrom(exported) == ReadBytesFrom(rendered));

    // A folder in the way is refused, and said so.
    std::filesystem::create_directory(dir / "folder.png");
    prompts.QueuePngFileAnswer(dir / "folder.png");
    prompts.QueueMessageAnswer(PromptAnswer::Ok);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_EXPORT_PREVIEW);
    QVERIFY(prompts.CallsOf(CScriptedPrompts::Kind::Message)
                .at(0)
                .text.starts_with("The preview could not be saved as"));
}

QTEST_MAIN(tst_EditorFileCommands)
#include "tst_editorfilecommands.moc"
