// The editor among the desktop's files and screens: files dropped on it, Recent Files, the folder
// the file dialogs open in, and where the window reopens.
#include "editorfixture.h"
#include "recentfiles.h"
#include "windowplacement.h"

#include <QDragEnterEvent>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QUrl>

namespace {

enum class Target
{
    Window,
    ImageView,
    PathField,
};

// A drag of files of dir by name ("." the folder itself), or of addresses as given; text alone
// when there are none. File managers give the addresses as text too, which line edits paste.
std::unique_ptr<QMimeData> MimeOf(const QStringList& names, const TempDir& dir)
{
    auto pData = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& strName : names) {
        urls << (strName.contains(u':') ? QUrl(strName)
                                        : QUrl::fromLocalFile(QString::fromStdString(
                                              (dir.Path() / strName.toStdString()).string())));
    }
    pData->setUrls(urls);
    pData->setText(urls.isEmpty() ? QStringLiteral("leaf.skn") : urls.constFirst().toString());
    return pData;
}

// The widget that the window hands a drag over pWidget to: the nearest that takes drops.
QWidget* DropTarget(QWidget* pWidget)
{
    while (!pWidget->acceptDrops() && !pWidget->isWindow()) {
        pWidget = pWidget->parentWidget();
    }
    return pWidget;
}

// Drags data over pWidget and, when that is accepted, drops it; true when it was.
bool DragAndDrop(QWidget* pWidget, const QMimeData& data)
{
    QWidget* const pTarget = DropTarget(pWidget);
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(5, 5), actions, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(pTarget, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    // The file stays where it is.
    if (enter.dropAction() != Qt::CopyAction) {
        qWarning("drop action %d", int(enter.dropAction()));
        return false;
    }
    QDropEvent drop(QPointF(5, 5), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pTarget, &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted();
}

// A sample skin under another name.
std::filesystem::path CopyLeafAs(const TempDir& dir, const std::string& strName)
{
    const std::filesystem::path path = dir / strName;
    std::filesystem::copy_file(kSamplesDir / "leaf.skn", path);
    return path;
}

bool IsRecentMenuEnabled(const CSkinEditorDlg& dlg)
{
    for (const QMenu* pMenu : dlg.findChildren<QMenu*>()) {
        if (pMenu->title() == QStringLiteral("Recent &Files")) {
            return pMenu->menuAction()->isEnabled();
        }
    }
    qFatal("no Recent Files menu");
}

QStringList RecentMenuTexts(const CSkinEditorDlg& dlg)
{
    QStringList texts;
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        const QAction* const pAction = dlg.GetCommand(CSkinEditorDlg::ID_FILE_MRU_FILE1 + i);
        if (pAction->isVisible()) {
            texts << pAction->text();
        }
    }
    return texts;
}

} // namespace

class tst_EditorDesktop : public QObject
{
    Q_OBJECT

private slots:
    void init() { SettingsSandbox::Clear(); }

    void drop_data();
    void drop();
    void recentFiles();
    void missingRecentFile();
    void fileDialogsOpenInTheLastFolder();
    void restoredWindowRect_data();
    void restoredWindowRect();
    void windowReopensWhereItClosed();

private:
    SettingsSandbox m_settings;
};

