#include "keyedimage.h"
#include "shownimage.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

class tst_KeyedImage : public QObject
{
    Q_OBJECT

private slots:
    void keying_data();
    void keying();
    void onBackgroundAsDrawn_data() { keying_data(); }
    void onBackgroundAsDrawn();
    void sourceUntouched();
    void drawnOverBackground();
    void nullStaysNull();
    void shownImageFollowsKeyAndBackground();
};

void tst_KeyedImage::keying_data()
{
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<COLORREF>("key");
    QTest::addColumn<bool>("transparent");

    QTest::newRow("exact match") << qRgb(255, 0, 255) << RGB(255, 0, 255) << true;
    QTest::newRow("red off by one") << qRgb(254, 0, 255) << RGB(255, 0, 255) << false;
    QTest::newRow("green off by one") << qRgb(255, 1, 255) << RGB(255, 0, 255) << false;
    QTest::newRow("blue off by one") << qRgb(255, 0, 254) << RGB(255, 0, 255) << false;
    QTest::newRow("channels not swapped") << qRgb(0, 0, 255) << RGB(255, 0, 0) << false;
    QTest::newRow("black key") << qRgb(0, 0, 0) << RGB(0, 0, 0) << true;
    QTest::newRow("white key") << qRgb(255, 255, 255) << RGB(255, 255, 255) << true;
}

void tst_KeyedImage::keying()
{
    QFETCH(QRgb, pixel);
    QFETCH(COLORREF, key);
    QFETCH(bool, transparent);

    QImage image(3, 1, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(1, 0, pixel);
    const QImage keyed = CreateKeyedImage(image, key);
    QCOMPARE(keyed.size(), image.size());
    QCOMPARE(qAlpha(keyed.pixel(1, 0)), transparent ? 0 : 255);
    QCOMPARE(keyed.pixel(0, 0), qRgb(10, 20, 30));
    if (!transparent) {
        QCOMPARE(keyed.pixel(1, 0), pixel);
        // Nothing to key: kept opaque, the fastest form to draw.
        QCOMPARE(keyed.format(), QImage::Format_RGB32);
    }
}

void tst_KeyedImage::onBackgroundAsDrawn()
{
    QFETCH(QRgb, pixel);
    QFETCH(COLORREF, key);

    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(1, 1, pixel);
    const QRgb background = qRgb(7, 8, 9);
    QImage drawn(image.size(), QImage::Format_RGB32);
    drawn.fill(background);
    {
        QPainter painter(&drawn);
        painter.drawImage(0, 0, CreateKeyedImage(image, key));
    }
    const QImage shown = CreateKeyedImageOn(image, key, background);
    QCOMPARE(shown.format(), QImage::Format_RGB32);
    QCOMPARE(shown, drawn);
}

void tst_KeyedImage::sourceUntouched()
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    const QImage copy = image.copy();
    const QImage keyed = CreateKeyedImage(image, RGB(255, 0, 255));
    QCOMPARE(qAlpha(keyed.pixel(2, 2)), 0);
    const QImage shown = CreateKeyedImageOn(image, RGB(255, 0, 255), qRgb(1, 1, 1));
    QCOMPARE(shown.pixel(2, 2), qRgb(1, 1, 1));
    QCOMPARE(image, copy);
}

void tst_KeyedImage::drawnOverBackground()
{
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(0, 255, 0));
    image.setPixel(1, 0, qRgb(1, 2, 3));
    QImage target(2, 1, QImage::Format_ARGB32_Premultiplied);
    target.fill(qRgb(200, 100, 50));
    {
        QPainter painter(&target);
        painter.drawImage(0, 0, CreateKeyedImage(image, RGB(0, 255, 0)));
    }
    QCOMPARE(target.pixel(0, 0), qRgb(200, 100, 50));
    QCOMPARE(target.pixel(1, 0), qRgb(1, 2, 3));
}

void tst_KeyedImage::nullStaysNull()
{
    QVERIFY(CreateKeyedImage(QImage(), 0).isNull());
    QVERIFY(CreateKeyedImageOn(QImage(), 0, 0).isNull());
}

// However often key and background change, the kept copy is what keying the original anew
// would give: a pixel that had an old key gets its colour back.
void tst_KeyedImage::shownImageFollowsKeyAndBackground()
{
    QRandomGenerator random(7);
    const QRgb palette[] = {qRgb(255, 0, 255), qRgb(0, 0, 0), qRgb(10, 20, 30), qRgb(0, 0, 255)};
    QImage original(37, 5, QImage::Format_RGB32);
    for (int y = 0; y < original.height(); ++y) {
        for (int x = 0; x < original.width(); ++x) {
            original.setPixel(x, y, palette[random.bounded(4)]);
        }
    }
    const auto ref = [](QRgb rgb) { return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)); };
    CShownImage shown;
    shown.Set(original, ref(palette[0]), qRgb(1, 2, 3));
    for (int nStep = 0; nStep < 40; ++nStep) {
        const COLORREF crKey = ref(palette[random.bounded(4)]);
        const QRgb rgbBack = palette[random.bounded(4)] ^ 0x010101;
        shown.SetKey(crKey);
        shown.SetBackground(rgbBack);
        QCOMPARE(shown.Image(), CreateKeyedImageOn(original, crKey, rgbBack));
    }
}

QTEST_MAIN(tst_KeyedImage)
#include "tst_keyedimage.moc"
