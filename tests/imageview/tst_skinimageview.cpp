#include "pickercursor.h"
#include "qtconvert.h"
#include "skinimageview.h"
#include "syscolors.h"
#include "testimages.h"

#include <QEnterEvent>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cstdlib>
#include <memory>
#include <optional>

Q_DECLARE_METATYPE(RECT)

namespace {

const QColor RED(255, 0, 0);
const QColor BLUE(0, 0, 255);
const QColor MAGENTA(255, 0, 255);
const QColor GREEN(0, 255, 0);
const QRgb BLACK = qRgb(0, 0, 0);

QByteArray Describe(const RECT& rc)
{
    return QByteArray::number(rc.left) + "," + QByteArray::number(rc.top) + "," +
           QByteArray::number(rc.right) + "," + QByteArray::number(rc.bottom);
}

QImage Grab(QWidget& wnd)
{
    return wnd.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int ScrollBarExtent()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

QRgb Background()
{
    return SysColor(COLOR_BACKGROUND).rgb();
}

std::optional<QPoint> Find(const QImage& image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour) {
                return QPoint(x, y);
            }
        }
    }
    return std::nullopt;
}

// The bounding box of the pixels that differ between two grabs.
QRect Difference(const QImage& a, const QImage& b)
{
    QRect rc;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                rc |= QRect(x, y, 1, 1);
            }
        }
    }
    return rc;
}

LOGFONT SampleFont()
{
    LOGFONT logFont;
    logFont.lfHeight = -14;
    logFont.lfWeight = FW_BOLD;
    return logFont;
}

void Drag(QWidget* pWnd, QPoint from, QPoint to)
{
    QTest::mousePress(pWnd, Qt::LeftButton, {}, from);
    if (from != to) {
        QTest::mouseMove(pWnd, (from + to) / 2);
        QTest::mouseMove(pWnd, to);
    }
    QTest::mouseRelease(pWnd, Qt::LeftButton, {}, to);
}

// Unset: a window shows the arrow, a child its parent's cursor.
bool HasArrowCursor(const QWidget& wnd)
{
    return wnd.cursor().shape() == Qt::ArrowCursor;
}

bool HasPickerCursor(const QWidget& wnd)
{
    return wnd.testAttribute(Qt::WA_SetCursor) && wnd.cursor().shape() == Qt::BitmapCursor &&
           wnd.cursor().hotSpot() == QPoint(PICKER_CURSOR_HOTX, PICKER_CURSOR_HOTY);
}

} // namespace

class tst_SkinImageView : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void createView();
    void decodedOnceWhenHandedOver();
    void placement_data();
    void placement();
    void backgroundAndBorder();
    void keyedPixels();
    void keyedPixelsFollowTheDesktopColour();
    void frameOutsideRightAndBottom();
    void showTitleOnly();
    void samplesFollowTheHiddenImage();
    void samplesMoveWithWideImage();
    void samplesHiddenWhenEmpty_data();
    void samplesHiddenWhenEmpty();
    void titleIsOneLineMessageWraps();
    void messageLeavesOutPartialLine();
    void setImageDropsOverlays();
    void overlaysNeedTheirBit();

    void picker_data();
    void picker();
    void pickerFrameFollowsTheDrag();
    void pickerShowsOnAnyImage_data();
    void pickerShowsOnAnyImage();
    void pickerStaysOnTheImageWhenTheViewResizes();
    void escapeCancels();
    void rightButtonCancels();
    void inactivePickerIgnoresPresses_data();
    void inactivePickerIgnoresPresses();
    void pickerRectBeforeFirstPaint();
    void cursors();

    void zoomSteps();
    void wheelZoomKeepsThePixelUnderTheCursor_data();
    void wheelZoomKeepsThePixelUnderTheCursor();
    void dragAtTwiceIsHalfTheDistance_data();
    void dragAtTwiceIsHalfTheDistance();
    void nudges_data();
    void nudges();
    void snapsToOpaqueEdges_data();
    void snapsToOpaqueEdges();
    void gridFromEightTimes_data();
    void gridFromEightTimes();
    void transparencyDisplay_data();
    void transparencyDisplay();
    void pans_data();
    void pans();
    void reportsThePixelUnderTheCursor();

private:
    // A 202 x 206 view, shown and painted once, with a 100 x 60 red image at (51, 73) and the
    // picker armed.
    void ShowArmed();

    std::unique_ptr<CDib> m_pMain;
    std::unique_ptr<CDib> m_pOverlay;
    std::unique_ptr<CSkinImageView> m_pView;
};

void tst_SkinImageView::init()
{
    m_pMain = MakeDib(100, 60, RED, {{{5, 5}, MAGENTA}});
    m_pOverlay = MakeDib(10, 10, BLUE, {{{2, 2}, GREEN}});
    QVERIFY(m_pMain && m_pOverlay);
    m_pView = std::make_unique<CSkinImageView>();
    m_pView->resize(202, 206);
}

void tst_SkinImageView::ShowArmed()
{
    m_pView->SetImage(m_pMain.get(), RGB(255, 0, 255));
    m_pView->SetPickerMode(1);
    m_pView->HidePicker(false);
    m_pView->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pView.get()));
    Grab(*m_pView);
}

void tst_SkinImageView::createView()
{
    QWidget parent;
    QVERIFY(m_pView->CreateView(&parent));
    QCOMPARE(m_pView->parentWidget(), &parent);
    QCOMPARE(m_pView->objectName(), QStringLiteral("1"));
    QVERIFY(m_pView->geometry().isEmpty());
    QVERIFY(!m_pView->isHidden());
    m_pView.release(); // the parent owns it now
}

void tst_SkinImageView::decodedOnceWhenHandedOver()
{
    m_pView->SetImage(m_pMain.get(), 0);
    QCOMPARE(Grab(*m_pView).pixel(100, 100), RED.rgb());
    // Changed in place: the view keeps showing what it was given until it is given it again.
    *m_pMain = *MakeDib(100, 60, BLUE);
    QCOMPARE(Grab(*m_pView).pixel(100, 100), RED.rgb());
    m_pView->SetImage(m_pMain.get(), 0);
    QCOMPARE(Grab(*m_pView).pixel(100, 100), BLUE.rgb());
}

