// Editing one component at a time: the controls each component shows, what the image view is
// given, Apply, the apply question, the rectangle fields and the picker.
#include "editorfixture.h"

#include <QGroupBox>
#include <QPushButton>

namespace {

struct Fixture
{
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    Fixture() { dlg.OpenSkinFile(kSamplesDir / "yellow-note.skn"); }
};

QStringList Numbers(const RECT& rc)
{
    return {QString::number(rc.left), QString::number(rc.top), QString::number(rc.right),
            QString::number(rc.bottom)};
}

} // namespace

class tst_EditorComponents : public QObject
{
    Q_OBJECT

private slots:
    void init() { SettingsSandbox::Clear(); }

    void controlsOfEachComponent_data();
    void controlsOfEachComponent();
    void viewShowsTheStoredSkin_data();
    void viewShowsTheStoredSkin();
    void viewWithoutMainImageShowsBothCloseImages();
    void viewShowsTheBrowsedFile_data();
    void viewShowsTheBrowsedFile();
    void unreadableBitmapClearsTheView();
    void applyRefusesWhatIsNotABitmap_data();
    void applyRefusesWhatIsNotABitmap();
    void applyQuestionAfterBrowse_data();
    void applyQuestionAfterBrowse();
    void questionAfterTyping();
    void cancelledBrowseChangesNothing();
    void boxFieldsReadAsAtoi_data();
    void boxFieldsReadAsAtoi();
    void applyWithoutChangeIsNoStep_data();
    void applyWithoutChangeIsNoStep();
    void typingIsLimitedButProgramTextIsNot();
    void typedRectangle_data();
    void typedRectangle();
    void pickerButton();
    void draggedRectangle_data();
    void draggedRectangle();
    void pickedColours_data();
    void pickedColours();

private:
    SettingsSandbox m_settings;
};

void tst_EditorComponents::controlsOfEachComponent_data()
{
    QTest::addColumn<int>("nComponent");
    QTest::addColumn<bool>("bBitmapGroup");
    QTest::addColumn<bool>("bBoxGroup");
    QTest::addColumn<int>("nPickerMode");
    QTest::newRow("Main Window") << int(COMPONENT_MAIN_WINDOW) << true << false << 0;
    QTest::newRow("Title") << int(COMPONENT_TITLE) << false << true << 1;
    QTest::newRow("Close Button (Normal)") << int(COMPONENT_CLOSE_BUTTON) << true << true << 1;
    QTest::newRow("Close Button (Mouse Over)") << int(COMPONENT_CLOSE_HOVER) << true << false << 1;
    QTest::newRow("Message") << int(COMPONENT_MESSAGE) << false << true << 1;
}

void tst_EditorComponents::controlsOfEachComponent()
{
    QFETCH(int, nComponent);
    QFETCH(bool, bBitmapGroup);
    QFETCH(bool, bBoxGroup);
    QFETCH(int, nPickerMode);
    Fixture f;
    const CSkin& skin = f.dlg.GetSkin();
    ChooseComponent(f.dlg, nComponent);

    const RECT rcExpected[] = {RECT{0, 0, 0, 0}, skin.m_rcTitle, skin.m_rcCloseButton,
                               skin.m_rcCloseButton, skin.m_rcMessage};
    QCOMPARE(BoxFields(f.dlg), Numbers(rcExpected[nComponent]));
    QCOMPARE(FieldText(f.dlg, CSkinEditorDlg::IDC_BITMAP_PATH), QString());
    for (int nId : {CSkinEditorDlg::IDC_BITMAP_PATH, CSkinEditorDlg::IDC_BROWSE_BITMAP,
                    CSkinEditorDlg::IDC_TRANSPARENT, CSkinEditorDlg::IDC_BITMAP_GROUP}) {
        QCOMPARE(Control<QWidget>(f.dlg, nId)->isEnabled(), bBitmapGroup);
    }
    for (int nId :
         {CSkinEditorDlg::IDC_LEFT, CSkinEditorDlg::IDC_TOP, CSkinEditorDlg::IDC_RIGHT,
          CSkinEditorDlg::IDC_BOTTOM, CSkinEditorDlg::IDC_LABEL_LEFT, CSkinEditorDlg::IDC_LABEL_TOP,
          CSkinEditorDlg::IDC_LABEL_RIGHT, CSkinEditorDlg::IDC_LABEL_BOTTOM}) {
        QCOMPARE(Control<QWidget>(f.dlg, nId)->isEnabled(), bBoxGroup);
    }
    QVERIFY(Control<QWidget>(f.dlg, CSkinEditorDlg::IDC_SET_BOX)->isEnabled());
    QCOMPARE(f.dlg.GetImageView().GetPickerMode(), nPickerMode);
    QCOMPARE(Control<QWidget>(f.dlg, CSkinEditorDlg::IDC_PICKER)->isEnabled(), nPickerMode == 1);

    const COLORREF crTransparent[] = {skin.m_crMainTransparent, 0, skin.m_crCloseTransparent,
                                      skin.m_crCloseHoverTransparent, 0};
    if (bBitmapGroup) {
        QCOMPARE(Control<CColourPicker>(f.dlg, CSkinEditorDlg::IDC_TRANSPARENT)->GetColour(),
                 crTransparent[nComponent]);
    }
    if (nPickerMode == 1) {
        QVERIFY(SameRect(f.dlg.GetImageView().GetPickerRect(), rcExpected[nComponent]));
    }
    QVERIFY(f.prompts.Calls().empty());
}

