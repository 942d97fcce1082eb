#include "recttracker.h"

#include <QRandomGenerator>
#include <QTest>
#include <QWidget>

#include <vector>

Q_DECLARE_METATYPE(RECT)

namespace {

// Records what the tracker reports while a drag runs.
class CRecordingTracker : public CRectTracker
{
public:
    explicit CRecordingTracker(const RECT& rc)
    {
        m_rect = rc;
        m_nStyle = solidLine | resizeInside;
        m_nHandleSize = 3;
    }
    std::vector<RECT> m_arChanged;

protected:
    void OnChangedRect(const RECT& rectOld) override { m_arChanged.push_back(rectOld); }
};

// How a drag in the table starts.
constexpr int TRACK = 0;
constexpr int TRACK_MAY_FLIP = 1;
constexpr int RUBBER_BAND = 2;

QByteArray Describe(const RECT& rc)
{
    return QByteArray::number(rc.left) + "," + QByteArray::number(rc.top) + "," +
           QByteArray::number(rc.right) + "," + QByteArray::number(rc.bottom);
}

} // namespace

class tst_RectTracker : public QObject
{
    Q_OBJECT

private slots:
    void hitTest_data();
    void hitTest();
    void drag_data();
    void drag();
    void everyDragStepIsNormal();
    void changedRectSequence();
    void cancelRestores_data();
    void cancelRestores();
    void unchangedRubberBandKeepsPreviousRect();
    void cursors_data();
    void cursors();
};

void tst_RectTracker::hitTest_data()
{
    QTest::addColumn<RECT>("rect");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("hit");

    const RECT rc{10, 10, 40, 40};
    const RECT rcInverted{40, 40, 10, 10};
    QTest::newRow("top-left handle") << rc << QPoint(10, 10) << int(CRectTracker::hitTopLeft);
    QTest::newRow("top-left handle, last pixel")
        << rc << QPoint(12, 12) << int(CRectTracker::hitTopLeft);
    QTest::newRow("top-right handle") << rc << QPoint(39, 10) << int(CRectTracker::hitTopRight);
    QTest::newRow("bottom-right handle")
        << rc << QPoint(37, 37) << int(CRectTracker::hitBottomRight);
    QTest::newRow("bottom-left handle") << rc << QPoint(10, 39) << int(CRectTracker::hitBottomLeft);
    QTest::newRow("top edge handle") << rc << QPoint(25, 11) << int(CRectTracker::hitTop);
    QTest::newRow("right edge handle") << rc << QPoint(38, 25) << int(CRectTracker::hitRight);
    QTest::newRow("bottom edge handle") << rc << QPoint(24, 39) << int(CRectTracker::hitBottom);
    QTest::newRow("left edge handle") << rc << QPoint(10, 24) << int(CRectTracker::hitLeft);
    QTest::newRow("outline between handles is inside")
        << rc << QPoint(18, 10) << int(CRectTracker::hitMiddle);
    QTest::newRow("inside") << rc << QPoint(20, 30) << int(CRectTracker::hitMiddle);
    QTest::newRow("right is exclusive") << rc << QPoint(40, 20) << int(CRectTracker::hitNothing);
    QTest::newRow("bottom is exclusive") << rc << QPoint(20, 40) << int(CRectTracker::hitNothing);
    QTest::newRow("outside") << rc << QPoint(5, 5) << int(CRectTracker::hitNothing);
    QTest::newRow("inverted: seen top-left")
        << rcInverted << QPoint(10, 10) << int(CRectTracker::hitTopLeft);
    QTest::newRow("inverted: inside")
        << rcInverted << QPoint(20, 30) << int(CRectTracker::hitMiddle);
    QTest::newRow("small: no edge handle")
        << RECT{0, 0, 8, 8} << QPoint(4, 0) << int(CRectTracker::hitMiddle);
    QTest::newRow("empty: nothing")
        << RECT{5, 5, 5, 20} << QPoint(5, 10) << int(CRectTracker::hitNothing);
}

void tst_RectTracker::hitTest()
{
    QFETCH(RECT, rect);
    QFETCH(QPoint, point);
    QFETCH(int, hit);
    const CRecordingTracker tracker(rect);
    QCOMPARE(tracker.HitTest(point), hit);
}

