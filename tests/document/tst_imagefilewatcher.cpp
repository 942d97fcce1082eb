// The bitmap files of a skin's images watched on disk, saved the ways image editors save.
#include "bitmaps.h"
#include "files.h"
#include "imagefilewatcher.h"
#include "skindocument.h"

#include <QSignalSpy>
#include <QTest>

#include <fstream>
#include <functional>

namespace {

void WriteBmp(const std::filesystem::path& path, std::uint8_t red)
{
    const std::vector<std::uint8_t> bytes = MakeSolidBmp(4, 3, red, 0, 0);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

using Save = std::function<void(const std::filesystem::path&, std::uint8_t)>;

} // namespace

class TestImageFileWatcher : public QObject
{
    Q_OBJECT

private slots:
    void eachSaveIsReportedOnce_data();
    void eachSaveIsReportedOnce();
    void aVanishedFileIsReportedOnceAndNoLongerWatched();
    void aReloadIsOneUndoableStep();

private:
    TempDir m_dir;
};

Q_DECLARE_METATYPE(Save)

void TestImageFileWatcher::eachSaveIsReportedOnce_data()
{
    QTest::addColumn<Save>("save");
    QTest::newRow("in place") << Save(WriteBmp);
    QTest::newRow("new file renamed over")
        << Save([](const std::filesystem::path& path, std::uint8_t red) {
               WriteBmp(path.string() + ".part", red);
               std::filesystem::rename(path.string() + ".part", path);
           });
    QTest::newRow("deleted and made again")
        << Save([](const std::filesystem::path& path, std::uint8_t red) {
               std::filesystem::remove(path);
               WriteBmp(path, red);
           });
}

void TestImageFileWatcher::eachSaveIsReportedOnce()
{
    QFETCH(Save, save);
    const std::filesystem::path path = m_dir / (std::string(QTest::currentDataTag()) + ".bmp");
    WriteBmp(path, 10);
    CSkinDocument document;
    CImageFileWatcher watcher(document);
    document.ApplyComponent(COMPONENT_CLOSE_BUTTON,
                            {std::nullopt, DibFromBytes(MakeSolidBmp(4, 3, 10, 0, 0)), path});
    QCOMPARE(watcher.GetWatchedPath(SKINPART_CLOSE_IMAGE), QString::fromStdString(path.string()));
    QSignalSpy changed(&watcher, &CImageFileWatcher::imageFileChanged);

    // Another file in the same folder is not the image's.
    WriteBmp(m_dir / "unrelated.bmp", 1);
    // Two saves, so the watch survives the first one's rename or recreation.
    int nSaves = 0;
    for (const std::uint8_t red : {20, 30}) {
        save(path, red);
        ++nSaves;
        QTRY_COMPARE(changed.count(), nSaves);
        QTest::qWait(3 * CImageFileWatcher::kQuietMs);
        QCOMPARE(changed.count(), nSaves);
        QCOMPARE(changed.constLast().at(0).toInt(), int{SKINPART_CLOSE_IMAGE});
    }
}

void TestImageFileWatcher::aVanishedFileIsReportedOnceAndNoLongerWatched()
{
    const std::filesystem::path path = m_dir / "vanishing.bmp";
    WriteBmp(path, 10);
    CSkinDocument document;
    CImageFileWatcher watcher(document);
    document.ApplyComponent(COMPONENT_MAIN_WINDOW,
                            {std::nullopt, DibFromBytes(MakeSolidBmp(4, 3, 10, 0, 0)), path});
    QSignalSpy vanished(&watcher, &CImageFileWatcher::imageFileVanished);
    QSignalSpy changed(&watcher, &CImageFileWatcher::imageFileChanged);

    std::filesystem::remove(path);
    QTRY_COMPARE(vanished.count(), 1);
    QCOMPARE(watcher.GetWatchedPath(SKINPART_MAIN_IMAGE), QString());
    WriteBmp(path, 20);
    QTest::qWait(3 * CImageFileWatcher::kQuietMs);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(vanished.count(), 1);

    // Taking the image from it again watches it again.
    watcher.Acknowledge(SKINPART_MAIN_IMAGE);
    WriteBmp(path, 30);
    QTRY_COMPARE(changed.count(), 1);
}

void TestImageFileWatcher::aReloadIsOneUndoableStep()
{
    CSkinDocument document;
    document.ApplyComponent(COMPONENT_MAIN_WINDOW,
                            {std::nullopt, DibFromBytes(MakeSolidBmp(4, 3, 10, 0, 0)), {}});
    const CDib* const pOld = document.GetSkin().GetMainImage();
    document.ReloadImage(SKINPART_MAIN_IMAGE, DibFromBytes(MakeSolidBmp(4, 3, 10, 0, 0)));
    QCOMPARE(document.UndoStack().count(), 1); // the same picture is no step
    document.ReloadImage(SKINPART_MAIN_IMAGE, DibFromBytes(MakeSolidBmp(4, 3, 99, 0, 0)));
    QCOMPARE(document.UndoStack().undoText(), QStringLiteral("Reload Main Window Image"));
    QVERIFY(document.GetSkin().GetMainImage() != pOld);
    document.UndoStack().undo();
    QCOMPARE(document.GetSkin().GetMainImage(), pOld);
}

QTEST_GUILESS_MAIN(TestImageFileWatcher)
#include "tst_imagefilewatcher.moc"