void tst_EditorDesktop::drop_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<Target>("target");
    QTest::addColumn<int>("nComponent");
    QTest::addColumn<bool>("bModified"); // then the save-first question is answered No
    QTest::addColumn<bool>("bTaken");

    const QStringList skin{"leaf.skn"};
    const QStringList bmp{"main.bmp"};
    QTest::newRow("skin on the view") << skin << Target::ImageView << 0 << false << true;
    QTest::newRow("skin on the disabled path field")
        << skin << Target::PathField << int(COMPONENT_TITLE) << false << true;
    QTest::newRow("skin over changes") << skin << Target::Window << 0 << true << true;
    QTest::newRow("bmp on the view") << bmp << Target::ImageView << 0 << false << true;
    QTest::newRow("bmp on the path field")
        << bmp << Target::PathField << int(COMPONENT_CLOSE_BUTTON) << false << true;
    QTest::newRow("png by content")
        << QStringList{"picture.data"} << Target::Window << 0 << false << true;
    QTest::newRow("bmp, Title") << bmp << Target::ImageView << int(COMPONENT_TITLE) << false
                                << false;
    QTest::newRow("text") << QStringList() << Target::ImageView << 0 << false << false;
    const std::pair<const char*, QStringList> refused[] = {
        {"two files", {"main.bmp", "leaf.skn"}},
        {"folder", {"."}},
        {"remote", {"https://example.org/main.bmp"}},
        {"missing", {"gone.bmp"}},
        {"not an image", {"notes.txt"}},
    };
    for (const auto& [pszName, names] : refused) {
        for (const auto& [pszOn, target] : {std::pair{" on the window", Target::Window},
                                            std::pair{" on the view", Target::ImageView},
                                            std::pair{" on the path field", Target::PathField}}) {
            QTest::newRow((QByteArray(pszName) + pszOn).constData())
                << names << target << 0 << false << false;
        }
    }
}

void tst_EditorDesktop::drop()
{
    QFETCH(QStringList, names);
    QFETCH(Target, target);
    QFETCH(int, nComponent);
    QFETCH(bool, bModified);
    QFETCH(bool, bTaken);
    const TempDir dir;
    const std::filesystem::path skinPath = CopySample(dir, "leaf.skn");
    WriteBitmap(dir, "main.bmp", 40, 30);
    WriteBytesTo(dir / "notes.txt", {'n', 'o', 't', 'e', 's'});
    QVERIFY(QImage(8, 8, QImage::Format_RGB32)
                .save(QString::fromStdString((dir / "picture.data").string()), "PNG"));
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    ChooseComponent(dlg, nComponent);
    if (bModified) {
        MarkModified(dlg);
        prompts.QueueMessageAnswer(PromptAnswer::No);
    }
    QWidget* const pOver = target == Target::Window      ? static_cast<QWidget*>(&dlg)
                           : target == Target::ImageView ? Control<QWidget>(dlg, IDC_VIEW_FRAME)
                                                         : Edit(dlg, IDC_BITMAP_PATH);

    QCOMPARE(DragAndDrop(pOver, *MimeOf(names, dir)), bTaken);

    QVERIFY(prompts.AllAnswersUsed());
    const bool bSkin = bTaken && names == QStringList{"leaf.skn"};
    const bool bImage = bTaken && !bSkin;
    QCOMPARE(dlg.GetFilePath(), bSkin ? skinPath : std::filesystem::path());
    QCOMPARE(RecentFiles().size(), bSkin ? 1 : 0);
    QCOMPARE(dlg.IsComponentModified(), bImage);
    QCOMPARE(FieldText(dlg, IDC_BITMAP_PATH),
             bImage ? QString::fromStdString((dir.Path() / names[0].toStdString()).string())
                    : QString());
    if (bImage) {
        // Apply then takes it as it would a browsed file: a PNG becomes a bitmap, and the status
        // line says so.
        Click(dlg, IDC_APPLY);
        QVERIFY(!dlg.IsComponentModified());
        QVERIFY(prompts.AllAnswersUsed());
        const bool bBmp = names == QStringList{"main.bmp"};
        QCOMPARE(Control<QLabel>(dlg, IDC_STATUS_MESSAGE)->text(),
                 bBmp ? QString()
                      : QStringLiteral("picture.data was converted from PNG to a 24-bit bitmap"));
    }
}