void tst_SkinImageView::placement_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("view");
    QTest::addColumn<QPoint>("origin");

    QTest::newRow("100 x 60") << QSize(100, 60) << QSize(202, 206) << QPoint(51, 73);
    QTest::newRow("101 x 61, halves truncated")
        << QSize(101, 61) << QSize(202, 206) << QPoint(51, 73);
    // Larger than the view: scrolled to the middle of what the scroll bars leave.
    const int b = ScrollBarExtent();
    QTest::newRow("wider than the view")
        << QSize(300, 40) << QSize(202, 206) << QPoint(-49, (206 - b) / 2 - 20);
    QTest::newRow("larger than the view")
        << QSize(250, 251) << QSize(202, 206)
        << QPoint(-((250 - (202 - b)) / 2), -((251 - (206 - b)) / 2));
}

void tst_SkinImageView::placement()
{
    QFETCH(QSize, image);
    QFETCH(QSize, view);
    QFETCH(QPoint, origin);

    // A blue marker well inside the image and inside the view.
    const QPoint ptMarker(qMax(2, 10 - origin.x()), qMax(2, 10 - origin.y()));
    const auto pDib =
        MakeDib(image.width(), image.height(), RED, {{{ptMarker.x(), ptMarker.y()}, BLUE}});
    m_pView->resize(view);
    m_pView->SetImage(pDib.get(), RGB(255, 0, 255));
    const std::optional<QPoint> found = Find(Grab(*m_pView), BLUE.rgb());
    QVERIFY(found);
    QCOMPARE(*found - ptMarker, origin);
}

void tst_SkinImageView::backgroundAndBorder()
{
    const QRgb shadow = SysColor(COLOR_BTNSHADOW).rgb();
    const QRgb highlight = SysColor(COLOR_BTNHIGHLIGHT).rgb();
    for (const bool bImage : {false, true}) {
        m_pView->SetImage(bImage ? m_pMain.get() : nullptr, 0);
        const QImage grab = Grab(*m_pView);
        QCOMPARE(grab.pixel(10, 10), Background());
        QCOMPARE(grab.pixel(190, 195), Background());
        QCOMPARE(grab.pixel(0, 100), shadow);
        QCOMPARE(grab.pixel(100, 0), shadow);
        QCOMPARE(grab.pixel(201, 100), highlight);
        QCOMPARE(grab.pixel(100, 205), highlight);
        QCOMPARE(grab.pixel(201, 0), highlight);
        QCOMPARE(grab.pixel(0, 205), highlight);
        QCOMPARE(grab.pixel(100, 100), bImage ? RED.rgb() : Background());
    }
}

void tst_SkinImageView::keyedPixels()
{
    m_pView->m_nShowParts = CSkinImageView::SHOW_NOTE_IMAGE | CSkinImageView::SHOW_CLOSE_BUTTON;
    m_pView->SetImage(m_pMain.get(), RGB(255, 0, 255));
    m_pView->AddOverlay(m_pOverlay.get(), 20, 20, 30, 30, RGB(0, 255, 0));
    const QImage grab = Grab(*m_pView);
    const QPoint origin(51, 73);
    QCOMPARE(grab.pixel(origin + QPoint(5, 5)), Background()); // the main image's key
    QCOMPARE(grab.pixel(origin + QPoint(6, 5)), RED.rgb());
    QCOMPARE(grab.pixel(origin + QPoint(22, 22)), RED.rgb()); // the overlay's key
    QCOMPARE(grab.pixel(origin + QPoint(23, 22)), BLUE.rgb());
    QCOMPARE(grab.pixel(origin + QPoint(29, 29)), BLUE.rgb()); // drawn at its own size
    QCOMPARE(grab.pixel(origin + QPoint(30, 30)), RED.rgb());
}

void tst_SkinImageView::keyedPixelsFollowTheDesktopColour()
{
    m_pView->SetImage(m_pMain.get(), RGB(255, 0, 255));
    Grab(*m_pView);
    const QPalette palette = QApplication::palette();
    QPalette changed = palette;
    changed.setColor(QPalette::Dark, QColor(12, 34, 56));
    // Qt hands a new application palette on to the widgets through the event loop.
    QApplication::setPalette(changed);
    QCoreApplication::processEvents();
    const QImage grab = Grab(*m_pView);
    QApplication::setPalette(palette);
    QCoreApplication::processEvents();
    QCOMPARE(grab.pixel(10, 10), qRgb(12, 34, 56));
    QCOMPARE(grab.pixel(51 + 5, 73 + 5), qRgb(12, 34, 56));
    QCOMPARE(Grab(*m_pView).pixel(51 + 5, 73 + 5), Background());
}

void tst_SkinImageView::frameOutsideRightAndBottom()
{
    m_pView->SetImage(m_pMain.get(), RGB(255, 0, 255));
    const QImage grab = Grab(*m_pView);
    const int l = 51;
    const int t = 73;
    const int r = l + 100;
    const int b = t + 60;
    auto blackInColumn = [&](int x) {
        int n = 0;
        for (int y = t; y <= b; ++y) {
            n += grab.pixel(x, y) == BLACK ? 1 : 0;
        }
        return n;
    };
    auto blackInRow = [&](int y) {
        int n = 0;
        for (int x = l; x <= r; ++x) {
            n += grab.pixel(x, y) == BLACK ? 1 : 0;
        }
        return n;
    };
    QVERIFY(blackInColumn(l) > 0);
    QVERIFY(blackInRow(t) > 0);
    QVERIFY(blackInColumn(r) > 0);
    QVERIFY(blackInRow(b) > 0);
    QCOMPARE(blackInColumn(l - 1), 0);
    QCOMPARE(blackInColumn(r - 1), 0);
    QCOMPARE(blackInColumn(r + 1), 0);
    QCOMPARE(blackInRow(t - 1), 0);
    QCOMPARE(blackInRow(b - 1), 0);
    QCOMPARE(blackInRow(b + 1), 0);
    // Dotted: three pixels on, three off, from the top-left corner.
    const QList<QRgb> expected{BLACK, BLACK, BLACK, RED.rgb(), RED.rgb(), RED.rgb(), BLACK};
    QList<QRgb> actual;
    for (int x = l; x < l + 7; ++x) {
        actual.append(grab.pixel(x, t));
    }
    QCOMPARE(actual, expected);
}