void tst_EditorComponents::viewShowsTheStoredSkin_data()
{
    QTest::addColumn<int>("nComponent");
    for (int i = COMPONENT_MAIN_WINDOW; i <= COMPONENT_MESSAGE; ++i) {
        QTest::addRow("%d", i) << i;
    }
}

// With an empty path field the view gets the skin as stored: the main image, only the mouse-over
// close image over it, and both samples.
void tst_EditorComponents::viewShowsTheStoredSkin()
{
    QFETCH(int, nComponent);
    Fixture f;
    ChooseComponent(f.dlg, nComponent);
    const CSkin& skin = f.dlg.GetSkin();
    const CSkinImageView& view = f.dlg.GetImageView();

    QCOMPARE(view.GetImage(), skin.GetMainImage());
    QCOMPARE(view.GetTransparentColour(), skin.m_crMainTransparent);
    QCOMPARE(view.GetOverlayCount(), 1U);
    QCOMPARE(view.GetOverlayImage(0), skin.GetCloseHoverImage());
    QVERIFY(SameRect(view.GetOverlayRect(0), skin.m_rcCloseButton));
    QCOMPARE(view.GetOverlayTransparent(0), skin.m_crCloseHoverTransparent);
    QCOMPARE(view.GetTitleText(), std::string("The Note's Title"));
    QVERIFY(SameRect(view.GetTitleArea(), skin.m_rcTitle));
    QCOMPARE(view.GetTitleColour(), skin.m_crTitleText);
    QVERIFY(view.GetMessageText().starts_with("The note's message will be placed here in the "
                                              "skin.  Click and drag"));
    QVERIFY(SameRect(view.GetMessageArea(), skin.m_rcMessage));
    QCOMPARE(view.GetMessageColour(), skin.m_crMessageText);
}

void tst_EditorComponents::viewWithoutMainImageShowsBothCloseImages()
{
    const TempDir dir;
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    ChooseComponent(dlg, COMPONENT_CLOSE_BUTTON);
    // Typed after the browse: the browse pushes every field from its member.
    prompts.QueueBitmapFileAnswer(WriteBitmap(dir, "close.bmp", 6, 6));
    Click(dlg, CSkinEditorDlg::IDC_BROWSE_BITMAP);
    Type(dlg, CSkinEditorDlg::IDC_LEFT, "4");
    Type(dlg, CSkinEditorDlg::IDC_TOP, "5");
    Type(dlg, CSkinEditorDlg::IDC_RIGHT, "10");
    Type(dlg, CSkinEditorDlg::IDC_BOTTOM, "11");
    Click(dlg, CSkinEditorDlg::IDC_APPLY);
    ChooseComponent(dlg, COMPONENT_CLOSE_HOVER);
    ApplyBitmap(dlg, prompts, WriteBitmap(dir, "hover.bmp", 7, 7));
    ChooseComponent(dlg, COMPONENT_TITLE);

    const CSkin& skin = dlg.GetSkin();
    const CSkinImageView& view = dlg.GetImageView();
    QCOMPARE(view.GetImage(), nullptr);
    QCOMPARE(view.GetOverlayCount(), 2U);
    QCOMPARE(view.GetOverlayImage(0), skin.GetCloseImage());
    QCOMPARE(view.GetOverlayImage(1), skin.GetCloseHoverImage());
    QCOMPARE(view.GetOverlayRect(0).left, 4);
    QCOMPARE(view.GetOverlayRect(1).top, 5);
}

