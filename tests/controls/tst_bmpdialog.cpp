#include "bitmaps.h"
#include "bmpdialog.h"
#include "bmppreview.h"
#include "bmppreviewloader.h"
#include "files.h"
#include "syscolors.h"

#include <QBuffer>
#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

QString Suite(const char* szName)
{
    return QStringLiteral(TAVELO_BMPSUITE_DIR "/g/") + QString::fromLatin1(szName);
}

QString PathOf(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

} // namespace

class tst_BmpDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void scaledToFit_data();
    void scaledToFit();
    void previewBoxDrawsTheFittedPicture();
    void factLines_data();
    void factLines();
    void sizeLine_data();
    void sizeLine();
    void notABitmapSaysSo_data();
    void notABitmapSaysSo();
    void otherFormatsShowAsTheyWillBeStored();
    void showPreviewSwitch();
    void previewOffLoadsNothing();
    void onlyTheCurrentSelectionIsShown();
    void filesSteppedPastAreNotDecoded();
    void okReleasesThePreview();
    void fixedFilters();

private:
    QLabel* Line(int nID) const { return m_dialog->findChild<QLabel*>(QString::number(nID)); }
    QStringList Lines() const
    {
        return {Line(CBmpDialog::IDC_WIDTH)->text(), Line(CBmpDialog::IDC_HEIGHT)->text(),
                Line(CBmpDialog::IDC_COLOURS)->text(), Line(CBmpDialog::IDC_SIZE)->text()};
    }
    CBmpPreviewBox* Box() const
    {
        return m_dialog->findChild<CBmpPreviewBox*>(QString::number(CBmpDialog::IDC_PREVIEW));
    }
    QCheckBox* ShowPreview() const
    {
        return m_dialog->findChild<QCheckBox*>(QString::number(CBmpDialog::IDC_SHOW_PREVIEW));
    }
    void Select(const QString& strPath)
    {
        emit m_dialog->currentChanged(strPath);
        m_dialog->WaitForPreview();
    }

    std::unique_ptr<CBmpDialog> m_dialog;
};

void tst_BmpDialog::init()
{
    m_dialog = std::make_unique<CBmpDialog>();
    m_dialog->show();
}

void tst_BmpDialog::cleanup()
{
    // Leave the run-wide switch as every run starts.
    if (!ShowPreview()->isChecked()) {
        ShowPreview()->click();
    }
    m_dialog.reset();
}

void tst_BmpDialog::scaledToFit_data()
{
    QTest::addColumn<QRect>("box");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("expected");
    const QRect box(0, 0, 100, 100);
    QTest::newRow("wide") << box << QSize(200, 100) << QRect(0, 25, 100, 50);
    QTest::newRow("tall") << box << QSize(100, 200) << QRect(25, 0, 50, 100);
    QTest::newRow("square fills the height")
        << QRect(0, 0, 120, 80) << QSize(10, 10) << QRect(20, 0, 80, 80);
    QTest::newRow("small is enlarged") << box << QSize(4, 2) << QRect(0, 25, 100, 50);
    QTest::newRow("offset box") << QRect(2, 2, 100, 100) << QSize(200, 100)
                                << QRect(2, 27, 100, 50);
    // 64/127*131 = 66.01 truncates to 66; (123-66)/2 = 28 truncates.
    QTest::newRow("truncating") << QRect(0, 0, 131, 123) << QSize(127, 64) << QRect(0, 28, 131, 66);
    QTest::newRow("empty picture") << box << QSize(0, 10) << QRect();
}

void tst_BmpDialog::scaledToFit()
{
    QFETCH(QRect, box);
    QFETCH(QSize, size);
    QFETCH(QRect, expected);
    QCOMPARE(ScaledToFit(box, size), expected);
}

void tst_BmpDialog::previewBoxDrawsTheFittedPicture()
{
    CBmpPreviewBox box;
    box.resize(104, 104);
    QCOMPARE(box.ItemRect(), QRect(2, 2, 100, 100));
    QImage red(200, 100, QImage::Format_RGB32);
    red.fill(Qt::red);
    box.SetBitmap(red);
    const QImage image = box.grab().toImage();
    QCOMPARE(image.pixelColor(52, 2 + 25), QColor(Qt::red));
    QCOMPARE(image.pixelColor(52, 2 + 74), QColor(Qt::red));
    QCOMPARE(image.pixelColor(52, 2 + 24), SysColor(COLOR_BTNFACE));
    QCOMPARE(image.pixelColor(52, 2 + 75), SysColor(COLOR_BTNFACE));
    box.SetBitmap(QImage());
    QCOMPARE(box.grab().toImage().pixelColor(52, 52), SysColor(COLOR_BTNFACE));
}