void tst_RectTracker::drag_data()
{
    QTest::addColumn<RECT>("rect");
    QTest::addColumn<int>("start");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<RECT>("expected");

    const RECT rc{10, 10, 40, 40};
    QTest::newRow("move keeps the size")
        << rc << TRACK << QPoint(20, 20) << QPoint(-5, 27) << RECT{-15, 17, 15, 47};
    QTest::newRow("bottom-right corner")
        << rc << TRACK << QPoint(38, 38) << QPoint(58, 43) << RECT{10, 10, 60, 45};
    QTest::newRow("top-left corner")
        << rc << TRACK << QPoint(11, 11) << QPoint(1, 6) << RECT{0, 5, 40, 40};
    QTest::newRow("left edge moves only the left side")
        << rc << TRACK << QPoint(10, 24) << QPoint(0, 80) << RECT{0, 10, 40, 40};
    QTest::newRow("resizing stops at the minimum, never turns over")
        << rc << TRACK << QPoint(38, 38) << QPoint(-20, -20) << RECT{10, 10, 16, 16};
    QTest::newRow("resizing past the opposite edge flips, left normal")
        << rc << TRACK_MAY_FLIP << QPoint(38, 38) << QPoint(-20, 35) << RECT{-18, 10, 10, 37};
    QTest::newRow("flipping keeps the minimum on the far side")
        << rc << TRACK_MAY_FLIP << QPoint(10, 24) << QPoint(42, 24) << RECT{40, 10, 46, 40};
    QTest::newRow("inverted is dragged as seen and left normal")
        << RECT{40, 40, 10, 10} << TRACK << QPoint(38, 24) << QPoint(48, 24)
        << RECT{10, 10, 50, 40};
    QTest::newRow("rubber band") << rc << RUBBER_BAND << QPoint(100, 100) << QPoint(150, 120)
                                 << RECT{100, 100, 150, 120};
    QTest::newRow("rubber band up and left is left normal")
        << rc << RUBBER_BAND << QPoint(100, 100) << QPoint(50, 70) << RECT{50, 70, 100, 100};
    QTest::newRow("short rubber band grows to the minimum")
        << rc << RUBBER_BAND << QPoint(100, 100) << QPoint(102, 98) << RECT{100, 94, 106, 100};
    QTest::newRow("rubber band may leave the view")
        << rc << RUBBER_BAND << QPoint(5, 5) << QPoint(-30, 900) << RECT{-30, 5, 5, 900};
}

void tst_RectTracker::drag()
{
    QFETCH(RECT, rect);
    QFETCH(int, start);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(RECT, expected);

    CRecordingTracker tracker(rect);
    if (start == RUBBER_BAND) {
        tracker.TrackRubberBand(from, true);
    } else {
        QVERIFY(tracker.Track(from, start == TRACK_MAY_FLIP));
    }
    QVERIFY(tracker.IsTracking());
    tracker.TrackMove((from + to) / 2);
    tracker.TrackMove(to);
    QVERIFY(tracker.TrackRelease(to));
    QVERIFY(!tracker.IsTracking());
    QCOMPARE(Describe(tracker.m_rect), Describe(expected));
}

void tst_RectTracker::everyDragStepIsNormal()
{
    // Random drags from random, possibly inverted rectangles: no step reports a turned-over one.
    QRandomGenerator random(11);
    const auto coordinate = [&] { return random.bounded(-40, 80); };
    for (int nDrag = 0; nDrag < 500; ++nDrag) {
        CRecordingTracker tracker(RECT{coordinate(), coordinate(), coordinate(), coordinate()});
        const QPoint ptFrom(coordinate(), coordinate());
        if (!tracker.Track(ptFrom, random.bounded(2) == 1)) {
            tracker.TrackRubberBand(ptFrom, true);
        }
        for (int nStep = 0; nStep < 4; ++nStep) {
            tracker.TrackMove(QPoint(coordinate(), coordinate()));
        }
        tracker.TrackRelease(QPoint(coordinate(), coordinate()));
        tracker.m_arChanged.erase(tracker.m_arChanged.begin()); // the rectangle it started with
        for (const RECT& rc : tracker.m_arChanged) {
            QVERIFY2(rc.left <= rc.right && rc.top <= rc.bottom, Describe(rc).constData());
        }
    }
}