void tst_SkinImageView::showTitleOnly()
{
    const LOGFONT font = SampleFont();
    m_pView->SetImage(m_pMain.get(), RGB(255, 0, 255));
    m_pView->AddOverlay(m_pOverlay.get(), 20, 20, 30, 30, RGB(0, 255, 0));
    m_pView->HidePicker(false);
    m_pView->SetTitleSample("Title", 10, 5, 90, 25, &font, RGB(255, 255, 255));
    m_pView->SetMessageSample("Message", 10, 30, 90, 55, &font, RGB(255, 255, 255));
    m_pView->m_nShowParts = 0xF;
    Grab(*m_pView);

    m_pView->m_nShowParts = CSkinImageView::SHOW_TITLE;
    const QImage grab = Grab(*m_pView);
    const QRect rcTitle = QRect(QPoint(51 + 10, 73 + 5), QSize(80, 20));
    bool bTitleDrawn = false;
    for (int y = 1; y < grab.height() - 1; ++y) {
        for (int x = 1; x < grab.width() - 1; ++x) {
            if (grab.pixel(x, y) != Background()) {
                QVERIFY2(rcTitle.contains(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                bTitleDrawn = true;
            }
        }
    }
    QVERIFY(bTitleDrawn);
}

void tst_SkinImageView::samplesFollowTheHiddenImage()
{
    const LOGFONT font = SampleFont();
    m_pView->SetTitleSample("Title", 10, 5, 90, 25, &font, RGB(255, 255, 255));
    m_pView->SetImage(m_pMain.get(), 0);
    // The image is not drawn, but the samples stay where it would be, through a resize.
    for (const QPoint origin : {QPoint(51, 73), QPoint(151, 170)}) {
        m_pView->resize(origin.x() * 2 + 100, origin.y() * 2 + 60);
        m_pView->m_nShowParts = CSkinImageView::SHOW_TITLE;
        const QImage withTitle = Grab(*m_pView);
        m_pView->m_nShowParts = 0;
        const QRect rcDrawn = Difference(withTitle, Grab(*m_pView));
        QVERIFY(!rcDrawn.isEmpty());
        QVERIFY(QRect(origin + QPoint(10, 5), QSize(80, 20)).contains(rcDrawn));
    }
}

void tst_SkinImageView::samplesMoveWithWideImage()
{
    const auto pWide = MakeDib(300, 40, RED);
    const LOGFONT font = SampleFont();
    m_pView->SetImage(pWide.get(), 0);
    m_pView->m_nShowParts = CSkinImageView::SHOW_NOTE_IMAGE | CSkinImageView::SHOW_MESSAGE;
    const QImage without = Grab(*m_pView);
    m_pView->SetMessageSample("Sample", 60, 5, 160, 35, &font, RGB(255, 255, 255));
    const QRect rcDrawn = Difference(Grab(*m_pView), without);
    QVERIFY(!rcDrawn.isEmpty());
    const int nTop = (206 - ScrollBarExtent()) / 2 - 20; // a horizontal scroll bar below
    QVERIFY(QRect(60 - 49, 5 + nTop, 100, 30).contains(rcDrawn));
}

void tst_SkinImageView::samplesHiddenWhenEmpty_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<RECT>("area");
    QTest::newRow("right < left") << QByteArray("Title") << RECT{50, 5, 10, 25};
    QTest::newRow("bottom = top") << QByteArray("Title") << RECT{10, 5, 90, 5};
    QTest::newRow("no text") << QByteArray() << RECT{10, 5, 90, 25};
}

void tst_SkinImageView::samplesHiddenWhenEmpty()
{
    QFETCH(QByteArray, text);
    QFETCH(RECT, area);
    const LOGFONT font = SampleFont();
    m_pView->SetImage(m_pMain.get(), 0);
    m_pView->m_nShowParts = 0xF;
    const QImage without = Grab(*m_pView);
    m_pView->SetTitleSample(text.toStdString(), area.left, area.top, area.right, area.bottom, &font,
                            RGB(255, 255, 255));
    m_pView->SetMessageSample(text.toStdString(), area.left, area.top, area.right, area.bottom,
                              &font, RGB(255, 255, 255));
    QCOMPARE(Grab(*m_pView), without);
}

void tst_SkinImageView::titleIsOneLineMessageWraps()
{
    const LOGFONT font = SampleFont();
    const int nLine = QFontMetrics(toQFont(font)).height();
    const std::string strLong = "one two three four five six seven eight nine ten eleven";
    m_pView->SetImage(m_pMain.get(), 0);
    m_pView->m_nShowParts = 0xF;
    const QImage without = Grab(*m_pView);

    m_pView->SetTitleSample(strLong, 5, 2, 95, 58, &font, RGB(255, 255, 255));
    const QRect rcTitle = Difference(Grab(*m_pView), without);
    QVERIFY(QRect(56, 75, 90, 56).contains(rcTitle));
    QVERIFY(rcTitle.height() <= nLine);

    m_pView->SetTitleSample("", 0, 0, 0, 0, &font, 0);
    m_pView->SetMessageSample(strLong, 5, 2, 95, 120, &font, RGB(255, 255, 255));
    const QRect rcMessage = Difference(Grab(*m_pView), without);
    QVERIFY(QRect(56, 75, 90, 118).contains(rcMessage));
    QVERIFY(rcMessage.height() > 2 * nLine);
}

void tst_SkinImageView::messageLeavesOutPartialLine()
{
    const LOGFONT font = SampleFont();
    const int nLine = QFontMetrics(toQFont(font)).height();
    m_pView->SetImage(m_pMain.get(), 0);
    m_pView->m_nShowParts = 0xF;
    const QImage without = Grab(*m_pView);
    // Room for one line and most of a second: only the first shows.
    m_pView->SetMessageSample("aaaa bbbb cccc dddd eeee ffff gggg", 5, 2, 45, 2 + 2 * nLine - 2,
                              &font, RGB(255, 255, 255));
    const QRect rcMessage = Difference(Grab(*m_pView), without);
    QVERIFY(!rcMessage.isEmpty());
    QVERIFY(rcMessage.bottom() < 73 + 2 + nLine);
}

void tst_SkinImageView::setImageDropsOverlays()
{
    m_pView->m_nShowParts = CSkinImageView::SHOW_NOTE_IMAGE | CSkinImageView::SHOW_CLOSE_BUTTON;
    m_pView->SetImage(m_pMain.get(), 0);
    m_pView->AddOverlay(m_pOverlay.get(), 20, 20, 30, 30, 0);
    QVERIFY(Find(Grab(*m_pView), BLUE.rgb()));
    m_pView->SetImage(m_pMain.get(), 0);
    QVERIFY(!Find(Grab(*m_pView), BLUE.rgb()));
}

void tst_SkinImageView::overlaysNeedTheirBit()
{
    const auto pSecond = MakeDib(10, 10, GREEN);
    m_pView->SetImage(m_pMain.get(), 0);
    m_pView->AddOverlay(m_pOverlay.get(), 20, 20, 30, 30, 0);
    m_pView->AddOverlay(pSecond.get(), 25, 25, 35, 35, 0); // later ones on top
    m_pView->m_nShowParts = CSkinImageView::SHOW_NOTE_IMAGE;
    QVERIFY(!Find(Grab(*m_pView), BLUE.rgb()));
    m_pView->m_nShowParts = CSkinImageView::SHOW_NOTE_IMAGE | CSkinImageView::SHOW_CLOSE_BUTTON;
    const QImage grab = Grab(*m_pView);
    QCOMPARE(grab.pixel(51 + 23, 73 + 23), BLUE.rgb());
    QCOMPARE(grab.pixel(51 + 27, 73 + 27), GREEN.rgb());
    m_pView->m_nShowParts = CSkinImageView::SHOW_CLOSE_BUTTON; // not without the image
    QVERIFY(!Find(Grab(*m_pView), BLUE.rgb()));
}

void tst_SkinImageView::picker_data()
{
    QTest::addColumn<RECT>("placed"); // empty: the picker is not placed
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<bool>("reported");
    QTest::addColumn<RECT>("expected");

    // Most placed rows put the picker at (10, 10, 110, 40), that is (61, 83)-(161, 113) in the
    // view.
    const RECT rc{10, 10, 110, 40};
    QTest::newRow("rubber band") << RECT{} << QPoint(61, 83) << QPoint(161, 113) << true
                                 << RECT{10, 10, 110, 40};
    QTest::newRow("rubber band up and left is reported normal")
        << RECT{} << QPoint(161, 113) << QPoint(61, 83) << true << RECT{10, 10, 110, 40};
    QTest::newRow("rubber band beyond the view, not clamped")
        << RECT{} << QPoint(61, 83) << QPoint(250, -20) << true << RECT{10, -93, 199, 10};
    QTest::newRow("inside moves at constant size")
        << rc << QPoint(100, 90) << QPoint(120, 100) << true << RECT{30, 20, 130, 50};
    QTest::newRow("bottom-right handle resizes")
        << rc << QPoint(159, 111) << QPoint(179, 121) << true << RECT{10, 10, 130, 50};
    QTest::newRow("handle past the opposite side turns over, reported normal")
        << rc << QPoint(159, 111) << QPoint(31, 93) << true << RECT{-18, 10, 10, 22};
    QTest::newRow("inverted rectangle of a skin is reported normal")
        << RECT{110, 40, 10, 10} << QPoint(100, 90) << QPoint(120, 100) << true
        << RECT{30, 20, 130, 50};
    QTest::newRow("left handle beyond the image")
        << rc << QPoint(62, 98) << QPoint(22, 98) << true << RECT{-30, 10, 110, 40};
    QTest::newRow("press on the rectangle without moving")
        << rc << QPoint(100, 90) << QPoint(100, 90) << false << RECT{};
    QTest::newRow("press elsewhere without moving")
        << rc << QPoint(20, 20) << QPoint(20, 20) << false << RECT{};
    QTest::newRow("moved and brought back")
        << rc << QPoint(100, 90) << QPoint(100, 90) << false << RECT{};
}

void tst_SkinImageView::picker()
{
    QFETCH(RECT, placed);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(bool, reported);
    QFETCH(RECT, expected);

    ShowArmed();
    const bool place = placed != RECT{};
    if (place) {
        m_pView->SetPickerRect(placed.left, placed.top, placed.right, placed.bottom);
    }
    QSignalSpy spy(m_pView.get(), &CSkinImageView::pickRectChanged);
    if (QByteArray(QTest::currentDataTag()) == "moved and brought back") {
        QTest::mousePress(m_pView.get(), Qt::LeftButton, {}, from);
        QTest::mouseMove(m_pView.get(), from + QPoint(30, 30));
        QTest::mouseMove(m_pView.get(), from);
        QTest::mouseRelease(m_pView.get(), Qt::LeftButton, {}, from);
    } else {
        Drag(m_pView.get(), from, to);
    }
    QCOMPARE(spy.count(), reported ? 1 : 0);
    if (reported) {
        QCOMPARE(Describe(spy.at(0).at(0).value<RECT>()), Describe(expected));
    }
    if (place && !reported) {
        // The rectangle is still where it was: a drag from its inside moves it from there.
        Drag(m_pView.get(), QPoint(100, 90), QPoint(101, 90));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(Describe(spy.at(0).at(0).value<RECT>()), Describe(RECT{11, 10, 111, 40}));
    }
}

void tst_SkinImageView::pickerFrameFollowsTheDrag()
{
    ShowArmed();
    Drag(m_pView.get(), QPoint(61, 83), QPoint(161, 113));
    const QImage grab = Grab(*m_pView);
    QCOMPARE(grab.pixel(61, 83), BLACK);   // top-left handle
    QCOMPARE(grab.pixel(100, 83), BLACK);  // top side
    QCOMPARE(grab.pixel(100, 112), BLACK); // bottom side, inside the rectangle
    QCOMPARE(grab.pixel(100, 100), RED.rgb());
    QCOMPARE(grab.pixel(100, 113), RED.rgb());
    m_pView->HidePicker(true);
    QCOMPARE(Grab(*m_pView).pixel(100, 83), RED.rgb());
}

void tst_SkinImageView::pickerShowsOnAnyImage_data()
{
    QTest::addColumn<QColor>("image");
    QTest::newRow("black") << QColor(Qt::black);
    QTest::newRow("white") << QColor(Qt::white);
    QTest::newRow("mid grey") << QColor(128, 128, 128);
}

void tst_SkinImageView::pickerShowsOnAnyImage()
{
    QFETCH(QColor, image);
    m_pMain = MakeDib(100, 60, image);
    ShowArmed();
    m_pView->SetPickerRect(10, 10, 90, 50); // (61, 83)-(141, 123) in the view
    const QImage withHandles = Grab(*m_pView);
    m_pView->m_nStyle = CRectTracker::solidLine;
    const QImage outlineOnly = Grab(*m_pView);
    // Within nRadius of pt a pixel stands out from the image (and is not in *pBefore).
    const auto shows = [&](const QImage& grab, QPoint pt, int nRadius, const QImage* pBefore) {
        for (int y = pt.y() - nRadius; y <= pt.y() + nRadius; ++y) {
            for (int x = pt.x() - nRadius; x <= pt.x() + nRadius; ++x) {
                const QRgb rgb = grab.pixel(x, y);
                if (std::abs(qGray(rgb) - qGray(image.rgb())) >= 96 &&
                    (pBefore == nullptr || pBefore->pixel(x, y) != rgb)) {
                    return true;
                }
            }
        }
        return false;
    };
    for (const QPoint pt : {QPoint(80, 83), QPoint(80, 122), QPoint(61, 92), QPoint(140, 92)}) {
        QVERIFY2(shows(outlineOnly, pt, 1, nullptr), "outline");
    }
    for (const QPoint pt : {QPoint(62, 84), QPoint(139, 84), QPoint(139, 121), QPoint(62, 121),
                            QPoint(101, 84), QPoint(139, 103), QPoint(101, 121), QPoint(62, 103)}) {
        QVERIFY2(shows(withHandles, pt, CSkinImageView::kHandleSize - 1, &outlineOnly), "handle");
    }
}

void tst_SkinImageView::pickerStaysOnTheImageWhenTheViewResizes()
{
    // Regression: the rectangle kept its place in the view while the image re-centred.
    ShowArmed();
    m_pView->SetPickerRect(10, 10, 110, 40);
    m_pView->resize(302, 306); // the image moves from (51, 73) to (101, 123)
    const QImage grab = Grab(*m_pView);
    QVERIFY(m_pView->GetPickerRect() == (RECT{10, 10, 110, 40}));
    QCOMPARE(grab.pixel(101 + 10, 123 + 10), BLACK); // top-left handle, on the image
    QCOMPARE(grab.pixel(51 + 10 + 40, 73 + 10), SysColor(COLOR_BACKGROUND).rgb());
}

void tst_SkinImageView::escapeCancels()
{
    // Another widget has the focus: Escape still reaches the drag.
    QWidget window;
    auto* pLayout = new QVBoxLayout(&window);
    auto* pEdit = new QLineEdit(&window);
    pLayout->addWidget(pEdit);
    pLayout->addWidget(m_pView.get());
    // The window must not delete the view the test owns, whichever way the test ends.
    const auto unparent = qScopeGuard([this] { m_pView->setParent(nullptr); });
    m_pView->setFixedSize(202, 206);
    m_pView->SetImage(m_pMain.get(), 0);
    m_pView->HidePicker(false);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Grab(*m_pView);
    m_pView->SetPickerRect(10, 10, 110, 40);
    pEdit->setFocus();
    QSignalSpy spy(m_pView.get(), &CSkinImageView::pickRectChanged);

    QTest::mousePress(m_pView.get(), Qt::LeftButton, {}, QPoint(100, 90));
    QTest::mouseMove(m_pView.get(), QPoint(140, 120));
    QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
    QTest::mouseRelease(m_pView.get(), Qt::LeftButton, {}, QPoint(140, 120));
    QCOMPARE(spy.count(), 0);
    QVERIFY(pEdit->text().isEmpty());

    Drag(m_pView.get(), QPoint(100, 90), QPoint(101, 90));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Describe(spy.at(0).at(0).value<RECT>()), Describe(RECT{11, 10, 111, 40}));
}