void tst_BmpDialog::factLines_data()
{
    QTest::addColumn<QString>("strPath");
    QTest::addColumn<QString>("strColours");
    QTest::newRow("1 bit") << Suite("pal1.bmp") << "Colors: 2 (monocromatic)";
    QTest::newRow("4 bits") << Suite("pal4.bmp") << "Colors: 16";
    QTest::newRow("8 bits") << Suite("pal8.bmp") << "Colors: 256";
    QTest::newRow("16 bits") << Suite("rgb16.bmp") << "Colors: 65,536";
    QTest::newRow("24 bits") << Suite("rgb24.bmp") << "Colors: 16 millions";
    QTest::newRow("32 bits") << Suite("rgb32.bmp") << "";
    QTest::newRow("old core header") << Suite("pal8os2.bmp") << "Colors: 256";
}

void tst_BmpDialog::factLines()
{
    QFETCH(QString, strPath);
    QFETCH(QString, strColours);
    QVERIFY(QFileInfo::exists(strPath));
    Select(strPath);
    const QString strSize = QStringLiteral("Size: %1 Kb").arg(QFileInfo(strPath).size() / 1024);
    QCOMPARE(Lines(), (QStringList{"Width: 127 pixels", "Height: 64 pixels", strColours, strSize}));
    QCOMPARE(Box()->Bitmap().size(), QSize(127, 64));
}

void tst_BmpDialog::sizeLine_data()
{
    QTest::addColumn<int>("nBytes");
    QTest::addColumn<QString>("strLine");
    QTest::newRow("1023 bytes") << 1023 << "Size: 0 Kb";
    QTest::newRow("2048 bytes") << 2048 << "Size: 2 Kb";
}

void tst_BmpDialog::sizeLine()
{
    QFETCH(int, nBytes);
    QFETCH(QString, strLine);
    const TempDir dir;
    std::vector<std::uint8_t> bytes = MakeSolidBmp(4, 4, 10, 20, 30);
    bytes.resize(static_cast<std::size_t>(nBytes)); // padding after the pixels
    WriteBytesTo(dir / "padded.bmp", bytes);
    Select(PathOf(dir / "padded.bmp"));
    QCOMPARE(Line(CBmpDialog::IDC_SIZE)->text(), strLine);
    QCOMPARE(Line(CBmpDialog::IDC_WIDTH)->text(), QStringLiteral("Width: 4 pixels"));
}

void tst_BmpDialog::notABitmapSaysSo_data()
{
    QTest::addColumn<QString>("strName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("strNote");
    const QString strNotBmp = QStringLiteral("Not a BMP file");
    const QString strUnreadable = QStringLiteral("This bitmap cannot be read");
    QTest::newRow("folder") << "" << QByteArray() << "";
    QTest::newRow("text file") << "notes.bmp" << QByteArray("not a bitmap at all, just words")
                               << strNotBmp;
    QTest::newRow("empty file") << "empty.bmp" << QByteArray() << strNotBmp;
    QByteArray png;
    QBuffer buffer(&png);
    QImage(4, 4, QImage::Format_RGB32).save(&buffer, "PNG");
    QTest::newRow("PNG cut short")
        << "picture.png" << png.left(png.size() / 2) << "This PNG image\ncannot be read";
    QTest::newRow("header only") << "short.bmp" << QByteArray("BM\x36\0\0\0\0\0\0\0\x36\0\0\0", 14)
                                 << strUnreadable;
    // Claims 60000 x 60000 pixels in a 70-byte file.
    const std::vector<std::uint8_t> solid = MakeSolidBmp(1, 1, 1, 2, 3);
    QByteArray huge(reinterpret_cast<const char*>(solid.data()),
                    static_cast<qsizetype>(solid.size()));
    for (const int nOffset : {18, 22}) {
        huge[nOffset] = char(0x60);
        huge[nOffset + 1] = char(0xEA);
    }
    QTest::newRow("huge claimed size")
        << "huge.bmp" << huge << "This bitmap is too large\n(60000 x 60000 pixels)";
}

void tst_BmpDialog::notABitmapSaysSo()
{
    QFETCH(QString, strName);
    QFETCH(QByteArray, content);
    QFETCH(QString, strNote);
    Select(Suite("pal8.bmp"));
    const TempDir dir;
    QString strPath = PathOf(dir.Path());
    if (!strName.isEmpty()) {
        strPath = PathOf(dir / strName.toStdString());
        WriteBytesTo(dir / strName.toStdString(),
                     std::vector<std::uint8_t>(content.begin(), content.end()));
    }
    Select(strPath);
    QCOMPARE(Lines(), (QStringList{"", "", "", ""}));
    QVERIFY(Box()->Bitmap().isNull());
    QCOMPARE(Box()->Note(), strNote);
}

void tst_BmpDialog::otherFormatsShowAsTheyWillBeStored()
{
    constexpr COLORREF crKey = RGB(255, 0, 255);
    m_dialog->SetTransparentColour(crKey);
    QImage picture(6, 4, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 255));
    picture.setPixel(0, 0, qRgba(200, 100, 50, 127)); // below half: a hole
    picture.setPixel(1, 0, qRgba(200, 100, 50, 128));
    const TempDir dir;
    const QString strPath = PathOf(dir / "picture.png");
    QVERIFY(picture.save(strPath));
    Select(strPath);
    const QImage shown = Box()->Bitmap();
    QCOMPARE(shown.size(), QSize(6, 4));
    QCOMPARE(shown.pixel(0, 0), qRgb(255, 0, 255));
    QCOMPARE(shown.pixel(1, 0), qRgb(200, 100, 50));
    QCOMPARE(shown.pixel(5, 3), qRgb(10, 20, 30));
    QCOMPARE(Lines()[2], QStringLiteral("Colors: 16 millions"));
    QCOMPARE(Line(CBmpDialog::IDC_CONVERSION)->text(),
             QStringLiteral("PNG: will become a 24-bit BMP"));
    Select(Suite("pal8.bmp"));
    QCOMPARE(Line(CBmpDialog::IDC_CONVERSION)->text(), QString());
}

