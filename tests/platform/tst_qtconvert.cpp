#include "bitmaps.h"
#include "dibimage.h"
#include "fontex.h"
#include "qtconvert.h"
#include "syscolors.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QTest>

#include <climits>

class tst_QtConvert : public QObject
{
    Q_OBJECT

private slots:
    void colours();
    void rects_data();
    void rects();
    void text();
    void paths();
    void fontFromLogFont();
    void fontCellHeight();
    void extremeFontHeights_data();
    void extremeFontHeights();
    void logFontKeepsWhatTheDialogDoesNotEdit();
    void createDDB();
    void systemColoursFollowThePalette();
};

void tst_QtConvert::colours()
{
    const QColor colour = toQColor(0x00332211);
    QCOMPARE(colour, QColor(0x11, 0x22, 0x33));
    QCOMPARE(toColorRef(colour), COLORREF{0x00332211});
    QCOMPARE(toColorRef(QColor(1, 2, 3, 4)), RGB(1, 2, 3));
}

void tst_QtConvert::rects_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("plain") << 10 << 20 << 110 << 50 << QRect(10, 20, 100, 30);
    QTest::newRow("empty") << 5 << 5 << 5 << 5 << QRect(5, 5, 0, 0);
    QTest::newRow("inverted") << 50 << 40 << 10 << 20 << QRect(50, 40, -40, -20);
    // Anything a file holds; Qt's arithmetic overflows beyond its widget limit of 2^24 - 1.
    constexpr int kFar = (1 << 24) - 1;
    QTest::newRow("widest") << INT_MIN << INT_MIN << INT_MAX << INT_MAX
                            << QRect(-kFar, -kFar, 2 * kFar, 2 * kFar);
    QTest::newRow("inverted widest")
        << INT_MAX << 0 << INT_MIN << 5 << QRect(kFar, 0, -2 * kFar, 5);
}

void tst_QtConvert::rects()
{
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, right);
    QFETCH(int, bottom);
    QFETCH(QRect, expected);
    const RECT rc{left, top, right, bottom};
    QCOMPARE(toQRect(rc), expected);
    const bool bClamped = qMax(qAbs(qint64{left}), qAbs(qint64{right})) >= 1 << 24;
    QCOMPARE(toRect(toQRect(rc)) == rc, !bClamped);
}

void tst_QtConvert::text()
{
    QCOMPARE(toQString("Caf\xE9 \x80"), QString::fromUtf8("Caf\u00E9 \u20AC"));
    QCOMPARE(toCp1252(QString::fromUtf8("Caf\u00E9 \u20AC \u4E2D")), std::string("Caf\xE9 \x80 ?"));
}

void tst_QtConvert::paths()
{
    const QString name = QString::fromUtf8("/tmp/Skins \u00E9t\u00E9/note \u4E2D.skn");
    QCOMPARE(pathToQString(toPath(name)), name);
    QCOMPARE(toPath(name).filename().extension().string(), std::string(".skn"));
}

void tst_QtConvert::fontFromLogFont()
{
    LOGFONT lf;
    SetFaceName(lf, "Caf\xE9 Sans");
    lf.lfHeight = -13;
    lf.lfWeight = 600;
    lf.lfItalic = 1;
    lf.lfUnderline = 1;
    lf.lfStrikeOut = 1;
    const QFont font = toQFont(lf);
    QCOMPARE(font.family(), QString::fromUtf8("Caf\u00E9 Sans"));
    QCOMPARE(font.pixelSize(), 13);
    QCOMPARE(font.weight(), QFont::DemiBold);
    QVERIFY(font.italic());
    QVERIFY(font.underline());
    QVERIFY(font.strikeOut());

    lf.lfHeight = 0;
    lf.lfWeight = 0;
    QVERIFY(toQFont(lf).pixelSize() <= 0); // the default size
    QCOMPARE(toQFont(lf).weight(), QFont::Normal);
}

void tst_QtConvert::fontCellHeight()
{
    // A positive height is the cell: the em comes out smaller, and its cell is the height asked.
    LOGFONT lf;
    SetFaceName(lf, "DejaVu Sans");
    lf.lfHeight = 40;
    const QFont font = toQFont(lf);
    QVERIFY(font.pixelSize() > 0);
    QVERIFY(font.pixelSize() <= 40);
    QVERIFY(qAbs(QFontMetricsF(font).height() - 40) <= 2);
}