void tst_EditorComponents::viewShowsTheBrowsedFile_data()
{
    QTest::addColumn<int>("nComponent");
    QTest::newRow("Main Window") << int(COMPONENT_MAIN_WINDOW);
    QTest::newRow("Close Button (Normal)") << int(COMPONENT_CLOSE_BUTTON);
    QTest::newRow("Close Button (Mouse Over)") << int(COMPONENT_CLOSE_HOVER);
}

void tst_EditorComponents::viewShowsTheBrowsedFile()
{
    QFETCH(int, nComponent);
    const TempDir dir;
    Fixture f;
    ChooseComponent(f.dlg, nComponent);
    const std::filesystem::path path = WriteBitmap(dir, "pick.bmp", 17, 11);
    f.prompts.QueueBitmapFileAnswer(path);
    Click(f.dlg, CSkinEditorDlg::IDC_BROWSE_BITMAP);

    const CSkin& skin = f.dlg.GetSkin();
    const CSkinImageView& view = f.dlg.GetImageView();
    QCOMPARE(FieldText(f.dlg, CSkinEditorDlg::IDC_BITMAP_PATH),
             QString::fromStdString(path.string()));
    QVERIFY(f.dlg.IsComponentModified());
    QVERIFY(!f.dlg.IsModified());
    if (nComponent == COMPONENT_MAIN_WINDOW) {
        QVERIFY(view.GetImage() != skin.GetMainImage());
        QCOMPARE(view.GetImage()->GetWidth(), 17);
        QCOMPARE(view.GetTransparentColour(), skin.m_crMainTransparent);
        QCOMPARE(view.GetOverlayCount(), 0U);
    } else {
        QCOMPARE(view.GetImage(), skin.GetMainImage());
        QCOMPARE(view.GetOverlayCount(), 1U);
        QCOMPARE(view.GetOverlayImage(0)->GetWidth(), 17);
        QVERIFY(SameRect(view.GetOverlayRect(0), skin.m_rcCloseButton));
        QCOMPARE(view.GetOverlayTransparent(0), nComponent == COMPONENT_CLOSE_BUTTON
                                                    ? skin.m_crCloseTransparent
                                                    : skin.m_crCloseHoverTransparent);
    }
}

void tst_EditorComponents::unreadableBitmapClearsTheView()
{
    const TempDir dir;
    Fixture f;
    const std::filesystem::path path = dir / "not-a-bitmap.bmp";
    WriteBytesTo(path, {'B', 'M', 1, 2, 3});
    f.prompts.QueueBitmapFileAnswer(path);
    Click(f.dlg, CSkinEditorDlg::IDC_BROWSE_BITMAP);
    QCOMPARE(f.dlg.GetImageView().GetImage(), nullptr);
    QCOMPARE(f.dlg.GetImageView().GetOverlayCount(), 0U);
}

void tst_EditorComponents::applyRefusesWhatIsNotABitmap_data()
{
    QTest::addColumn<int>("nComponent");
    QTest::addColumn<QByteArray>("bytes"); // empty: no such file
    QTest::addColumn<QString>("strSaid");
    // A PNG cut off after its header: other formats are converted, but this one cannot be.
    const QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    QTest::newRow("damaged PNG as main image")
        << int(COMPONENT_MAIN_WINDOW) << png
        << "could not be read.\n\nThe PNG image cannot be read";
    QTest::newRow("damaged PNG as close image")
        << int(COMPONENT_CLOSE_BUTTON) << png << "could not be read.\n\nThe PNG image";
    QTest::newRow("text as mouse-over image")
        << int(COMPONENT_CLOSE_HOVER) << QByteArray("hello") << "is not an image file";
    QTest::newRow("damaged BMP") << int(COMPONENT_MAIN_WINDOW) << QByteArray("BM\1\2\3", 5)
                                 << "could not be read.\n\nIt is damaged";
    // A 40-byte header for 20000 x 1 pixels at 24 bits; the pixels are never reached.
    QByteArray wide("BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x20\x4E\0\0\1\0\0\0\1\0\x18\0", 30);
    wide.append(QByteArray(24, '\0'));
    QTest::newRow("beyond the pixel limits")
        << int(COMPONENT_MAIN_WINDOW) << wide << "could not be read.\n\nThe image is 20000 x 1";
    QTest::newRow("missing") << int(COMPONENT_MAIN_WINDOW) << QByteArray()
                             << "could not be read.\n\nNo such file";
}

