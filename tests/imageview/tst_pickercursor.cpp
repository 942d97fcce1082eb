#include "pickercursor.h"

#include <QBitmap>
#include <QTest>

#include <set>
#include <utility>

class tst_PickerCursor : public QObject
{
    Q_OBJECT

private slots:
    void shape();
    void cursor();
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

QTEST_MAIN(tst_PickerCursor)
#include "tst_pickercursor.moc"