void tst_EditorDesktop::recentFiles()
{
    const TempDir dir;
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    QVERIFY(!IsRecentMenuEnabled(dlg));

    for (int i = 1; i <= 10; ++i) {
        OpenThroughMenu(dlg, prompts, CopyLeafAs(dir, "skin" + std::to_string(i) + ".skn"));
    }
    QVERIFY(IsRecentMenuEnabled(dlg));
    QCOMPARE(RecentMenuTexts(dlg),
             QStringList({"&1 skin10.skn", "&2 skin9.skn", "&3 skin8.skn", "&4 skin7.skn",
                          "&5 skin6.skn", "&6 skin5.skn", "&7 skin4.skn", "&8 skin3.skn"}));
    QCOMPARE(dlg.GetCommand(CSkinEditorDlg::ID_FILE_MRU_FILE1 + 2)->toolTip(),
             QString::fromStdString((dir / "skin8.skn").string()));

    // Another path to a listed file moves it up under that path instead of listing it twice;
    // saving under a new name puts that name first.
    std::filesystem::create_symlink(dir / "skin5.skn", dir / "link.skn");
    prompts.QueueSkinFileAnswer(dir / "link.skn");
    Trigger(dlg, CSkinEditorDlg::ID_FILE_OPEN);
    prompts.QueueSkinFileAnswer(dir / "copy & paste.skn");
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE_AS);
    QCOMPARE(RecentMenuTexts(dlg),
             QStringList({"&1 copy && paste.skn", "&2 link.skn", "&3 skin10.skn", "&4 skin9.skn",
                          "&5 skin8.skn", "&6 skin7.skn", "&7 skin6.skn", "&8 skin4.skn"}));

    // An entry opens its file, asking about unsaved changes first.
    MarkModified(dlg);
    prompts.QueueMessageAnswer(PromptAnswer::Cancel);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_MRU_FILE1 + 3);
    QCOMPARE(dlg.GetFilePath(), dir / "copy & paste.skn");
    prompts.QueueMessageAnswer(PromptAnswer::No);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_MRU_FILE1 + 3);
    QCOMPARE(dlg.GetFilePath(), dir / "skin9.skn");
    QCOMPARE(RecentMenuTexts(dlg).constFirst(), QStringLiteral("&1 skin9.skn"));

    // The list outlives the window, and Clear Menu empties it.
    CSkinEditorDlg next;
    QCOMPARE(RecentMenuTexts(next), RecentMenuTexts(dlg));
    Trigger(next, CSkinEditorDlg::ID_FILE_MRU_CLEAR);
    QVERIFY(RecentMenuTexts(next).isEmpty());
    QVERIFY(!IsRecentMenuEnabled(next));
    QVERIFY(RecentFiles().isEmpty());
    QVERIFY(prompts.AllAnswersUsed());
}

void tst_EditorDesktop::missingRecentFile()
{
    const TempDir dir;
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    const std::filesystem::path kept = CopyLeafAs(dir, "kept.skn");
    const std::filesystem::path gone = CopyLeafAs(dir, "gone.skn");
    QVERIFY(dlg.OpenSkinFile(kept));
    QVERIFY(dlg.OpenSkinFile(gone));
    OpenThroughMenu(dlg, prompts, kept);
    std::filesystem::remove(gone);
    MarkModified(dlg);

    prompts.QueueMessageAnswer(PromptAnswer::Ok);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_MRU_FILE1 + 1);
    QCOMPARE(prompts.Calls().back().text,
             "The file \"" + gone.string() +
                 "\" no longer exists. It has been removed from the Recent Files list.");
    QCOMPARE(RecentMenuTexts(dlg), QStringList{"&1 kept.skn"});
    QCOMPARE(dlg.GetFilePath(), kept);
    QVERIFY(dlg.IsModified());
    QVERIFY(prompts.AllAnswersUsed());
}

void tst_EditorDesktop::fileDialogsOpenInTheLastFolder()
{
    const TempDir dir;
    const TempDir bitmaps;
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    const auto lastFolder = [&prompts] { return prompts.Calls().back().folder; };

    prompts.QueueSkinFileAnswer(std::nullopt);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_OPEN);
    QCOMPARE(lastFolder(), std::filesystem::path(QDir::homePath().toStdString()));

    // The skin's folder, then the bitmap's, for every dialog.
    QVERIFY(dlg.OpenSkinFile(CopySample(dir, "leaf.skn")));
    prompts.QueueBitmapFileAnswer(WriteBitmap(bitmaps, "main.bmp", 4, 4));
    Click(dlg, IDC_BROWSE_BITMAP);
    QCOMPARE(lastFolder(), dir.Path());
    prompts.QueueMessageAnswer(PromptAnswer::No);
    prompts.QueueSkinFileAnswer(std::nullopt);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE_AS);
    QCOMPARE(lastFolder(), bitmaps.Path());

    // A folder removed since: the skin's own.
    std::filesystem::remove_all(bitmaps.Path());
    prompts.QueueMessageAnswer(PromptAnswer::No);
    prompts.QueueSkinFileAnswer(std::nullopt);
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE_AS);
    QCOMPARE(lastFolder(), dir.Path());
    QVERIFY(prompts.AllAnswersUsed());
}