// Apply stores nothing and says why; the changes stay marked, and leaving the component with
// "Yes" to the question keeps the user on it.
void tst_EditorComponents::applyRefusesWhatIsNotABitmap()
{
    QFETCH(int, nComponent);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, strSaid);
    const TempDir dir;
    Fixture f;
    ChooseComponent(f.dlg, nComponent);
    const std::filesystem::path path = dir / "picture.bmp";
    if (!bytes.isEmpty()) {
        WriteBytesTo(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }
    const CSkin& skin = f.dlg.GetSkin();
    const CDib* const images[] = {skin.GetMainImage(), skin.GetCloseImage(),
                                  skin.GetCloseHoverImage()};
    const RECT rcClose = skin.m_rcCloseButton;
    Type(f.dlg, CSkinEditorDlg::IDC_BITMAP_PATH, QString::fromStdString(path.string()));
    Type(f.dlg, CSkinEditorDlg::IDC_TOP, "1");
    f.prompts.QueueMessageAnswer(PromptAnswer::Ok);
    Click(f.dlg, CSkinEditorDlg::IDC_APPLY);

    const auto message = f.prompts.Calls().at(0);
    QVERIFY2(QString::fromStdString(message.text).contains(strSaid), message.text.c_str());
    QVERIFY(message.text.find(path.string()) != std::string::npos);
    QVERIFY(!f.dlg.IsModified());
    QVERIFY(f.dlg.IsComponentModified());
    QCOMPARE(skin.GetMainImage(), images[0]);
    QCOMPARE(skin.GetCloseImage(), images[1]);
    QCOMPARE(skin.GetCloseHoverImage(), images[2]);
    QVERIFY(SameRect(skin.m_rcCloseButton, rcClose));

    f.prompts.QueueMessageAnswer(PromptAnswer::Yes);
    f.prompts.QueueMessageAnswer(PromptAnswer::Ok);
    ChooseComponent(f.dlg, COMPONENT_MESSAGE);
    QCOMPARE(Control<QComboBox>(f.dlg, CSkinEditorDlg::IDC_COMPONENT)->currentIndex(), nComponent);
    QCOMPARE(FieldText(f.dlg, CSkinEditorDlg::IDC_BITMAP_PATH),
             QString::fromStdString(path.string()));
    QVERIFY(f.prompts.AllAnswersUsed());
}

void tst_EditorComponents::applyQuestionAfterBrowse_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes stores into the component left") << int(PromptAnswer::Yes);
    QTest::newRow("No drops the changes") << int(PromptAnswer::No);
}

void tst_EditorComponents::applyQuestionAfterBrowse()
{
    QFETCH(int, answer);
    const bool bYes = answer == int(PromptAnswer::Yes);
    const TempDir dir;
    Fixture f;
    ChooseComponent(f.dlg, COMPONENT_CLOSE_BUTTON);
    const LONG nOldWidth = f.dlg.GetSkin().GetCloseImage()->GetWidth();
    const std::filesystem::path path = WriteBitmap(dir, "close.bmp", 23, 23);
    f.prompts.QueueBitmapFileAnswer(path);
    Click(f.dlg, CSkinEditorDlg::IDC_BROWSE_BITMAP);
    Type(f.dlg, CSkinEditorDlg::IDC_LEFT, "2");

    f.prompts.QueueMessageAnswer(static_cast<PromptAnswer>(answer));
    ChooseComponent(f.dlg, COMPONENT_MESSAGE);
    const auto messages = f.prompts.CallsOf(CScriptedPrompts::Kind::Message);
    QCOMPARE(messages.size(), 1U);
    QCOMPARE(messages[0].text, kApplyFirst);
    QVERIFY(messages[0].buttons == PromptButtons::YesNo);
    QVERIFY(messages[0].icon == PromptIcon::Question);
    QVERIFY(!f.dlg.IsComponentModified());
    QCOMPARE(f.dlg.IsModified(), bYes);
    QCOMPARE(f.dlg.GetSkin().GetCloseImage()->GetWidth(), bYes ? 23 : nOldWidth);
    QCOMPARE(f.dlg.GetSkin().m_rcCloseButton.left == 2, bYes);
    // The Message component shows its own data, not the close button's.
    QCOMPARE(BoxFields(f.dlg), Numbers(f.dlg.GetSkin().m_rcMessage));

    ChooseComponent(f.dlg, COMPONENT_CLOSE_BUTTON); // no question: the mark was cleared
    QCOMPARE(FieldText(f.dlg, CSkinEditorDlg::IDC_BITMAP_PATH),
             bYes ? QString::fromStdString(path.string()) : QString());
}

