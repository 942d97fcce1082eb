// Screen copies of bitmaps: 16-bit colours reach full intensity, run-length gaps show index 0,
// and every bitmap within the limits decodes whatever Qt's own allocation limit says.

#include "bitmaps.h"
#include "dibimage.h"

#include <QImageReader>
#include <QTest>

class tst_DibImage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sixteenBitChannelsReachFullIntensity_data();
    void sixteenBitChannelsReachFullIntensity();
    void largestBitmapsDecode_data();
    void largestBitmapsDecode();
    void runLengthSkipsShowIndexZero();
};

void tst_DibImage::initTestCase()
{
    // As if the environment had set QT_IMAGEIO_MAXALLOC low.
    QImageReader::setAllocationLimit(1);
}

void tst_DibImage::sixteenBitChannelsReachFullIntensity_data()
{
    QTest::addColumn<QList<uint>>("masks"); // empty: BI_RGB, 5-5-5
    QTest::addColumn<int>("height");        // 2: bottom-up, -2: top-down
    QTest::addColumn<uint>("pixel");
    QTest::addColumn<QRgb>("expected");
    const QList<uint> rgb565 = {0xF800, 0x07E0, 0x001F};
    const QList<uint> rgb444 = {0x0F00, 0x00F0, 0x000F};
    const QList<uint> rgb101010 = {0x3FF00000, 0x000FFC00, 0x000003FF};
    QTest::newRow("555 white") << QList<uint>() << 2 << 0x7FFFu << qRgb(255, 255, 255);
    QTest::newRow("555 magenta") << QList<uint>() << 2 << 0x7C1Fu << qRgb(255, 0, 255);
    QTest::newRow("555 middle grey") << QList<uint>() << 2 << 0x4210u << qRgb(132, 132, 132);
    QTest::newRow("555 top-down") << QList<uint>() << -2 << 0x7C1Fu << qRgb(255, 0, 255);
    QTest::newRow("565 white") << rgb565 << 2 << 0xFFFFu << qRgb(255, 255, 255);
    QTest::newRow("565 green 32 of 63") << rgb565 << 2 << 0x0400u << qRgb(0, 130, 0);
    QTest::newRow("444 magenta") << rgb444 << -2 << 0x0F0Fu << qRgb(255, 0, 255);
    // 32 bits: channels wider than 8 bits keep their top 8.
    QTest::newRow("10-10-10 magenta") << rgb101010 << 2 << 0x3FF003FFu << qRgb(255, 0, 255);
    QTest::newRow("10-10-10 grey") << rgb101010 << -2 << 0x20080200u << qRgb(128, 128, 128);
}

void tst_DibImage::sixteenBitChannelsReachFullIntensity()
{
    QFETCH(QList<uint>, masks);
    QFETCH(int, height);
    QFETCH(uint, pixel);
    QFETCH(QRgb, expected);
    // One column: the pixel on the top row, black below it.
    const bool bWide = pixel > 0xFFFF;
    BmpLayout layout{.width = 1, .height = height, .bitCount = WORD(bWide ? 32 : 16)};
    std::vector<std::uint8_t> row(4, 0);
    PutLE32(row, 0, pixel);
    layout.bits.assign(8, 0);
    std::copy(row.begin(), row.begin() + (bWide ? 4 : 2),
              layout.bits.begin() + (height < 0 ? 0 : 4));
    if (!masks.isEmpty()) {
        layout.compression = BI_BITFIELDS;
        layout.masks.resize(12);
        for (int n = 0; n < 3; ++n) {
            PutLE32(layout.masks, 4 * n, masks[n]);
        }
    }
    const std::unique_ptr<CDib> pDib = DibFromBytes(MakeBmp(layout));
    QVERIFY(pDib);
    const QImage image = CreateDDB(*pDib);
    QCOMPARE(image.size(), QSize(1, 2));
    QCOMPARE(image.pixel(0, 0), expected);
    QCOMPARE(image.pixel(0, 1), qRgb(0, 0, 0));
}

void tst_DibImage::largestBitmapsDecode_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("widest") << int{DIB_MAX_SIDE} << 1024;
    QTest::newRow("square") << 4096 << 4096;
}

void tst_DibImage::largestBitmapsDecode()
{
    QFETCH(int, width);
    QFETCH(int, height);
    // Run-length encoded: one run of colour 1 on the bottom row, then the end of the bitmap.
    BmpLayout layout{.width = width, .height = height, .bitCount = 8, .compression = BI_RLE8};
    layout.table = {0, 0, 0, 0, 0xFF, 0, 0xFF, 0};
    layout.bits = {8, 1, 0, 1};
    layout.sizeImage = 4;
    const std::unique_ptr<CDib> pDib = DibFromBytes(MakeBmp(layout));
    QVERIFY(pDib);
    const QImage image = CreateDDB(*pDib);
    QCOMPARE(image.size(), QSize(width, height));
    QCOMPARE(image.pixel(0, height - 1), qRgb(255, 0, 255));
}

QTEST_MAIN(tst_DibImage)
#include "tst_dibimage.moc"

void tst_DibImage::runLengthSkipsShowIndexZero()
{
    // 64 x 64: two pixels of index 1, a jump 2 right and 1 up, one more, end of bitmap.
    BmpLayout layout{
        .width = 64, .height = 64, .bitCount = 8, .compression = BI_RLE8, .clrUsed = 2};
    layout.table = {3, 2, 1, 0, 0, 0, 200, 0};
    layout.bits = {2, 1, 0, 2, 2, 1, 1, 1, 0, 1};
    layout.sizeImage = static_cast<DWORD>(layout.bits.size());
    const std::unique_ptr<CDib> pDib = DibFromBytes(MakeBmp(layout));
    QVERIFY(pDib);
    for (int nTry = 0; nTry < 3; ++nTry) {
        // Memory of the picture's size, freed dirty, is what a careless decoder would show.
        QImage(64, 64, QImage::Format_Indexed8).fill(0xAB);
        const QImage image = CreateDDB(*pDib);
        QCOMPARE(image.pixel(0, 63), qRgb(200, 0, 0));
        QCOMPARE(image.pixel(1, 63), qRgb(200, 0, 0));
        QCOMPARE(image.pixel(4, 62), qRgb(200, 0, 0));
        for (const QPoint point : {QPoint(2, 63), QPoint(3, 62), QPoint(0, 0), QPoint(63, 0)}) {
            QCOMPARE(image.pixel(point), qRgb(1, 2, 3));
        }
    }
}
