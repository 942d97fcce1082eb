#include "pickercursor.h"

#include <QBitmap>
#include <QTest>

#include <cstdlib>
#include <set>
#include <utility>

class tst_PickerCursor : public QObject
{
    Q_OBJECT

private slots:
    void shape();
    void cursor();
    void showsOnAnyBackground_data();
    void showsOnAnyBackground();
};

void tst_PickerCursor::shape()
{
    std::set<std::pair<int, int>> expected;
    for (int y = 8; y <= 12; ++y) {
        expected.insert({15, y});
    }
    for (int y = 20; y <= 24; ++y) {
        expected.insert({15, y});
    }
    for (int x = 7; x <= 11; ++x) {
        expected.insert({x, 16});
    }
    for (int x = 19; x <= 24; ++x) {
        expected.insert({x, 16});
    }
    expected.insert({15, 16});

    const QImage image = PickerCursorShape();
    QCOMPARE(image.size(), QSize(32, 32));
    std::set<std::pair<int, int>> drawn;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelIndex(x, y) == 1) {
                drawn.insert({x, y});
            }
        }
    }
    QCOMPARE(drawn, expected);
}

void tst_PickerCursor::cursor()
{
    const QCursor cursor = MakePickerCursor();
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.hotSpot(), QPoint(15, 16));
    QCOMPARE(cursor.bitmap().size(), QSize(32, 32));
    // The bitmap carries the shape: arms and centre set, the gap around the centre clear.
    const QImage bits = cursor.bitmap().toImage();
    const QRgb on = bits.pixel(15, 16);
    const QRgb off = bits.pixel(0, 0);
    QVERIFY(on != off);
    QCOMPARE(bits.pixel(24, 16), on);
    QCOMPARE(bits.pixel(15, 8), on);
    QCOMPARE(bits.pixel(15, 13), off);
    QCOMPARE(bits.pixel(25, 16), off);
}

void tst_PickerCursor::showsOnAnyBackground_data()
{
    QTest::addColumn<QColor>("background");
    QTest::newRow("black") << QColor(Qt::black);
    QTest::newRow("white") << QColor(Qt::white);
    QTest::newRow("mid grey") << QColor(128, 128, 128);
}

void tst_PickerCursor::showsOnAnyBackground()
{
    QFETCH(QColor, background);
    const QCursor cursor = MakePickerCursor();
    const QImage bits = cursor.bitmap().toImage();
    const QImage mask = cursor.mask().toImage();
    // As the screen shows it: a masked pixel is black where the bitmap is set, else white.
    const auto standsOut = [&](int x, int y) {
        const int nGray = qGray(mask.pixel(x, y)) >= 128  ? qGray(background.rgb())
                          : qGray(bits.pixel(x, y)) < 128 ? 0
                                                          : 255;
        return std::abs(nGray - qGray(background.rgb())) >= 96;
    };
    const QImage shape = PickerCursorShape();
    for (int y = 1; y < shape.height() - 1; ++y) {
        for (int x = 1; x < shape.width() - 1; ++x) {
            // Every drawn pixel stands out, itself or beside it.
            const bool bSeen = standsOut(x, y) || standsOut(x - 1, y) || standsOut(x + 1, y) ||
                               standsOut(x, y - 1) || standsOut(x, y + 1);
            QVERIFY2(shape.pixelIndex(x, y) == 0 || bSeen,
                     qPrintable(QString("%1,%2").arg(x).arg(y)));
        }
    }
}

QTEST_MAIN(tst_PickerCursor)
#include "tst_pickercursor.moc"
