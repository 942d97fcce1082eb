// Bitmap files saved by an image editor while the skin is open: each save comes back as a
// reload step, through the real window and a real file watch.
#include "editorfixture.h"
#include "skinimageview.h"

#include <QDesktopServices>
#include <QLabel>
#include <QScopeGuard>
#include <QUndoStack>

#include <functional>

namespace {

using Save = std::function<void(const std::filesystem::path&, std::uint8_t)>;

void WriteRed(const std::filesystem::path& path, std::uint8_t red)
{
    WriteBytesTo(path, MakeSolidBmp(40, 30, red, 0, 0));
}

// The red of a solid picture's first pixel; bitmaps keep blue, green, red.
int RedOf(const CDib* pImage)
{
    return pImage != nullptr ? pImage->GetBits()[2] : -1;
}

struct Fixture
{
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    TempDir dir;
    std::filesystem::path main = dir / "main.bmp";
    Fixture()
    {
        dlg.show();
        WriteRed(main, 10);
        ApplyBitmap(dlg, prompts, main);
    }
    int Steps() const { return dlg.GetDocument().UndoStack().count(); }
    int MainRed() const { return RedOf(dlg.GetSkin().GetMainImage()); }
    int ShownRed() const { return RedOf(dlg.GetImageView().GetImage()); }
    QString Status() const
    {
        return Control<QLabel>(dlg, CSkinEditorDlg::IDC_STATUS_MESSAGE)->text();
    }
};

} // namespace

Q_DECLARE_METATYPE(Save)

class tst_EditorReload : public QObject
{
    Q_OBJECT

private slots:
    void init() { SettingsSandbox::Clear(); }
    void eachSaveReloadsOnce_data();
    void eachSaveReloadsOnce();
    void unappliedBitmapAsksFirst_data();
    void unappliedBitmapAsksFirst();
    void vanishedFileIsNoLongerReloaded_data();
    void vanishedFileIsNoLongerReloaded();
    void unreadableFileKeepsTheImage();
    void applyTakesTheChosenFileAsItIsNow();

public slots:
    // Stands in for the desktop's image editor.
    void OpenUrl(const QUrl& /*url*/) {}

private:
    SettingsSandbox m_settings;
};

void tst_EditorReload::eachSaveReloadsOnce_data()
{
    QTest::addColumn<Save>("save");
    QTest::newRow("in place") << Save(WriteRed);
    QTest::newRow("new file renamed over")
        << Save([](const std::filesystem::path& path, std::uint8_t red) {
               WriteRed(path.string() + ".part", red);
               std::filesystem::rename(path.string() + ".part", path);
           });
    QTest::newRow("deleted and made again")
        << Save([](const std::filesystem::path& path, std::uint8_t red) {
               std::filesystem::remove(path);
               WriteRed(path, red);
           });
}

// Two saves, so the watch survives the first one's rename or recreation; undo steps back
// through both to the applied picture.
void tst_EditorReload::eachSaveReloadsOnce()
{
    QFETCH(Save, save);
    Fixture f;
    const CDib* const pApplied = f.dlg.GetSkin().GetMainImage();
    int nSteps = f.Steps();
    for (const std::uint8_t red : {20, 30}) {
        save(f.main, red);
        QTRY_COMPARE(f.MainRed(), int{red});
        QCOMPARE(f.Steps(), ++nSteps);
        QCOMPARE(f.dlg.GetCommand(CSkinEditorDlg::ID_EDIT_UNDO)->text(),
                 QStringLiteral("&Undo Reload Main Window Image"));
        QCOMPARE(f.ShownRed(), int{red});
        QCOMPARE(f.Status(), QStringLiteral("Reloaded main.bmp"));
    }
    Trigger(f.dlg, CSkinEditorDlg::ID_EDIT_UNDO);
    Trigger(f.dlg, CSkinEditorDlg::ID_EDIT_UNDO);
    QCOMPARE(f.dlg.GetSkin().GetMainImage(), pApplied);
    QCOMPARE(f.ShownRed(), 10);
    // Another component's status line starts afresh.
    ChooseComponent(f.dlg, COMPONENT_TITLE);
    QCOMPARE(f.Status(), QString());
}

void tst_EditorReload::unappliedBitmapAsksFirst_data()
{
    QTest::addColumn<bool>("bReload");
    QTest::newRow("Yes reloads and drops the unapplied file") << true;
    QTest::newRow("No keeps the unapplied file and the old image") << false;
}