void tst_QtConvert::extremeFontHeights_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("pixels");
    QTest::newRow("lowest") << INT_MIN << 16384;
    QTest::newRow("highest cell") << INT_MAX << 0; // the em of a 16384-pixel cell, below it
    QTest::newRow("beyond the largest image") << -16385 << 16384;
    QTest::newRow("as large as the largest image") << -16384 << 16384;
}

void tst_QtConvert::extremeFontHeights()
{
    QFETCH(int, height);
    QFETCH(int, pixels);
    LOGFONT lf;
    SetFaceName(lf, "DejaVu Sans");
    lf.lfHeight = height;
    const int nPixelSize = toQFont(lf).pixelSize();
    if (pixels != 0) {
        QCOMPARE(nPixelSize, pixels);
    } else {
        QVERIFY(nPixelSize > 0 && nPixelSize < 16384);
    }
}

void tst_QtConvert::logFontKeepsWhatTheDialogDoesNotEdit()
{
    LOGFONT previous;
    previous.lfEscapement = 900;
    previous.lfOrientation = 900;
    previous.lfCharSet = 238;
    previous.lfQuality = 5;
    previous.lfPitchAndFamily = 0x22;
    previous.lfWidth = 7;

    QFont chosen(QString(40, QLatin1Char('F')));
    chosen.setPixelSize(17);
    chosen.setWeight(QFont::Bold);
    chosen.setItalic(true);
    LOGFONT lf = toLogFont(chosen, previous);
    QCOMPARE(lf.lfHeight, -17);
    QCOMPARE(lf.lfWeight, 700);
    QCOMPARE(lf.lfItalic, BYTE{1});
    QCOMPARE(lf.lfUnderline, BYTE{0});
    QCOMPARE(GetFaceName(lf), std::string(31, 'F'));
    QCOMPARE(lf.lfEscapement, 900);
    QCOMPARE(lf.lfOrientation, 900);
    QCOMPARE(lf.lfCharSet, BYTE{238});
    QCOMPARE(lf.lfQuality, BYTE{5});
    QCOMPARE(lf.lfPitchAndFamily, BYTE{0x22});
    QCOMPARE(lf.lfWidth, 7);

    // A size in points becomes pixels at the screen's logical resolution.
    QFont points(QStringLiteral("DejaVu Sans"));
    points.setPointSizeF(9);
    lf = toLogFont(points, previous);
    const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    QCOMPARE(lf.lfHeight, -static_cast<LONG>(qRound(9 * dpi / 72)));

    // And back: the pixel size and the style survive the trip.
    const QFont back = toQFont(toLogFont(chosen, previous));
    QCOMPARE(back.pixelSize(), 17);
    QCOMPARE(back.weight(), QFont::Bold);
    QVERIFY(back.italic());
}

void tst_QtConvert::createDDB()
{
    QVERIFY(CreateDDB(CDib()).isNull());

    // 2 x 2, bottom-up: the first stored row is the bottom one.
    BmpLayout layout{.width = 2, .height = 2};
    layout.bits = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
    const std::unique_ptr<CDib> pDib = DibFromBytes(MakeBmp(layout));
    QVERIFY(pDib);
    const QImage image = CreateDDB(*pDib);
    QCOMPARE(image.size(), QSize(2, 2));
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image.pixel(0, 1), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(1, 1), qRgb(0, 255, 0));
    QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(1, 0), qRgb(255, 255, 255));

    // Palette images come out as their displayed colours.
    BmpLayout indexed{.width = 1, .height = 1, .bitCount = 8, .clrUsed = 2};
    indexed.table = {0, 0, 0, 0, 0x30, 0x20, 0x10, 0};
    indexed.bits = {1, 0, 0, 0};
    const std::unique_ptr<CDib> pIndexed = DibFromBytes(MakeBmp(indexed));
    QVERIFY(pIndexed);
    QCOMPARE(CreateDDB(*pIndexed).pixel(0, 0), qRgb(0x10, 0x20, 0x30));
}

void tst_QtConvert::systemColoursFollowThePalette()
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Dark, QColor(4, 5, 6));
    QCOMPARE(SysColor(COLOR_BTNFACE, palette), QColor(1, 2, 3));
    QCOMPARE(SysColor(COLOR_BACKGROUND, palette), QColor(4, 5, 6));
    QApplication::setPalette(palette);
    QCOMPARE(GetSysColor(COLOR_BTNFACE), RGB(1, 2, 3));
}

QTEST_MAIN(tst_QtConvert)
#include "tst_qtconvert.moc"
