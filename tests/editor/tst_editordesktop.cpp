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

enum class Drag
{
    Skin,
    Bmp,
    Png,
    Text,
    TwoFiles,
    Folder,
    Remote,
    Missing,
};

enum class Target
{
    Window,
    ImageView,
    PathField,
};

std::unique_ptr<QMimeData> MimeOf(Drag drag, const TempDir& dir)
{
    auto pData = std::make_unique<QMimeData>();
    const auto local = [&dir](const std::string& strName) {
        return QUrl::fromLocalFile(QString::fromStdString((dir / strName).string()));
    };
    switch (drag) {
    case Drag::Skin:
        pData->setUrls({local("leaf.skn")});
        break;
    case Drag::Bmp:
        pData->setUrls({local("main.bmp")});
        break;
    case Drag::Png:
        pData->setUrls({local("picture.data")});
        break;
    case Drag::Text:
        pData->setText(QStringLiteral("leaf.skn"));
        break;
    case Drag::TwoFiles:
        pData->setUrls({local("main.bmp"), local("leaf.skn")});
        break;
    case Drag::Folder:
        pData->setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.Path().string()))});
        break;
    case Drag::Remote:
        pData->setUrls({QUrl(QStringLiteral("https://example.org/main.bmp"))});
        break;
    case Drag::Missing:
        pData->setUrls({local("gone.bmp")});
        break;
    }
    // As file managers give them: the addresses as text too, which line edits would paste.
    if (pData->hasUrls()) {
        pData->setText(pData->urls().constFirst().toString());
    }
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
    QTest::addColumn<Drag>("drag");
    QTest::addColumn<Target>("target");
    QTest::addColumn<int>("nComponent");
    QTest::addColumn<bool>("bModified");
    QTest::addColumn<bool>("bTaken");

    QTest::newRow("skin on the view") << Drag::Skin << Target::ImageView << 0 << false << true;
    QTest::newRow("skin on the path field, Title")
        << Drag::Skin << Target::PathField << int(COMPONENT_TITLE) << false << true;
    QTest::newRow("skin over unsaved changes, save first: No")
        << Drag::Skin << Target::Window << 0 << true << true;
    QTest::newRow("bmp on the view") << Drag::Bmp << Target::ImageView << 0 << false << true;
    QTest::newRow("bmp on the path field")
        << Drag::Bmp << Target::PathField << int(COMPONENT_CLOSE_BUTTON) << false << true;
    QTest::newRow("png named oddly") << Drag::Png << Target::Window << 0 << false << true;
    QTest::newRow("bmp, Title") << Drag::Bmp << Target::ImageView << int(COMPONENT_TITLE) << false
                                << false;
    for (Target target : {Target::Window, Target::ImageView, Target::PathField}) {
        const QByteArray on = target == Target::Window      ? " on the window"
                              : target == Target::ImageView ? " on the view"
                                                            : " on the path field";
        QTest::newRow("two files" + on) << Drag::TwoFiles << target << 0 << false << false;
        QTest::newRow("folder" + on) << Drag::Folder << target << 0 << false << false;
        QTest::newRow("remote" + on) << Drag::Remote << target << 0 << false << false;
        QTest::newRow("missing" + on) << Drag::Missing << target << 0 << false << false;
    }
    QTest::newRow("text on the view") << Drag::Text << Target::ImageView << 0 << false << false;
}

void tst_EditorDesktop::drop()
{
    QFETCH(Drag, drag);
    QFETCH(Target, target);
    QFETCH(int, nComponent);
    QFETCH(bool, bModified);
    QFETCH(bool, bTaken);
    const TempDir dir;
    const std::filesystem::path skinPath = CopySample(dir, "leaf.skn");
    const std::filesystem::path bmpPath = WriteBitmap(dir, "main.bmp", 40, 30);
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
    const QString strPathBefore = FieldText(dlg, IDC_BITMAP_PATH);

    const std::unique_ptr<QMimeData> pData = MimeOf(drag, dir);
    QCOMPARE(DragAndDrop(pOver, *pData), bTaken);

    QVERIFY(prompts.AllAnswersUsed());
    const bool bSkin = bTaken && drag == Drag::Skin;
    const bool bImage = bTaken && !bSkin;
    QCOMPARE(dlg.GetFilePath(), bSkin ? skinPath : std::filesystem::path());
    QCOMPARE(RecentFiles().size(), bSkin ? 1 : 0);
    QCOMPARE(dlg.IsComponentModified(), bImage);
    QCOMPARE(FieldText(dlg, IDC_BITMAP_PATH),
             bImage ? QString::fromStdString(
                          (drag == Drag::Png ? dir / "picture.data" : bmpPath).string())
             : bSkin ? FieldText(dlg, IDC_BITMAP_PATH)
                     : strPathBefore);
    if (bImage) {
        QVERIFY(prompts.Calls().empty());
        // Applying it says what Browse's file would: a non-BMP image is refused there.
        if (drag == Drag::Png) {
            prompts.QueueMessageAnswer(PromptAnswer::Ok);
        }
        Click(dlg, IDC_APPLY);
        QCOMPARE(dlg.IsComponentModified(), drag == Drag::Png);
        QVERIFY(prompts.AllAnswersUsed());
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

    // Another spelling of a listed file moves it up instead of listing it twice; saving under a
    // new name puts that name first.
    prompts.QueueSkinFileAnswer(dir.Path() / "." / "skin5.skn");
    Trigger(dlg, CSkinEditorDlg::ID_FILE_OPEN);
    prompts.QueueSkinFileAnswer(dir / "copy & paste.skn");
    Trigger(dlg, CSkinEditorDlg::ID_FILE_SAVE_AS);
    QCOMPARE(RecentMenuTexts(dlg).mid(0, 4), QStringList({"&1 copy && paste.skn", "&2 skin5.skn",
                                                          "&3 skin10.skn", "&4 skin9.skn"}));
    QCOMPARE(RecentFiles().size(), kMaxRecentFiles);

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
        const CSkinEditorDlg dlg;
        QCOMPARE(dlg.geometry(), rcPlaced);
    }
    // Saved on a screen no longer there.
    SettingsSandbox::Store(QStringLiteral("WindowLeft"), rcScreen.right() + 500);
    const CSkinEditorDlg dlg;
    QCOMPARE(dlg.size(), rcPlaced.size());
    QCOMPARE(dlg.geometry().center(), rcScreen.center());
}

QTEST_MAIN(tst_EditorDesktop)
#include "tst_editordesktop.moc"
