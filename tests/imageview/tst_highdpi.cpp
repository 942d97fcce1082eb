// Run with QT_SCALE_FACTOR set (1.5, 2): the view as drawn, in device pixels.
#include "skinimageview.h"
#include "testimages.h"

#include <QSignalSpy>
#include <QStyle>
#include <QTest>

Q_DECLARE_METATYPE(RECT)

class tst_HighDpi : public QObject
{
    Q_OBJECT

private slots:
    void wholeBlocks_data();
    void wholeBlocks();
    void dragMovesWholePixels_data();
    void dragMovesWholePixels();
};

void tst_HighDpi::wholeBlocks_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("1:1") << 3;
    QTest::newRow("2x") << 4;
    QTest::newRow("3x") << 5;
    QTest::newRow("8x") << 8;
}

// A one-pixel checkerboard: any uneven column or row shows as a block of the wrong colour.
void tst_HighDpi::wholeBlocks()
{
    QFETCH(int, step);
    std::map<std::pair<int, int>, QColor> pixels;
    for (int y = 0; y < 30; ++y) {
        for (int x = (y + 1) % 2; x < 40; x += 2) {
            pixels[{x, y}] = Qt::blue;
        }
    }
    const auto pDib = MakeDib(40, 30, Qt::red, pixels);
    CSkinImageView view;
    view.resize(300, 300);
    view.SetImage(pDib.get(), RGB(255, 0, 255));
    view.SetZoomIndex(step);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QImage grab = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const CViewTransform& transform = view.GetTransform();
    QCOMPARE(transform.GetDpr(), view.devicePixelRatioF());
    const auto nBlock = static_cast<int>(transform.GetDeviceScale());
    const QPoint ptOrigin = transform.GetOriginDevice();
    const int nBar = view.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QRect rcInside =
        QRect(QPoint(0, 0), grab.size()).adjusted(4, 4, -4 - 2 * nBar * 2, -4 - 2 * nBar * 2);
    int nChecked = 0;
    for (int y = 1; y < 30; ++y) {
        for (int x = 1; x < 40; ++x) {
            const QRgb expected = (x + y) % 2 != 0 ? qRgb(0, 0, 255) : qRgb(255, 0, 0);
            const QRect rcBlock(ptOrigin + QPoint(x, y) * nBlock, QSize(nBlock, nBlock));
            if (!rcInside.contains(rcBlock)) {
                continue;
            }
            for (int j = 0; j < nBlock; ++j) {
                for (int i = 0; i < nBlock; ++i) {
                    QCOMPARE(grab.pixel(rcBlock.topLeft() + QPoint(i, j)), expected);
                }
            }
            ++nChecked;
        }
    }
    QVERIFY(nChecked > 20);
}

void tst_HighDpi::dragMovesWholePixels_data()
{
    wholeBlocks_data();
}

void tst_HighDpi::dragMovesWholePixels()
{
    QFETCH(int, step);
    const auto pDib = MakeDib(40, 30, Qt::red);
    CSkinImageView view;
    view.resize(300, 300);
    view.SetImage(pDib.get(), RGB(255, 0, 255));
    view.SetZoomIndex(step);
    view.SetPickerRect(5, 5, 25, 20);
    view.HidePicker(false);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy spy(&view, &CSkinImageView::pickRectChanged);
    const CViewTransform& transform = view.GetTransform();
    const QPoint from = transform.ImageToWidget(QPointF(12.5, 12.5)).toPoint();
    // Three image pixels right and one down, an exact number of logical pixels at these scales.
    const QPointF ptBy =
        transform.ImageToWidget(QPointF(15, 13)) - transform.ImageToWidget(QPointF(12, 12));
    const QPoint to = from + ptBy.toPoint();
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    QTest::mouseMove(&view, to);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, to);
    QCOMPARE(spy.count(), 1);
    const RECT rc = spy.at(0).at(0).value<RECT>();
    QCOMPARE(QRect(QPoint(rc.left, rc.top), QPoint(rc.right, rc.bottom)),
             QRect(QPoint(8, 6), QPoint(28, 21)));
}

QTEST_MAIN(tst_HighDpi)
#include "tst_highdpi.moc"