void tst_RectTracker::changedRectSequence()
{
    CRecordingTracker tracker(RECT{10, 10, 40, 40});
    QVERIFY(tracker.Track(QPoint(20, 20), false));
    QVERIFY(tracker.TrackMove(QPoint(25, 20)));
    QVERIFY(!tracker.TrackMove(QPoint(25, 20))); // no change, no report
    QVERIFY(tracker.TrackMove(QPoint(25, 30)));
    // Released somewhere new without a move in between: that place still counts.
    QVERIFY(tracker.TrackRelease(QPoint(26, 30)));

    const std::vector<QByteArray> expected{"10,10,40,40", "15,10,45,40", "15,20,45,50",
                                           "16,20,46,50"};
    std::vector<QByteArray> actual;
    for (const RECT& rc : tracker.m_arChanged) {
        actual.push_back(Describe(rc));
    }
    QCOMPARE(actual, expected);
}

void tst_RectTracker::cancelRestores_data()
{
    QTest::addColumn<bool>("rubberBand");
    QTest::newRow("move") << false;
    QTest::newRow("rubber band") << true;
}

void tst_RectTracker::cancelRestores()
{
    QFETCH(bool, rubberBand);
    CRecordingTracker tracker(RECT{10, 10, 40, 40});
    if (rubberBand) {
        tracker.TrackRubberBand(QPoint(100, 100), true);
    } else {
        QVERIFY(tracker.Track(QPoint(20, 20), false));
    }
    tracker.TrackMove(QPoint(70, 90));
    tracker.TrackCancel();
    QVERIFY(!tracker.IsTracking());
    QCOMPARE(Describe(tracker.m_rect), Describe(RECT{10, 10, 40, 40}));
    // A release after the cancel belongs to no drag.
    QVERIFY(!tracker.TrackRelease(QPoint(70, 90)));
}

void tst_RectTracker::unchangedRubberBandKeepsPreviousRect()
{
    CRecordingTracker tracker(RECT{10, 10, 40, 40});
    tracker.TrackRubberBand(QPoint(100, 100), true);
    tracker.TrackMove(QPoint(120, 120));
    tracker.TrackMove(QPoint(100, 100)); // back where it started
    QVERIFY(!tracker.TrackRelease(QPoint(100, 100)));
    QCOMPARE(Describe(tracker.m_rect), Describe(RECT{10, 10, 40, 40}));

    QVERIFY(tracker.Track(QPoint(20, 20), false));
    QVERIFY(!tracker.TrackRelease(QPoint(20, 20))); // a click is not a change
    QCOMPARE(Describe(tracker.m_rect), Describe(RECT{10, 10, 40, 40}));
}

void tst_RectTracker::cursors_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("set");
    QTest::addColumn<int>("shape");
    QTest::newRow("top-left") << QPoint(10, 10) << true << int(Qt::SizeFDiagCursor);
    QTest::newRow("bottom-right") << QPoint(39, 39) << true << int(Qt::SizeFDiagCursor);
    QTest::newRow("top-right") << QPoint(39, 10) << true << int(Qt::SizeBDiagCursor);
    QTest::newRow("bottom-left") << QPoint(10, 39) << true << int(Qt::SizeBDiagCursor);
    QTest::newRow("top") << QPoint(25, 10) << true << int(Qt::SizeVerCursor);
    QTest::newRow("bottom") << QPoint(25, 39) << true << int(Qt::SizeVerCursor);
    QTest::newRow("left") << QPoint(10, 25) << true << int(Qt::SizeHorCursor);
    QTest::newRow("right") << QPoint(39, 25) << true << int(Qt::SizeHorCursor);
    QTest::newRow("inside") << QPoint(20, 30) << true << int(Qt::SizeAllCursor);
    QTest::newRow("outside leaves the cursor") << QPoint(50, 50) << false << int(Qt::ArrowCursor);
}

void tst_RectTracker::cursors()
{
    QFETCH(QPoint, point);
    QFETCH(bool, set);
    QFETCH(int, shape);
    QWidget wnd;
    const CRecordingTracker tracker(RECT{10, 10, 40, 40});
    QCOMPARE(tracker.SetCursor(wnd, point), set);
    QCOMPARE(wnd.testAttribute(Qt::WA_SetCursor), set);
    QCOMPARE(int(wnd.cursor().shape()), shape);
}

QTEST_MAIN(tst_RectTracker)
#include "tst_recttracker.moc"