// A typed number is an edit like a browsed file: leaving it is asked about, never silently lost.
void tst_EditorComponents::questionAfterTyping()
{
    for (const bool bYes : {false, true}) {
        Fixture f;
        ChooseComponent(f.dlg, COMPONENT_TITLE);
        const RECT rcBefore = f.dlg.GetSkin().m_rcTitle;
        Type(f.dlg, CSkinEditorDlg::IDC_LEFT, "-77");
        QVERIFY(f.dlg.IsComponentModified());
        f.prompts.QueueMessageAnswer(bYes ? PromptAnswer::Yes : PromptAnswer::No);
        ChooseComponent(f.dlg, COMPONENT_MESSAGE);
        ChooseComponent(f.dlg, COMPONENT_TITLE);
        QCOMPARE(f.prompts.Calls().size(), 1U);
        QCOMPARE(f.prompts.Calls()[0].text, kApplyFirst);
        const RECT rcExpected =
            bYes ? RECT{-77, rcBefore.top, rcBefore.right, rcBefore.bottom} : rcBefore;
        QVERIFY(SameRect(f.dlg.GetSkin().m_rcTitle, rcExpected));
        QCOMPARE(BoxFields(f.dlg), Numbers(rcExpected));
        QCOMPARE(f.dlg.IsModified(), bYes);
    }
}

void tst_EditorComponents::cancelledBrowseChangesNothing()
{
    Fixture f;
    const CDib* const pShown = f.dlg.GetImageView().GetImage();
    f.prompts.QueueBitmapFileAnswer(std::nullopt);
    Click(f.dlg, CSkinEditorDlg::IDC_BROWSE_BITMAP);
    QCOMPARE(FieldText(f.dlg, CSkinEditorDlg::IDC_BITMAP_PATH), QString());
    QVERIFY(!f.dlg.IsComponentModified());
    QVERIFY(!f.dlg.IsModified());
    QCOMPARE(f.dlg.GetImageView().GetImage(), pShown);
}

void tst_EditorComponents::boxFieldsReadAsAtoi_data()
{
    QTest::addColumn<QString>("strText");
    QTest::addColumn<int>("nValue");
    QTest::newRow("digits then letters") << "12ab" << 12;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("negative") << "-7x" << -7;
    QTest::newRow("plus") << "+5" << 5;
    QTest::newRow("leading space") << " 42" << 42;
    QTest::newRow("sign alone") << "-" << 0;
}

void tst_EditorComponents::boxFieldsReadAsAtoi()
{
    QFETCH(QString, strText);
    QFETCH(int, nValue);
    Fixture f;
    ChooseComponent(f.dlg, COMPONENT_TITLE);
    for (int nId : {CSkinEditorDlg::IDC_LEFT, CSkinEditorDlg::IDC_TOP, CSkinEditorDlg::IDC_RIGHT,
                    CSkinEditorDlg::IDC_BOTTOM}) {
        Type(f.dlg, nId, strText);
    }
    Click(f.dlg, CSkinEditorDlg::IDC_APPLY);
    QVERIFY(SameRect(f.dlg.GetSkin().m_rcTitle, RECT{nValue, nValue, nValue, nValue}));
    QVERIFY(SameRect(f.dlg.GetImageView().GetPickerRect(), RECT{nValue, nValue, nValue, nValue}));
}