void tst_BmpDialog::showPreviewSwitch()
{
    QVERIFY(ShowPreview()->isChecked());
    Select(Suite("pal4.bmp"));
    ShowPreview()->click();
    QCOMPARE(Lines(), (QStringList{"", "", "", ""}));
    QVERIFY(Box()->Bitmap().isNull());

    // The choice holds at the next opening in this run.
    m_dialog = std::make_unique<CBmpDialog>();
    m_dialog->show();
    QVERIFY(!ShowPreview()->isChecked());
    Select(Suite("rgb24.bmp"));
    QVERIFY(Box()->Bitmap().isNull());

    // Checking it again shows the current selection at once.
    ShowPreview()->click();
    m_dialog->WaitForPreview();
    QCOMPARE(Line(CBmpDialog::IDC_COLOURS)->text(), QStringLiteral("Colors: 16 millions"));
    QVERIFY(!Box()->Bitmap().isNull());
}

void tst_BmpDialog::previewOffLoadsNothing()
{
    Select(Suite("pal1.bmp"));
    ShowPreview()->click();
    Select(Suite("pal8.bmp"));
    QVERIFY(Box()->Bitmap().isNull());
    QCOMPARE(Lines(), (QStringList{"", "", "", ""}));
}

void tst_BmpDialog::onlyTheCurrentSelectionIsShown()
{
    emit m_dialog->currentChanged(Suite("pal1.bmp"));
    // The facts of the previous selection never stay up while the next one loads.
    QCOMPARE(Lines(), (QStringList{"", "", "", ""}));
    emit m_dialog->currentChanged(Suite("rgb16.bmp"));
    m_dialog->WaitForPreview();
    QCoreApplication::processEvents();
    QCOMPARE(Line(CBmpDialog::IDC_COLOURS)->text(), QStringLiteral("Colors: 65,536"));
}

void tst_BmpDialog::filesSteppedPastAreNotDecoded()
{
    const TempDir dir;
    QStringList paths;
    for (int i = 0; i < 6; ++i) {
        const std::string strName = "large" + std::to_string(i) + ".bmp";
        WriteBytesTo(dir / strName,
                     MakeSolidBmp(1000, 1000, static_cast<std::uint8_t>(40 * i), 0, 0));
        paths << PathOf(dir / strName);
    }
    auto* const pLoader = m_dialog->findChild<CBmpPreviewLoader*>();
    QVERIFY(pLoader != nullptr);
    QSignalSpy started(pLoader, &CBmpPreviewLoader::loadStarted);
    // Keys faster than any decode: the first file is being read when the next key comes.
    for (const QString& strPath : paths) {
        emit m_dialog->currentChanged(strPath);
    }
    m_dialog->WaitForPreview();
    QCOMPARE(started.count(), 2);
    QCOMPARE(started.at(1).at(0).toString(), paths.back());
    QCOMPARE(Box()->Bitmap().pixelColor(0, 0), QColor(200, 0, 0));
    QCOMPARE(Line(CBmpDialog::IDC_WIDTH)->text(), QStringLiteral("Width: 1000 pixels"));
}

void tst_BmpDialog::okReleasesThePreview()
{
    Select(Suite("pal8.bmp"));
    QVERIFY(!Box()->Bitmap().isNull());
    m_dialog->accept();
    QVERIFY(Box()->Bitmap().isNull());
}

void tst_BmpDialog::fixedFilters()
{
    const QStringList filters = m_dialog->nameFilters();
    QCOMPARE(filters.size(), 3);
    QVERIFY(filters[0].startsWith("Images (*.bmp *.png *.gif *.jpg *.jpeg"));
    QCOMPARE(filters.mid(1), (QStringList{"Bitmaps (*.bmp)", "All Files (*)"}));
    QVERIFY(m_dialog->testOption(QFileDialog::DontUseNativeDialog));
    QCOMPARE(m_dialog->fileMode(), QFileDialog::ExistingFile);
}

QTEST_MAIN(tst_BmpDialog)
#include "tst_bmpdialog.moc"
