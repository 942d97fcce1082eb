#include "bitmapregion.h"
#include "bitmapwnd.h"
#include "hitregion.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A bitmap of the key colour with an opaque rectangle in it.
QImage ShapeImage(QSize size, QRect rcOpaque, QColor colour = QColor(20, 90, 160))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    painter.fillRect(rcOpaque, colour);
    return image;
}

QImage Solid(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Pixels far from white in the image.
QRegion InkOf(const QImage& image)
{
    QRegion ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 160) {
                ink += QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// Remembers the presses that reach it.
class CPressRecorder : public QWidget
{
public:
    int m_nPresses = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        ++m_nPresses;
        event->accept();
    }
};

LOGFONT TitleFont()
{
    LOGFONT lf;
    lf.lfHeight = -14;
    lf.lfWeight = FW_NORMAL;
    return lf;
}

} // namespace

class tst_BitmapWnd : public QObject
{
    Q_OBJECT

private slots:
    void bitmapInstalledBeforeCreateAppliesAtCreate();
    void maskAndSizeFollowTheBitmap_data();
    void maskAndSizeFollowTheBitmap();
    void bitmapWithoutVisiblePixelShowsNothing();
    void childGrowsToHoverBitmapAndShrinksBack();
    void childWithoutHoverBitmapNeverChanges();
    void childTakesTheMouseOnlyOnItsShape_data();
    void childTakesTheMouseOnlyOnItsShape();
    void clickOnlyWhenReleasedOverTheShape_data();
    void clickOnlyWhenReleasedOverTheShape();
    void popupNeverClicks();
    void text_data();
    void text();
    void childTextOnlyOnVisiblePixels();
};

void tst_BitmapWnd::bitmapInstalledBeforeCreateAppliesAtCreate()
{
    CBitmapWnd wnd;
    QVERIFY(wnd.SetBitmap(ShapeImage({40, 30}, {5, 5, 20, 10}), kMagenta));
    QVERIFY(!wnd.isVisible());
    QVERIFY(wnd.mask().isEmpty());

    QVERIFY(wnd.Create(nullptr, false));
    QVERIFY(wnd.isVisible());
    QVERIFY(wnd.isWindow());
    QCOMPARE(wnd.size(), QSize(40, 30));
    QCOMPARE(wnd.pos(), QPoint(0, 0));
    QVERIFY(wnd.mask().xored(QRegion(5, 5, 20, 10)).isEmpty());
}

void tst_BitmapWnd::maskAndSizeFollowTheBitmap_data()
{
    QTest::addColumn<bool>("child");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("opaque");
    QTest::newRow("popup") << false << QSize(64, 48) << QRect(0, 10, 64, 20);
    QTest::newRow("child") << true << QSize(20, 20) << QRect(3, 3, 14, 14);
    QTest::newRow("child, no transparent pixel") << true << QSize(9, 7) << QRect(0, 0, 9, 7);
}

void tst_BitmapWnd::maskAndSizeFollowTheBitmap()
{
    QFETCH(bool, child);
    QFETCH(QSize, size);
    QFETCH(QRect, opaque);
    QWidget parent;
    parent.resize(200, 200);
    CBitmapWnd wnd;
    QVERIFY(wnd.Create(child ? &parent : nullptr, child));
    wnd.move(10, 20);
    wnd.SetBitmap(Solid({100, 100}, Qt::black), kMagenta);
    QCOMPARE(wnd.size(), QSize(100, 100));

    wnd.SetBitmap(ShapeImage(size, opaque), kMagenta);
    QCOMPARE(wnd.size(), size);
    QCOMPARE(wnd.pos(), QPoint(10, 20));
    QVERIFY(HitRegion(wnd).xored(QRegion(opaque)).isEmpty());
    QVERIFY(wnd.isVisibleTo(child ? &parent : nullptr) || wnd.isVisible());
}

void tst_BitmapWnd::bitmapWithoutVisiblePixelShowsNothing()
{
    // A widget treats an empty mask as none: the whole rectangle would show.
    CBitmapWnd wnd;
    QVERIFY(wnd.Create(nullptr, false));
    wnd.SetBitmap(Solid({30, 30}, QColor(255, 10, 255)), kMagenta);
    QVERIFY(!wnd.isVisible());
    wnd.SetBitmap(ShapeImage({30, 30}, {0, 0, 1, 1}), kMagenta);
    QVERIFY(wnd.isVisible());
}