void tst_EditorDesktop::restoredWindowRect_data()
{
    QTest::addColumn<QRect>("rcSaved");
    QTest::addColumn<QRect>("rcRestored");
    // The screens of restoredWindowRect: a primary one and, right of it, a lower, taller one.
    QTest::newRow("on the primary") << QRect(100, 50, 400, 300) << QRect(100, 50, 400, 300);
    QTest::newRow("on the second") << QRect(1200, 500, 400, 300) << QRect(1200, 500, 400, 300);
    QTest::newRow("over both, title on one")
        << QRect(700, 20, 400, 300) << QRect(700, 20, 400, 300);
    QTest::newRow("mostly off to the left")
        << QRect(-350, 50, 400, 300) << QRect(-350, 50, 400, 300);
    QTest::newRow("larger than the screens, title shown")
        << QRect(10, 10, 3000, 2000) << QRect(10, 10, 3000, 2000);
    QTest::newRow("screen removed") << QRect(2000, 100, 400, 300) << QRect(200, 135, 400, 300);
    QTest::newRow("title above the screens")
        << QRect(100, -40, 400, 300) << QRect(200, 135, 400, 300);
    QTest::newRow("title below the bottom")
        << QRect(100, 565, 400, 300) << QRect(200, 135, 400, 300);
    QTest::newRow("only a sliver at the left")
        << QRect(-380, 50, 400, 300) << QRect(200, 135, 400, 300);
    QTest::newRow("title in the gap above the second screen")
        << QRect(1000, 20, 400, 300) << QRect(200, 135, 400, 300);
    QTest::newRow("off and too large") << QRect(-5000, -5000, 3000, 2000) << QRect(0, 0, 800, 570);
}

void tst_EditorDesktop::restoredWindowRect()
{
    QFETCH(QRect, rcSaved);
    QFETCH(QRect, rcRestored);
    const QList<QRect> screens{QRect(0, 0, 800, 570), QRect(800, 100, 1024, 768)};
    QCOMPARE(RestoredWindowRect(rcSaved, screens, screens.constFirst()), rcRestored);
}

void tst_EditorDesktop::windowReopensWhereItClosed()
{
    CScriptedPrompts prompts;
    const QRect rcScreen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect rcPlaced(rcScreen.topLeft() + QPoint(30, 40), QSize(700, 500));
    {
        CSkinEditorDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.setGeometry(rcPlaced);
        Trigger(dlg, CSkinEditorDlg::ID_FILE_EXIT);
    }
    {
        CSkinEditorDlg dlg;
        QCOMPARE(dlg.geometry(), rcPlaced);
        dlg.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        Trigger(dlg, CSkinEditorDlg::ID_FILE_EXIT);
    }
    {
        // Maximised again, and back to the same place when restored.
        CSkinEditorDlg dlg;
        QVERIFY(dlg.windowState().testFlag(Qt::WindowMaximized));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.normalGeometry(), rcPlaced);
    }
    // Saved on a screen no longer there.
    SettingsSandbox::Store(QStringLiteral("WindowLeft"), rcScreen.right() + 500);
    SettingsSandbox::Store(QStringLiteral("WindowMaximized"), 0);
    const CSkinEditorDlg dlg;
    QCOMPARE(dlg.size(), rcPlaced.size());
    QCOMPARE(dlg.geometry().center(), rcScreen.center());
}

QTEST_MAIN(tst_EditorDesktop)
#include "tst_editordesktop.moc"