void tst_SkinImageView::rightButtonCancels()
{
    ShowArmed();
    m_pView->SetPickerRect(10, 10, 110, 40);
    QSignalSpy spy(m_pView.get(), &CSkinImageView::pickRectChanged);
    QTest::mousePress(m_pView.get(), Qt::LeftButton, {}, QPoint(61, 83));
    QTest::mouseMove(m_pView.get(), QPoint(140, 120));
    QTest::mousePress(m_pView.get(), Qt::RightButton, {}, QPoint(140, 120));
    QTest::mouseRelease(m_pView.get(), Qt::RightButton, {}, QPoint(140, 120));
    QTest::mouseRelease(m_pView.get(), Qt::LeftButton, {}, QPoint(140, 120));
    QCOMPARE(spy.count(), 0);
    // The rectangle before the drag is back: its inside moves it.
    Drag(m_pView.get(), QPoint(100, 90), QPoint(102, 90));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Describe(spy.at(0).at(0).value<RECT>()), Describe(RECT{12, 10, 112, 40}));
}

void tst_SkinImageView::inactivePickerIgnoresPresses_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<bool>("image");
    QTest::newRow("off") << 0 << false << true;
    QTest::newRow("mode 2 is off too") << 2 << false << true;
    QTest::newRow("hidden") << 1 << true << true;
    QTest::newRow("no image") << 1 << false << false;
}