void tst_EditorComponents::applyWithoutChangeIsNoStep_data()
{
    QTest::addColumn<int>("nComponent");
    for (int i = COMPONENT_MAIN_WINDOW; i <= COMPONENT_MESSAGE; ++i) {
        QTest::addRow("%d", i) << i;
    }
}

void tst_EditorComponents::applyWithoutChangeIsNoStep()
{
    QFETCH(int, nComponent);
    Fixture f;
    ChooseComponent(f.dlg, nComponent);
    const CDib* const pMain = f.dlg.GetSkin().GetMainImage();
    Click(f.dlg, CSkinEditorDlg::IDC_APPLY);
    QVERIFY(!f.dlg.IsModified());
    QVERIFY(f.dlg.windowTitle().endsWith(QStringLiteral("yellow-note.skn")));
    QVERIFY(!f.dlg.GetCommand(CSkinEditorDlg::ID_EDIT_UNDO)->isEnabled());
    QVERIFY(!f.dlg.IsComponentModified());
    QCOMPARE(f.dlg.GetSkin().GetMainImage(), pMain); // an empty path keeps the image
}

void tst_EditorComponents::typingIsLimitedButProgramTextIsNot()
{
    const TempDir dir;
    Fixture f;
    ChooseComponent(f.dlg, COMPONENT_TITLE);
    Type(f.dlg, CSkinEditorDlg::IDC_LEFT, "123456");
    QCOMPARE(FieldText(f.dlg, CSkinEditorDlg::IDC_LEFT), QStringLiteral("1234"));
    // A long path is a path the system takes.
    f.prompts.QueueMessageAnswer(PromptAnswer::No);
    ChooseComponent(f.dlg, COMPONENT_MAIN_WINDOW);
    const QString strLongPath = "/tmp/" + QString(300, QLatin1Char('a')) + ".bmp";
    Type(f.dlg, CSkinEditorDlg::IDC_BITMAP_PATH, strLongPath);
    QCOMPARE(FieldText(f.dlg, CSkinEditorDlg::IDC_BITMAP_PATH), strLongPath);
    f.prompts.QueueMessageAnswer(PromptAnswer::No);
    ChooseComponent(f.dlg, COMPONENT_TITLE);

    // A rectangle from a file is shown whole, never cut to what can be typed.
    f.dlg.OnPickRectChanged(RECT{-12345, 0, 100000, 5});
    QCOMPARE(BoxFields(f.dlg), QStringList({"-12345", "0", "100000", "5"}));
    Click(f.dlg, CSkinEditorDlg::IDC_APPLY);
    QCOMPARE(f.dlg.GetSkin().m_rcTitle.left, -12345);
    QCOMPARE(f.dlg.GetSkin().m_rcTitle.right, 100000);
    QTest::keyClick(Edit(f.dlg, CSkinEditorDlg::IDC_RIGHT), Qt::Key_Backspace);
    QCOMPARE(FieldText(f.dlg, CSkinEditorDlg::IDC_RIGHT), QStringLiteral("10000"));
    QTest::keyClicks(Edit(f.dlg, CSkinEditorDlg::IDC_RIGHT), "99");
    QCOMPARE(FieldText(f.dlg, CSkinEditorDlg::IDC_RIGHT).size(), 6);
}

void tst_EditorComponents::typedRectangle_data()
{
    QTest::addColumn<int>("nButton");
    QTest::addColumn<bool>("bPickerShown");
    QTest::newRow("Apply") << int(CSkinEditorDlg::IDC_APPLY) << false;
    QTest::newRow("Set Box, picker hidden") << int(CSkinEditorDlg::IDC_SET_BOX) << false;
    QTest::newRow("Set Box, picker shown") << int(CSkinEditorDlg::IDC_SET_BOX) << true;
}