void tst_BitmapWnd::childGrowsToHoverBitmapAndShrinksBack()
{
    QWidget parent;
    parent.resize(200, 200);
    CBitmapWnd wnd;
    QVERIFY(wnd.Create(&parent, true));
    wnd.SetBitmap(ShapeImage({10, 10}, {0, 0, 10, 10}), kMagenta);
    QVERIFY(wnd.SetHoverBitmap(ShapeImage({24, 16}, {0, 0, 24, 8}), kMagenta));
    wnd.move(30, 40);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QCOMPARE(wnd.size(), QSize(10, 10));

    QTest::mouseMove(&wnd, QPoint(5, 5));
    QVERIFY(wnd.IsHovered());
    QCOMPARE(wnd.geometry(), QRect(30, 40, 24, 16));
    QVERIFY(HitRegion(wnd).xored(QRegion(0, 0, 24, 8)).isEmpty());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&wnd, &leave);
    QVERIFY(!wnd.IsHovered());
    QCOMPARE(wnd.geometry(), QRect(30, 40, 10, 10));
    QVERIFY(HitRegion(wnd).xored(QRegion(0, 0, 10, 10)).isEmpty());
}

void tst_BitmapWnd::childWithoutHoverBitmapNeverChanges()
{
    QWidget parent;
    parent.resize(100, 100);
    CBitmapWnd wnd;
    QVERIFY(wnd.Create(&parent, true));
    wnd.SetBitmap(ShapeImage({10, 10}, {0, 0, 10, 5}), kMagenta);
    QVERIFY(!wnd.SetHoverBitmap(QImage(), kMagenta));
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QTest::mouseMove(&wnd, QPoint(5, 2));
    QVERIFY(!wnd.IsHovered());
    QCOMPARE(wnd.size(), QSize(10, 10));
}

void tst_BitmapWnd::childTakesTheMouseOnlyOnItsShape_data()
{
    // A frame whose mouse-over image has a smaller hole; the mouse comes onto the frame first.
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("onShape");
    QTest::newRow("on the frame") << QPoint(2, 2) << true;
    QTest::newRow("in both holes") << QPoint(15, 15) << false;
    QTest::newRow("in the normal image's hole only") << QPoint(11, 11) << true;
}

void tst_BitmapWnd::childTakesTheMouseOnlyOnItsShape()
{
    QFETCH(QPoint, point);
    QFETCH(bool, onShape);
    const QColor parentColour(0, 160, 0);
    const QColor hoverColour(200, 60, 30);
    CPressRecorder parent;
    parent.resize(80, 80);
    parent.setPalette(QPalette(parentColour));
    parent.setAutoFillBackground(true);
    CBitmapWnd wnd;
    QVERIFY(wnd.Create(&parent, true));
    QImage normal = ShapeImage({30, 30}, {0, 0, 30, 30});
    normal.fill(QColor(20, 90, 160));
    QPainter(&normal).fillRect(10, 10, 10, 10, QColor(255, 0, 255));
    QImage hover = Solid({30, 30}, hoverColour);
    QPainter(&hover).fillRect(12, 12, 6, 6, QColor(255, 0, 255));
    wnd.SetBitmap(normal, kMagenta);
    wnd.SetHoverBitmap(hover, kMagenta);
    wnd.SetCursorShape(QCursor(Qt::PointingHandCursor));
    wnd.move(20, 20);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QWindow* const pWindow = parent.windowHandle();
    QSignalSpy spy(&wnd, &CBitmapWnd::clicked);

    // Qt drops a move to where the mouse already is: each row comes from beside the button.
    QTest::mouseMove(pWindow, QPoint(1, 1));
    QTest::mouseMove(pWindow, wnd.pos() + QPoint(2, 2));
    QVERIFY(wnd.IsHovered());
    QTest::mouseMove(pWindow, wnd.pos() + point);
    QCOMPARE(wnd.IsHovered(), onShape);
    const QWidget* const pUnder = QApplication::widgetAt(wnd.mapToGlobal(point));
    QVERIFY(pUnder != nullptr);
    QCOMPARE(pUnder->cursor().shape(), onShape ? Qt::PointingHandCursor : Qt::ArrowCursor);
    const QColor shown = parent.grab().toImage().pixelColor(wnd.pos() + point);
    QCOMPARE(shown, onShape ? hoverColour : parentColour);

    // A press on the shape stays with the button (no drag of the parent); elsewhere it goes on.
    QTest::mousePress(pWindow, Qt::LeftButton, {}, wnd.pos() + point);
    QTest::mouseRelease(pWindow, Qt::LeftButton, {}, wnd.pos() + point);
    QCoreApplication::processEvents();
    QCOMPARE(parent.m_nPresses, onShape ? 0 : 1);
    QCOMPARE(spy.count(), onShape ? 1 : 0);
}

void tst_BitmapWnd::clickOnlyWhenReleasedOverTheShape_data()
{
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<int>("clicks");
    QTest::newRow("released inside") << QPoint(12, 3) << 1;
    QTest::newRow("released outside the window") << QPoint(60, 60) << 0;
    QTest::newRow("released on a transparent pixel") << QPoint(12, 15) << 0;
}