void tst_SkinImageView::inactivePickerIgnoresPresses()
{
    QFETCH(int, mode);
    QFETCH(bool, hidden);
    QFETCH(bool, image);
    ShowArmed();
    m_pView->SetPickerMode(mode);
    m_pView->HidePicker(hidden);
    if (!image) {
        m_pView->ClearImage();
    }
    m_pView->unsetCursor(); // whatever the pointer got while the picker was armed
    QSignalSpy spy(m_pView.get(), &CSkinImageView::pickRectChanged);
    Drag(m_pView.get(), QPoint(61, 83), QPoint(161, 113));
    QCOMPARE(spy.count(), 0);
    QVERIFY(!HasPickerCursor(*m_pView));
}

void tst_SkinImageView::pickerRectBeforeFirstPaint()
{
    m_pView->SetPickerRect(10, 10, 40, 40); // image coordinates before the view ever showed
    ShowArmed();
    QSignalSpy spy(m_pView.get(), &CSkinImageView::pickRectChanged);
    Drag(m_pView.get(), QPoint(51 + 20, 73 + 20), QPoint(51 + 25, 73 + 25));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Describe(spy.at(0).at(0).value<RECT>()), Describe(RECT{15, 15, 45, 45}));
}

void tst_SkinImageView::cursors()
{
    ShowArmed();
    m_pView->SetPickerRect(10, 10, 110, 40);
    auto hover = [&](QPoint point) { QTest::mouseMove(m_pView.get(), point); };
    auto enter = [&](QPoint point) {
        QEnterEvent event(point, point, m_pView->mapToGlobal(point));
        QApplication::sendEvent(m_pView.get(), &event);
    };

    hover(QPoint(20, 20));
    QVERIFY(HasPickerCursor(*m_pView));
    hover(QPoint(100, 90));
    QCOMPARE(m_pView->cursor().shape(), Qt::SizeAllCursor);
    hover(QPoint(159, 111));
    QCOMPARE(m_pView->cursor().shape(), Qt::SizeFDiagCursor);
    hover(QPoint(20, 20));
    QVERIFY(HasPickerCursor(*m_pView));

    // Idle (hidden): the cursor keeps its shape while inside, and comes in as it was outside.
    m_pView->HidePicker(true);
    hover(QPoint(100, 90));
    QVERIFY(HasPickerCursor(*m_pView));
    enter(QPoint(100, 90));
    QVERIFY(HasArrowCursor(*m_pView));
    hover(QPoint(20, 20));
    QVERIFY(HasArrowCursor(*m_pView));

    // Off: the arrow, always.
    m_pView->HidePicker(false);
    hover(QPoint(22, 20));
    QVERIFY(HasPickerCursor(*m_pView));
    m_pView->SetPickerMode(0);
    hover(QPoint(21, 20));
    QVERIFY(HasArrowCursor(*m_pView));
}

