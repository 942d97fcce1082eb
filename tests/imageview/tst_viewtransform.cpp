#include "skinimageview.h"
#include "viewtransform.h"

#include <QTest>

#include <cmath>

class tst_ViewTransform : public QObject
{
    Q_OBJECT

private slots:
    void roundTrips_data();
    void roundTrips();
};

void tst_ViewTransform::roundTrips_data()
{
    QTest::addColumn<double>("dpr");
    QTest::addColumn<int>("step");
    for (const double dDpr : {1.0, 1.5, 2.0}) {
        for (int i = 0; i < static_cast<int>(CSkinImageView::kZoomSteps.size()); ++i) {
            QTest::addRow("dpr %g, step %d", dDpr, i) << dDpr << i;
        }
    }
}

void tst_ViewTransform::roundTrips()
{
    QFETCH(double, dpr);
    QFETCH(int, step);
    const double dZoom = CSkinImageView::kZoomSteps.at(static_cast<std::size_t>(step)).Value();
    const CViewTransform transform(dZoom, dpr, QPoint(37, -11));
    const double dBlock = transform.GetDeviceScale();
    for (const int n : {-3, 0, 1, 7, 100, 4095}) {
        const QPoint ptCorner(n, 2 * n + 1);
        const QPointF ptWidget = transform.ImageToWidget(QPointF(ptCorner));
        QCOMPARE(transform.NearestCorner(ptWidget), ptCorner);
        QCOMPARE(
            transform.ImagePixelAt(transform.ImageToWidget(QPointF(ptCorner) + QPointF(0.5, 0.5))),
            ptCorner);
        if (dZoom >= 1.0) {
            // Every corner on a device pixel, every pixel the same whole block.
            const QPointF ptDevice = ptWidget * dpr;
            QCOMPARE(ptDevice.x(), std::round(ptDevice.x()));
            QCOMPARE(ptDevice.y(), std::round(ptDevice.y()));
            const double dNext =
                transform.ImageToWidget(QPointF(ptCorner + QPoint(1, 1))).x() * dpr;
            QCOMPARE(dNext - ptDevice.x(), dBlock);
            QVERIFY(dBlock >= 1.0 && dBlock == std::round(dBlock));
            QVERIFY(std::abs(dBlock - dZoom * dpr) <= 0.5);
        }
    }
}

QTEST_APPLESS_MAIN(tst_ViewTransform)
#include "tst_viewtransform.moc"