// Both buttons put the numbers in order; Set Box shows them in the view at once, bringing out a
// hidden picker, and leaves the skin alone.
void tst_EditorComponents::typedRectangle()
{
    QFETCH(int, nButton);
    QFETCH(bool, bPickerShown);
    const bool bApply = nButton == CSkinEditorDlg::IDC_APPLY;
    Fixture f;
    f.dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.dlg));
    ChooseComponent(f.dlg, COMPONENT_TITLE);
    if (bPickerShown) {
        Click(f.dlg, CSkinEditorDlg::IDC_PICKER);
    }
    const RECT rcBefore = f.dlg.GetSkin().m_rcTitle;
    Type(f.dlg, CSkinEditorDlg::IDC_LEFT, "50");
    Type(f.dlg, CSkinEditorDlg::IDC_TOP, "60");
    Type(f.dlg, CSkinEditorDlg::IDC_RIGHT, "10");
    Type(f.dlg, CSkinEditorDlg::IDC_BOTTOM, "-20");
    struct PaintCounter : QObject
    {
        int nPaints = 0;
        bool eventFilter(QObject* /*pObject*/, QEvent* pEvent) override
        {
            nPaints += pEvent->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter;
    QCoreApplication::processEvents();
    f.dlg.findChild<CSkinImageView*>()->installEventFilter(&counter);
    Click(f.dlg, nButton);

    const RECT rcNormal{10, -20, 50, 60};
    QCOMPARE(BoxFields(f.dlg), Numbers(rcNormal));
    QVERIFY(SameRect(f.dlg.GetImageView().GetPickerRect(), rcNormal));
    QVERIFY(SameRect(f.dlg.GetSkin().m_rcTitle, bApply ? rcNormal : rcBefore));
    QCOMPARE(f.dlg.IsModified(), bApply);
    QCOMPARE(f.dlg.IsComponentModified(), !bApply);
    if (!bApply) {
        QVERIFY(!f.dlg.GetImageView().IsPickerHidden());
        QTRY_VERIFY(counter.nPaints > 0);
    }
}

void tst_EditorComponents::pickerButton()
{
    Fixture f;
    QPushButton* const pButton = Control<QPushButton>(f.dlg, CSkinEditorDlg::IDC_PICKER);
    const CSkinImageView& view = f.dlg.GetImageView();
    QVERIFY(!pButton->isEnabled());
    QVERIFY(view.IsPickerHidden());

    ChooseComponent(f.dlg, COMPONENT_TITLE);
    QVERIFY(pButton->isEnabled());
    QVERIFY(view.IsPickerHidden());
    Click(f.dlg, CSkinEditorDlg::IDC_PICKER);
    QVERIFY(pButton->isChecked());
    QVERIFY(!view.IsPickerHidden());

    ChooseComponent(f.dlg, COMPONENT_CLOSE_HOVER); // stays shown
    QVERIFY(!view.IsPickerHidden());
    ChooseComponent(f.dlg, COMPONENT_MAIN_WINDOW);
    QVERIFY(!pButton->isEnabled());
    QVERIFY(view.IsPickerHidden());
    ChooseComponent(f.dlg, COMPONENT_MESSAGE); // the button kept its state
    QVERIFY(!view.IsPickerHidden());
    Click(f.dlg, CSkinEditorDlg::IDC_PICKER);
    QVERIFY(view.IsPickerHidden());
}

void tst_EditorComponents::draggedRectangle_data()
{
    QTest::addColumn<int>("nComponent");
    QTest::newRow("Main Window: no rectangle") << int(COMPONENT_MAIN_WINDOW);
    QTest::newRow("Title") << int(COMPONENT_TITLE);
    QTest::newRow("Close Button (Normal)") << int(COMPONENT_CLOSE_BUTTON);
    QTest::newRow("Close Button (Mouse Over)") << int(COMPONENT_CLOSE_HOVER);
    QTest::newRow("Message") << int(COMPONENT_MESSAGE);
}

// The view reports a drag: the rectangle goes into the skin at once as one step (inverted as
// dragged), the fields show it, and the skin is marked; nothing waits for Apply.
void tst_EditorComponents::draggedRectangle()
{
    QFETCH(int, nComponent);
    Fixture f;
    ChooseComponent(f.dlg, nComponent);
    const CSkin& skin = f.dlg.GetSkin();
    const RECT rcBefore[] = {skin.m_rcTitle, skin.m_rcCloseButton, skin.m_rcMessage};
    const RECT rcDragged{50, 40, 10, 60};
    CSkinImageView* const pView = f.dlg.findChild<CSkinImageView*>();
    emit pView->pickRectChanged(rcDragged);

    const bool bHasRect = nComponent != COMPONENT_MAIN_WINDOW;
    QCOMPARE(BoxFields(f.dlg),
             bHasRect ? QStringList({"50", "40", "10", "60"}) : QStringList({"0", "0", "0", "0"}));
    QVERIFY(!f.dlg.IsComponentModified());
    QCOMPARE(f.dlg.IsModified(), bHasRect);
    const RECT* const pExpectChanged[] = {nullptr, &skin.m_rcTitle, &skin.m_rcCloseButton,
                                          &skin.m_rcCloseButton, &skin.m_rcMessage};
    const RECT rcNow[] = {skin.m_rcTitle, skin.m_rcCloseButton, skin.m_rcMessage};
    const RECT* const pTracked[] = {&skin.m_rcTitle, &skin.m_rcCloseButton, &skin.m_rcMessage};
    for (std::size_t i = 0; i < 3; ++i) {
        const bool bChanged = pTracked[i] == pExpectChanged[nComponent];
        QVERIFY(SameRect(rcNow[i], bChanged ? rcDragged : rcBefore[i]));
    }
    if (nComponent == COMPONENT_TITLE) {
        QVERIFY(SameRect(f.dlg.GetImageView().GetTitleArea(), rcDragged));
    }
}

void tst_EditorComponents::pickedColours_data()
{
    QTest::addColumn<int>("nComponent");
    QTest::addColumn<int>("nPicker");
    QTest::newRow("message text") << int(COMPONENT_TITLE) << int(CSkinEditorDlg::IDC_MESSAGE_TEXT);
    QTest::newRow("message back") << int(COMPONENT_TITLE) << int(CSkinEditorDlg::IDC_MESSAGE_BACK);
    QTest::newRow("title text") << int(COMPONENT_TITLE) << int(CSkinEditorDlg::IDC_TITLE_TEXT);
    QTest::newRow("title back") << int(COMPONENT_TITLE) << int(CSkinEditorDlg::IDC_TITLE_BACK);
    QTest::newRow("main transparent")
        << int(COMPONENT_MAIN_WINDOW) << int(CSkinEditorDlg::IDC_TRANSPARENT);
    QTest::newRow("close transparent")
        << int(COMPONENT_CLOSE_BUTTON) << int(CSkinEditorDlg::IDC_TRANSPARENT);
    QTest::newRow("hover transparent")
        << int(COMPONENT_CLOSE_HOVER) << int(CSkinEditorDlg::IDC_TRANSPARENT);
}

void tst_EditorComponents::pickedColours()
{
    QFETCH(int, nComponent);
    QFETCH(int, nPicker);
    Fixture f;
    ChooseComponent(f.dlg, nComponent);
    const COLORREF crNew = RGB(1, 2, 3);
    emit Control<CColourPicker>(f.dlg, nPicker)->colourOk(crNew, nPicker);

    const CSkin& skin = f.dlg.GetSkin();
    const std::pair<int, COLORREF> stored[] = {
        {CSkinEditorDlg::IDC_MESSAGE_TEXT, skin.m_crMessageText},
        {CSkinEditorDlg::IDC_MESSAGE_BACK, skin.m_crMessageBack},
        {CSkinEditorDlg::IDC_TITLE_TEXT, skin.m_crTitleText},
        {CSkinEditorDlg::IDC_TITLE_BACK, skin.m_crTitleBack},
    };
    for (const auto& [nId, cr] : stored) {
        QCOMPARE(cr == crNew, nId == nPicker);
    }
    const COLORREF transparent[] = {skin.m_crMainTransparent, 0, skin.m_crCloseTransparent,
                                    skin.m_crCloseHoverTransparent};
    if (nPicker == CSkinEditorDlg::IDC_TRANSPARENT) {
        QCOMPARE(transparent[nComponent], crNew);
        QVERIFY(!f.dlg.IsComponentModified());
        const CSkinImageView& view = f.dlg.GetImageView();
        // The view follows a new transparent colour at once.
        QCOMPARE(nComponent == COMPONENT_MAIN_WINDOW ? view.GetTransparentColour()
                                                     : view.GetOverlayTransparent(0),
                 nComponent == COMPONENT_CLOSE_BUTTON ? skin.m_crCloseHoverTransparent : crNew);
    }
    QVERIFY(f.dlg.IsModified());
    QVERIFY(f.dlg.windowTitle().endsWith(" *"));
}

QTEST_MAIN(tst_EditorComponents)
#include "tst_editorcomponents.moc"