void tst_SkinImageView::zoomSteps()
{
    const auto pLarge = MakeDib(400, 300, RED);
    m_pView->SetImage(pLarge.get(), 0);
    QSignalSpy spy(m_pView.get(), &CSkinImageView::zoomChanged);
    QCOMPARE(m_pView->GetZoom(), 1.0);
    m_pView->ZoomToFit(); // 1/2 is the largest step at which 400 x 300 fits 202 x 206
    QCOMPARE(m_pView->GetZoom(), 0.5);
    QCOMPARE(spy.count(), 1);
    for (int i = 0; i < 20; ++i) {
        m_pView->ZoomIn();
    }
    QCOMPARE(m_pView->GetZoom(), 32.0);
    QVERIFY(!m_pView->CanZoomIn() && m_pView->CanZoomOut());
    m_pView->ZoomActualSize();
    QCOMPARE(m_pView->GetZoomIndex(), 3);
    QCOMPARE(spy.count(), 1 + 10 + 1);
}

void tst_SkinImageView::wheelZoomKeepsThePixelUnderTheCursor_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("notches");
    QTest::addColumn<QPoint>("cursor");
    QTest::newRow("1x to 2x") << 3 << 1 << QPoint(30, 40);
    QTest::newRow("2x to 3x") << 4 << 1 << QPoint(150, 20);
    QTest::newRow("8x to 6x") << 8 << -1 << QPoint(100, 100);
    QTest::newRow("16x to 24x") << 10 << 1 << QPoint(7, 181);
}

void tst_SkinImageView::wheelZoomKeepsThePixelUnderTheCursor()
{
    QFETCH(int, from);
    QFETCH(int, notches);
    QFETCH(QPoint, cursor);
    const auto pLarge = MakeDib(400, 300, RED);
    m_pView->SetImage(pLarge.get(), 0);
    m_pView->SetZoomIndex(from);
    const QPoint ptPixel = m_pView->GetTransform().ImagePixelAt(QPointF(cursor));
    QWheelEvent event(QPointF(cursor), QPointF(m_pView->mapToGlobal(cursor)), QPoint(),
                      QPoint(0, notches * 120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_pView.get(), &event);
    QCOMPARE(m_pView->GetZoomIndex(), from + notches);
    QCOMPARE(m_pView->GetTransform().ImagePixelAt(QPointF(cursor)), ptPixel);
}

void tst_SkinImageView::dragAtTwiceIsHalfTheDistance_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<RECT>("expected");
    // At 2x the 100 x 60 image lies at (1, 43); the picker (10, 10, 40, 30) at (21, 63)-(81, 103).
    QTest::newRow("move") << QPoint(50, 80) << QPoint(70, 90) << RECT{20, 15, 50, 35};
    QTest::newRow("move by an odd distance snaps")
        << QPoint(50, 80) << QPoint(73, 89) << RECT{22, 15, 52, 35};
    QTest::newRow("rubber band") << QPoint(11, 53) << QPoint(52, 74) << RECT{5, 5, 26, 16};
}