void tst_BitmapWnd::clickOnlyWhenReleasedOverTheShape()
{
    QFETCH(QPoint, release);
    QFETCH(int, clicks);
    QWidget parent;
    parent.resize(120, 120);
    CBitmapWnd wnd;
    QVERIFY(wnd.Create(&parent, true));
    wnd.SetBitmap(ShapeImage({20, 20}, {0, 0, 20, 10}), kMagenta);
    wnd.move(10, 10);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QSignalSpy spy(&wnd, &CBitmapWnd::clicked);

    QTest::mousePress(&wnd, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&wnd, Qt::LeftButton, {}, release);
    // The click arrives from the event loop, not during the release.
    QCOMPARE(spy.count(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), clicks);
}

void tst_BitmapWnd::popupNeverClicks()
{
    CBitmapWnd wnd;
    QVERIFY(wnd.Create(nullptr, false));
    wnd.SetBitmap(Solid({20, 20}, Qt::black), kMagenta);
    QVERIFY(QTest::qWaitForWindowExposed(&wnd));
    QSignalSpy spy(&wnd, &CBitmapWnd::clicked);
    QTest::mouseClick(&wnd, Qt::LeftButton, {}, QPoint(5, 5));
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 0);
}

void tst_BitmapWnd::text_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QStringList>("expectedLines");
    const QRect area(10, 8, 90, 40);
    QTest::newRow("empty area draws nothing") << "Title" << QRect(10, 8, 0, 40) << QStringList();
    QTest::newRow("flat area draws nothing") << "Title" << QRect(10, 8, 90, 0) << QStringList();
    QTest::newRow("short title") << "Note" << area << QStringList{"Note"};
    QTest::newRow("over-long title ends in an ellipsis")
        << "A title far too long for its area" << area
        << QStringList{"A title far too long for its area"};
    QTest::newRow("line breaks give lines") << "One\nTwo" << area << QStringList{"One", "Two"};
    QTest::newRow("lines below the area are clipped")
        << "One\nTwo\nThree\nFour" << QRect(10, 8, 90, 25) << QStringList{"One", "Two"};
}

void tst_BitmapWnd::text()
{
    QFETCH(QString, title);
    QFETCH(QRect, area);
    QFETCH(QStringList, expectedLines);
    CBitmapWnd wnd;
    QVERIFY(wnd.Create(nullptr, false));
    wnd.SetBitmap(Solid({120, 70}, Qt::white), kMagenta);
    wnd.setWindowTitle(title);
    const LOGFONT lf = TitleFont();
    wnd.SetTextArea(
        RECT{area.left(), area.top(), area.left() + area.width(), area.top() + area.height()},
        RGB(0, 0, 0), &lf);
    const QImage shown = wnd.grab().toImage().convertToFormat(QImage::Format_RGB32);

    // What the rule asks for, drawn the plain way: each line elided on its own, clipped.
    QImage expected = Solid({120, 70}, Qt::white);
    if (!expectedLines.isEmpty()) {
        QPainter painter(&expected);
        painter.setClipRect(area);
        QFont titleFont(QString(), -1);
        titleFont.setPixelSize(14);
        titleFont.setWeight(QFont::Normal);
        painter.setFont(titleFont);
        const QFontMetrics metrics(titleFont);
        int y = area.top();
        for (const QString& line : expectedLines) {
            painter.drawText(QRect(area.left(), y, area.width(), metrics.height()),
                             Qt::AlignLeft | Qt::AlignTop,
                             metrics.elidedText(line, Qt::ElideRight, area.width()));
            y += metrics.lineSpacing();
        }
    }
    const QRegion ink = InkOf(shown);
    QCOMPARE(ink.isEmpty(), expectedLines.isEmpty());
    QVERIFY(ink.subtracted(QRegion(area)).isEmpty());
    QVERIFY(ink.xored(InkOf(expected)).isEmpty());
}

void tst_BitmapWnd::childTextOnlyOnVisiblePixels()
{
    QWidget parent;
    parent.resize(160, 100);
    parent.setPalette(QPalette(Qt::white));
    parent.setAutoFillBackground(true);
    CBitmapWnd wnd;
    QVERIFY(wnd.Create(&parent, true));
    // White, with a transparent band through the text area.
    QImage bitmap = Solid({120, 70}, Qt::white);
    const QRect rcBand(10, 14, 100, 6);
    QPainter(&bitmap).fillRect(rcBand, QColor(255, 0, 255));
    wnd.SetBitmap(bitmap, kMagenta);
    wnd.move(20, 10);
    wnd.setWindowTitle(QStringLiteral("MMMMMMMMMMMMMMMM"));
    const LOGFONT lf = TitleFont();
    wnd.SetTextArea(RECT{10, 8, 110, 40}, RGB(0, 0, 0), &lf);
    const QImage shown = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);

    const QRegion ink = InkOf(shown).translated(-wnd.pos());
    QVERIFY(!ink.isEmpty());
    QVERIFY(ink.intersected(rcBand).isEmpty());
    QVERIFY(ink.subtracted(QRect(10, 8, 100, 32)).isEmpty());
}

QTEST_MAIN(tst_BitmapWnd)
#include "tst_bitmapwnd.moc"