void tst_EditorReload::unappliedBitmapAsksFirst()
{
    QFETCH(bool, bReload);
    Fixture f;
    const std::filesystem::path other = f.dir / "other.bmp";
    WriteRed(other, 77);
    f.prompts.QueueBitmapFileAnswer(other);
    Click(f.dlg, CSkinEditorDlg::IDC_BROWSE_BITMAP);
    QCOMPARE(f.ShownRed(), 77);

    f.prompts.QueueMessageAnswer(bReload ? PromptAnswer::Yes : PromptAnswer::No);
    WriteRed(f.main, 20);
    QTRY_VERIFY(f.prompts.AllAnswersUsed());
    QVERIFY(f.prompts.Calls().back().text.starts_with("The bitmap file \"" + f.main.string() +
                                                      "\" has changed on disk."));
    QCOMPARE(f.Steps(), bReload ? 2 : 1);
    QCOMPARE(f.MainRed(), bReload ? 20 : 10);
    QCOMPARE(f.ShownRed(), bReload ? 20 : 77);
    QCOMPARE(FieldText(f.dlg, CSkinEditorDlg::IDC_BITMAP_PATH),
             QString::fromStdString((bReload ? f.main : other).string()));
    QCOMPARE(f.dlg.IsComponentModified(), !bReload);
}

void tst_EditorReload::vanishedFileIsNoLongerReloaded_data()
{
    QTest::addColumn<int>("nTakeAgain");
    QTest::newRow("Apply takes it again") << int{CSkinEditorDlg::IDC_APPLY};
    QTest::newRow("Open In Bitmap Editor takes it again")
        << int{CSkinEditorDlg::ID_OPEN_IN_BITMAP_EDITOR};
}

// Once gone, the file is left alone even when it comes back, until it is taken again.
void tst_EditorReload::vanishedFileIsNoLongerReloaded()
{
    QFETCH(int, nTakeAgain);
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "OpenUrl");
    const auto unset =
        qScopeGuard([] { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); });
    Fixture f;
    ChooseComponent(f.dlg, COMPONENT_CLOSE_BUTTON);
    const std::filesystem::path close = f.dir / "close.bmp";
    WriteRed(close, 10);
    ApplyBitmap(f.dlg, f.prompts, close);
    ChooseComponent(f.dlg, COMPONENT_MAIN_WINDOW);

    std::filesystem::remove(f.main);
    QTRY_COMPARE(f.Status(), QStringLiteral("main.bmp deleted or moved; no longer watched"));
    WriteRed(f.main, 20);
    // The close image's save settles with the main file's return, which is not taken in.
    WriteRed(close, 30);
    QTRY_COMPARE(RedOf(f.dlg.GetSkin().GetCloseImage()), 30);
    QCOMPARE(f.MainRed(), 10);
    QCOMPARE(f.Steps(), 3);

    if (nTakeAgain == CSkinEditorDlg::IDC_APPLY) {
        Click(f.dlg, nTakeAgain);
    } else {
        Trigger(f.dlg, nTakeAgain);
    }
    QCOMPARE(f.MainRed(), 20);
    WriteRed(f.main, 40);
    QTRY_COMPARE(f.MainRed(), 40);
}

// A file caught half written says so and leaves the skin's image; the finished save reloads.
void tst_EditorReload::unreadableFileKeepsTheImage()
{
    Fixture f;
    std::vector<std::uint8_t> bytes = MakeSolidBmp(40, 30, 20, 0, 0);
    bytes.resize(bytes.size() / 2);
    WriteBytesTo(f.main, bytes);
    QTRY_VERIFY(f.Status().startsWith("main.bmp could not be read; the skin keeps its image."));
    QCOMPARE(f.MainRed(), 10);
    QCOMPARE(f.Steps(), 1);

    WriteRed(f.main, 20);
    QTRY_COMPARE(f.MainRed(), 20);
    QCOMPARE(f.Status(), QStringLiteral("Reloaded main.bmp"));
}

// A chosen file is shown as it was when chosen, but Apply stores what it holds by then.
void tst_EditorReload::applyTakesTheChosenFileAsItIsNow()
{
    Fixture f;
    const std::filesystem::path other = f.dir / "other.bmp";
    WriteRed(other, 50);
    f.prompts.QueueBitmapFileAnswer(other);
    Click(f.dlg, CSkinEditorDlg::IDC_BROWSE_BITMAP);
    WriteRed(other, 60);
    Click(f.dlg, CSkinEditorDlg::IDC_APPLY);
    QCOMPARE(f.MainRed(), 60);
}

QTEST_MAIN(tst_EditorReload)
#include "tst_editorreload.moc"