void tst_SkinImageView::dragAtTwiceIsHalfTheDistance()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(RECT, expected);
    ShowArmed();
    m_pView->SetZoomIndex(4);
    m_pView->SetPickerRect(10, 10, 40, 30);
    QSignalSpy spyTracked(m_pView.get(), &CSkinImageView::trackedRectChanged);
    QSignalSpy spy(m_pView.get(), &CSkinImageView::pickRectChanged);
    Drag(m_pView.get(), from, to);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Describe(spy.at(0).at(0).value<RECT>()), Describe(expected));
    QVERIFY(!spyTracked.isEmpty());
    QCOMPARE(Describe(m_pView->GetPickerRect()), Describe(expected));
}

void tst_SkinImageView::nudges_data()
{
    QTest::addColumn<RECT>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<RECT>("expected"); // empty: no signal

    const RECT rc{10, 10, 40, 30};
    const int shift = Qt::ShiftModifier;
    const int alt = Qt::AltModifier;
    QTest::newRow("right") << rc << int(Qt::Key_Right) << 0 << RECT{11, 10, 41, 30};
    QTest::newRow("shift up") << rc << int(Qt::Key_Up) << shift << RECT{10, 0, 40, 20};
    QTest::newRow("shift left stops at the edge")
        << RECT{2, 10, 32, 30} << int(Qt::Key_Left) << shift << RECT{0, 10, 30, 30};
    QTest::newRow("shift down stops at the edge")
        << RECT{10, 50, 40, 58} << int(Qt::Key_Down) << shift << RECT{10, 52, 40, 60};
    QTest::newRow("at the edge already") << RECT{0, 10, 30, 30} << int(Qt::Key_Left) << 0 << RECT{};
    QTest::newRow("inverted, moved normal")
        << RECT{40, 30, 10, 10} << int(Qt::Key_Down) << 0 << RECT{10, 11, 40, 31};
    QTest::newRow("alt right widens") << rc << int(Qt::Key_Right) << alt << RECT{10, 10, 41, 30};
    QTest::newRow("alt up shortens") << rc << int(Qt::Key_Up) << alt << RECT{10, 10, 40, 29};
    QTest::newRow("alt shift right stops at the edge")
        << RECT{10, 10, 95, 30} << int(Qt::Key_Right) << (alt | shift) << RECT{10, 10, 100, 30};
    QTest::newRow("alt left keeps one pixel")
        << RECT{10, 10, 15, 30} << int(Qt::Key_Left) << (alt | shift) << RECT{10, 10, 11, 30};
    QTest::newRow("picker hidden") << rc << -int(Qt::Key_Right) << 0 << RECT{};
}

void tst_SkinImageView::nudges()
{
    QFETCH(RECT, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(RECT, expected);
    ShowArmed();
    m_pView->SetPickerRect(start.left, start.top, start.right, start.bottom);
    if (key < 0) {
        m_pView->HidePicker(true);
        key = -key;
    }
    QSignalSpy spy(m_pView.get(), &CSkinImageView::pickRectNudged);
    QTest::keyClick(m_pView.get(), static_cast<Qt::Key>(key),
                    static_cast<Qt::KeyboardModifiers>(modifiers));
    QCOMPARE(spy.count(), expected == RECT{} ? 0 : 1);
    if (!spy.isEmpty()) {
        QCOMPARE(Describe(spy.at(0).at(0).value<RECT>()), Describe(expected));
    }
}

void tst_SkinImageView::snapsToOpaqueEdges_data()
{
    QTest::addColumn<bool>("snap");
    QTest::addColumn<QPoint>("from"); // image coordinates, dragged at 1x
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<RECT>("expected");
    // An opaque rectangle (20, 10)-(70, 40) on the key colour.
    QTest::newRow("off") << false << QPoint(18, 8) << QPoint(72, 43) << RECT{18, 8, 72, 43};
    QTest::newRow("within reach") << true << QPoint(18, 8) << QPoint(72, 43)
                                  << RECT{20, 10, 70, 40};
    QTest::newRow("out of reach") << true << QPoint(14, 3) << QPoint(75, 46) << RECT{14, 3, 75, 46};
    QTest::newRow("inner edge") << true << QPoint(23, 12) << QPoint(68, 38) << RECT{20, 10, 70, 40};
}

void tst_SkinImageView::snapsToOpaqueEdges()
{
    QFETCH(bool, snap);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(RECT, expected);
    std::map<std::pair<int, int>, QColor> opaque;
    for (int y = 10; y < 40; ++y) {
        for (int x = 20; x < 70; ++x) {
            opaque[{x, y}] = RED;
        }
    }
    m_pMain = MakeDib(100, 60, MAGENTA, opaque);
    ShowArmed();
    m_pView->SetSnapToOpaqueEdges(snap);
    QSignalSpy spy(m_pView.get(), &CSkinImageView::pickRectChanged);
    const QPoint origin(51, 73);
    Drag(m_pView.get(), origin + from, origin + to);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Describe(spy.at(0).at(0).value<RECT>()), Describe(expected));
}

void tst_SkinImageView::gridFromEightTimes_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("grid");
    QTest::newRow("6x") << 7 << false;
    QTest::newRow("8x") << 8 << true;
    QTest::newRow("32x") << 12 << true;
}

void tst_SkinImageView::gridFromEightTimes()
{
    QFETCH(int, step);
    QFETCH(bool, grid);
    m_pView->SetImage(m_pMain.get(), RGB(255, 0, 255));
    m_pView->SetZoomIndex(step);
    const QImage without = Grab(*m_pView);
    m_pView->SetShowGrid(true);
    const QImage with = Grab(*m_pView);
    const CViewTransform& transform = m_pView->GetTransform();
    const QPoint ptLine = transform.ImageToWidget(QPointF(50, 30)).toPoint();
    const int nBlock = static_cast<int>(transform.GetScale());
    QCOMPARE(with.pixel(ptLine) != without.pixel(ptLine), grid);
    QCOMPARE(with.pixel(ptLine + QPoint(nBlock / 2, 0)) != without.pixel(ptLine), grid);
    QCOMPARE(with.pixel(ptLine + QPoint(nBlock / 2, nBlock / 2)), without.pixel(ptLine));
}

void tst_SkinImageView::transparencyDisplay_data()
{
    QTest::addColumn<int>("display");
    QTest::addColumn<QList<QRgb>>("shown"); // any of these
    QTest::newRow("key colour") << int(CSkinImageView::TransparencyDisplay::KeyColour)
                                << QList<QRgb>{MAGENTA.rgb()};
    QTest::newRow("checkerboard") << int(CSkinImageView::TransparencyDisplay::Checkerboard)
                                  << QList<QRgb>{qRgb(255, 255, 255), qRgb(204, 204, 204)};
    QTest::newRow("desktop") << int(CSkinImageView::TransparencyDisplay::Desktop)
                             << QList<QRgb>{Background()};
}

void tst_SkinImageView::transparencyDisplay()
{
    QFETCH(int, display);
    QFETCH(QList<QRgb>, shown);
    m_pView->SetImage(m_pMain.get(), RGB(255, 0, 255));
    QCOMPARE(m_pView->GetTransparencyDisplay(), CSkinImageView::TransparencyDisplay::Desktop);
    m_pView->SetTransparencyDisplay(static_cast<CSkinImageView::TransparencyDisplay>(display));
    for (const int nStep : {3, 8}) { // 1x and 8x, zoomed in at the keyed pixel
        m_pView->SetZoomIndex(nStep, m_pView->GetTransform().ImageToWidget(QPointF(5.25, 5.25)));
        const CViewTransform& transform = m_pView->GetTransform();
        const QImage grab = Grab(*m_pView);
        const QPointF ptKeyed = transform.ImageToWidget(QPointF(5.25, 5.25));
        QVERIFY(shown.contains(grab.pixel(ptKeyed.toPoint())));
        QCOMPARE(grab.pixel(transform.ImageToWidget(QPointF(6.25, 5.25)).toPoint()), RED.rgb());
    }
    // Under another key colour the former keyed pixel shows as it is.
    m_pView->SetImageTransparent(RGB(0, 0, 255));
    const QPointF ptFormer = m_pView->GetTransform().ImageToWidget(QPointF(5.25, 5.25));
    QCOMPARE(Grab(*m_pView).pixel(ptFormer.toPoint()), MAGENTA.rgb());
}

void tst_SkinImageView::pans_data()
{
    QTest::addColumn<QByteArray>("how");
    QTest::addColumn<QPoint>("moved"); // how far the image moves; for the wheel, only the sign
    QTest::newRow("middle drag") << QByteArray("middle") << QPoint(-20, -10);
    QTest::newRow("space drag") << QByteArray("space") << QPoint(-20, -10);
    QTest::newRow("wheel") << QByteArray("wheel") << QPoint(0, -1);
    QTest::newRow("shift wheel") << QByteArray("shift wheel") << QPoint(-1, 0);
}

void tst_SkinImageView::pans()
{
    QFETCH(QByteArray, how);
    QFETCH(QPoint, moved);
    m_pMain = MakeDib(400, 300, RED);
    ShowArmed();
    QSignalSpy spy(m_pView.get(), &CSkinImageView::pickRectChanged);
    const QPointF ptBefore = m_pView->GetTransform().GetOrigin();
    const QPoint from(100, 100);
    const QPoint to = from + QPoint(-20, -10);
    if (how == "middle") {
        QTest::mousePress(m_pView.get(), Qt::MiddleButton, {}, from);
        QTest::mouseMove(m_pView.get(), to);
        QTest::mouseRelease(m_pView.get(), Qt::MiddleButton, {}, to);
    } else if (how == "space") {
        QTest::keyPress(m_pView.get(), Qt::Key_Space);
        Drag(m_pView.get(), from, to);
        QTest::keyRelease(m_pView.get(), Qt::Key_Space);
    } else {
        const auto modifiers = how == "wheel" ? Qt::NoModifier : Qt::ShiftModifier;
        QWheelEvent event(QPointF(from), QPointF(m_pView->mapToGlobal(from)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_pView.get(), &event);
    }
    const QPointF ptMoved = m_pView->GetTransform().GetOrigin() - ptBefore;
    if (how.endsWith("wheel")) {
        QCOMPARE(QPoint(ptMoved.x() < 0   ? -1
                        : ptMoved.x() > 0 ? 1
                                          : 0,
                        ptMoved.y() < 0   ? -1
                        : ptMoved.y() > 0 ? 1
                                          : 0),
                 moved);
    } else {
        QCOMPARE(ptMoved, QPointF(moved));
    }
    QCOMPARE(spy.count(), 0);
}

void tst_SkinImageView::reportsThePixelUnderTheCursor()
{
    ShowArmed();
    m_pView->SetZoomIndex(4); // 2x: the image lies at (1, 43)
    QSignalSpy spy(m_pView.get(), &CSkinImageView::cursorMoved);
    QTest::mouseMove(m_pView.get(), QPoint(1 + 2 * 7 + 1, 43 + 2 * 9));
    QTest::mouseMove(m_pView.get(), QPoint(1 + 2 * 7, 43 + 2 * 9 + 1)); // the same pixel
    QTest::mouseMove(m_pView.get(), QPoint(100, 10));                   // above the image
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).value<std::optional<QPoint>>(), std::optional(QPoint(7, 9)));
    QCOMPARE(spy.at(1).at(0).value<std::optional<QPoint>>(), std::optional<QPoint>());
}

QTEST_MAIN(tst_SkinImageView)
#include "tst_skinimageview.moc"
