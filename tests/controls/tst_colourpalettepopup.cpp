#include "colourpalettepopup.h"
#include "metrics.h"
#include "qtconvert.h"
#include "scriptedprompts.h"
#include "syscolors.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <memory>
#include <set>

Q_DECLARE_METATYPE(COLORREF)

namespace {

// Sent straight to the widget: the window system drops a move to where the mouse already is.
void MoveMouse(QWidget* pWidget, const QPoint& pt)
{
    QMouseEvent move(QEvent::MouseMove, pt, pWidget->mapToGlobal(pt), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(pWidget, &move);
}

const QString kAuto = QStringLiteral("Automatic");
const QString kMore = QStringLiteral("More...");

QPoint Centre(const RECT& rc)
{
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

} // namespace

class tst_ColourPalettePopup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void paletteTable();
    void layout_data();
    void layout();
    void chosenBox_data();
    void chosenBox();
    void keys_data();
    void keys();
    void endings_data();
    void endings();
    void customEntry_data();
    void customEntry();
    void hotColourIsReported_data();
    void hotColourIsReported();
    void mouseTruncatesTowardZero();
    void emptyAutoTextIsUnreachable();
    void tooltipsNameTheColours();
    void drawsEveryBoxState();
    void opensAboveTheOwnerAtTheScreenBottom();

private:
    // Opens a popup under m_owner; the popup deletes itself when it ends.
    QPointer<CColourPalettePopup> Open(COLORREF crColour, const QString& strAuto = kAuto,
                                       const QString& strMore = kMore,
                                       QPoint ptTopLeft = QPoint(100, 100));
    void Hover(CColourPalettePopup* pPopup, int nBox);

    std::unique_ptr<QWidget> m_owner;
};

void tst_ColourPalettePopup::init()
{
    m_owner = std::make_unique<QWidget>();
    m_owner->setGeometry(100, 70, 120, 30);
    m_owner->show();
}

void tst_ColourPalettePopup::cleanup()
{
    m_owner.reset();
}

QPointer<CColourPalettePopup> tst_ColourPalettePopup::Open(COLORREF crColour,
                                                           const QString& strAuto,
                                                           const QString& strMore, QPoint ptTopLeft)
{
    QPointer<CColourPalettePopup> pPopup =
        std::make_unique<CColourPalettePopup>(ptTopLeft, crColour, m_owner.get(), strAuto, strMore)
            .release();
    pPopup->show();
    return pPopup;
}

void tst_ColourPalettePopup::Hover(CColourPalettePopup* pPopup, int nBox)
{
    RECT rc;
    if (nBox != BOX_NONE && pPopup->GetBoxRect(nBox, rc)) {
        MoveMouse(pPopup, Centre(rc));
        QCOMPARE(pPopup->HotBox(), nBox);
    }
}

void tst_ColourPalettePopup::paletteTable()
{
    std::set<COLORREF> colours;
    for (const PaletteColour& entry : PaletteColours) {
        colours.insert(entry.crColour);
        QVERIFY(entry.crColour <= 0x00FFFFFFu);
    }
    QCOMPARE(colours.size(), PaletteColours.size());
    QCOMPARE(QString::fromLatin1(PaletteColours[35].szName), QStringLiteral("Pale green "));
    QCOMPARE(PaletteColours[9].crColour, RGB(255, 104, 32));
    QCOMPARE(PaletteColours[39].crColour, RGB(255, 255, 255));
}

void tst_ColourPalettePopup::layout_data()
{
    QTest::addColumn<QString>("strAuto");
    QTest::addColumn<QString>("strMore");
    QTest::newRow("both") << kAuto << kMore;
    QTest::newRow("automatic only") << kAuto << QString();
    QTest::newRow("custom only") << QString() << kMore;
    QTest::newRow("neither") << QString() << QString();
    QTest::newRow("wide text") << QStringLiteral("An automatic entry wider than any palette grid")
                               << kMore;
}

void tst_ColourPalettePopup::layout()
{
    QFETCH(QString, strAuto);
    QFETCH(QString, strMore);
    const QPointer<CColourPalettePopup> pPopup = Open(0, strAuto, strMore);
    const int m = pPopup->Margin();
    const int B = pPopup->BoxSize();
    QCOMPARE(m, GetSystemMetrics(SM_CXEDGE));
    QCOMPARE(B, 18);
    QCOMPARE(pPopup->Columns(), 8);
    QCOMPARE(pPopup->Rows(), 5);

    const QFontMetrics metrics(QApplication::font("QMessageBox"));
    int tx = 0;
    for (const QString& strText : {strAuto, strMore}) {
        if (!strText.isEmpty()) {
            tx = std::max(tx, metrics.horizontalAdvance(strText));
        }
    }
    const int TH = metrics.height() + 4 * m + 2;
    QCOMPARE(pPopup->width(), std::max(8 * B + 2 * m, tx + 2 * m));

    int nHeight = 5 * B + 2 * m;
    int nGridTop = m;
    if (!strAuto.isEmpty()) {
        const RECT rc = pPopup->AutoBoxRect();
        QVERIFY(rc == (RECT{m, m, pPopup->width() - m, TH + 2 * m}));
        nGridTop = TH + 3 * m;
        nHeight += TH + 3 * m;
    }
    if (!strMore.isEmpty()) {
        const RECT rc = pPopup->MoreBoxRect();
        QVERIFY(rc == (RECT{m, nHeight, pPopup->width() - m, nHeight + m + TH}));
        nHeight += TH + 3 * m;
    }
    QCOMPARE(pPopup->height(), nHeight);

    RECT rcFirst;
    RECT rcLast;
    QVERIFY(pPopup->GetBoxRect(0, rcFirst));
    QVERIFY(pPopup->GetBoxRect(39, rcLast));
    QVERIFY(rcFirst == (RECT{m, nGridTop, m + B, nGridTop + B}));
    QCOMPARE(rcLast.left, 7 * B + m);
    QCOMPARE(rcLast.top, nGridTop + 4 * B);
    RECT rcNone;
    QVERIFY(!pPopup->GetBoxRect(40, rcNone));
    QVERIFY(!pPopup->GetBoxRect(BOX_NONE, rcNone));
}

void tst_ColourPalettePopup::chosenBox_data()
{
    QTest::addColumn<COLORREF>("crColour");
    QTest::addColumn<QString>("strAuto");
    QTest::addColumn<QString>("strMore");
    QTest::addColumn<int>("nChosen");
    QTest::newRow("table colour") << COLORREF{0x0000FFFF} << kAuto << kMore << 26;
    QTest::newRow("first entry") << COLORREF{0} << kAuto << kMore << 0;
    QTest::newRow("last entry") << COLORREF{0x00FFFFFF} << kAuto << kMore << 39;
    QTest::newRow("not in the table") << COLORREF{0x00123456} << kAuto << kMore << BOX_MORE;
    QTest::newRow("not in the table, no custom entry")
        << COLORREF{0x00123456} << kAuto << QString() << BOX_NONE;
    QTest::newRow("automatic") << CLR_DEFAULT << kAuto << kMore << BOX_AUTO;
    QTest::newRow("automatic without its entry") << CLR_DEFAULT << QString() << kMore << BOX_MORE;
}

void tst_ColourPalettePopup::chosenBox()
{
    QFETCH(COLORREF, crColour);
    QFETCH(QString, strAuto);
    QFETCH(QString, strMore);
    QFETCH(int, nChosen);
    const QPointer<CColourPalettePopup> pPopup = Open(crColour, strAuto, strMore);
    QCOMPARE(pPopup->ChosenBox(), nChosen);
    QCOMPARE(pPopup->HotBox(), nChosen >= 0 ? nChosen : BOX_NONE);
}

void tst_ColourPalettePopup::keys_data()
{
    QTest::addColumn<QString>("strAuto");
    QTest::addColumn<QString>("strMore");
    QTest::addColumn<int>("nStart");
    QTest::addColumn<int>("nKey");
    QTest::addColumn<int>("nExpected");
    const QString none;
    // Hot on the automatic entry.
    QTest::newRow("auto down") << kAuto << kMore << BOX_AUTO << int(Qt::Key_Down) << 0;
    QTest::newRow("auto right") << kAuto << kMore << BOX_AUTO << int(Qt::Key_Right) << 0;
    QTest::newRow("auto up") << kAuto << kMore << BOX_AUTO << int(Qt::Key_Up) << BOX_MORE;
    QTest::newRow("auto left") << kAuto << kMore << BOX_AUTO << int(Qt::Key_Left) << BOX_MORE;
    QTest::newRow("auto up, no custom") << kAuto << none << BOX_AUTO << int(Qt::Key_Up) << 39;
    QTest::newRow("auto left, no custom") << kAuto << none << BOX_AUTO << int(Qt::Key_Left) << 39;
    // Hot on the custom entry.
    QTest::newRow("more down") << kAuto << kMore << BOX_MORE << int(Qt::Key_Down) << BOX_AUTO;
    QTest::newRow("more right") << kAuto << kMore << BOX_MORE << int(Qt::Key_Right) << BOX_AUTO;
    QTest::newRow("more up") << kAuto << kMore << BOX_MORE << int(Qt::Key_Up) << 39;
    QTest::newRow("more left") << kAuto << kMore << BOX_MORE << int(Qt::Key_Left) << 39;
    QTest::newRow("more down, no auto") << none << kMore << BOX_MORE << int(Qt::Key_Down) << 0;
    QTest::newRow("more right, no auto") << none << kMore << BOX_MORE << int(Qt::Key_Right) << 0;
    // Inside the grid.
    QTest::newRow("down in a column") << kAuto << kMore << 3 << int(Qt::Key_Down) << 11;
    QTest::newRow("down off the grid") << kAuto << kMore << 35 << int(Qt::Key_Down) << BOX_MORE;
    QTest::newRow("down off, no custom") << kAuto << none << 35 << int(Qt::Key_Down) << BOX_AUTO;
    QTest::newRow("down off, no entries") << none << none << 35 << int(Qt::Key_Down) << 0;
    QTest::newRow("up in a column") << kAuto << kMore << 11 << int(Qt::Key_Up) << 3;
    QTest::newRow("up off the grid") << kAuto << kMore << 3 << int(Qt::Key_Up) << BOX_AUTO;
    QTest::newRow("up off, no auto") << none << kMore << 3 << int(Qt::Key_Up) << BOX_MORE;
    QTest::newRow("up off, no entries") << none << none << 3 << int(Qt::Key_Up) << 39;
    QTest::newRow("right in a row") << kAuto << kMore << 0 << int(Qt::Key_Right) << 1;
    QTest::newRow("right wraps a row") << kAuto << kMore << 7 << int(Qt::Key_Right) << 8;
    QTest::newRow("right on 39") << kAuto << kMore << 39 << int(Qt::Key_Right) << BOX_MORE;
    QTest::newRow("right on 39, no custom")
        << kAuto << none << 39 << int(Qt::Key_Right) << BOX_AUTO;
    QTest::newRow("right on 39, no entries") << none << none << 39 << int(Qt::Key_Right) << 0;
    QTest::newRow("left in a row") << kAuto << kMore << 1 << int(Qt::Key_Left) << 0;
    QTest::newRow("left wraps a row") << kAuto << kMore << 8 << int(Qt::Key_Left) << 7;
    QTest::newRow("left on 0") << kAuto << kMore << 0 << int(Qt::Key_Left) << BOX_AUTO;
    QTest::newRow("left on 0, no auto") << none << kMore << 0 << int(Qt::Key_Left) << BOX_MORE;
    QTest::newRow("left on 0, no entries") << none << none << 0 << int(Qt::Key_Left) << 39;
    // Nothing hot yet: row and column count as -1.
    QTest::newRow("none down") << kAuto << kMore << BOX_NONE << int(Qt::Key_Down) << BOX_MORE;
    QTest::newRow("none up") << kAuto << kMore << BOX_NONE << int(Qt::Key_Up) << BOX_AUTO;
    QTest::newRow("none right") << kAuto << kMore << BOX_NONE << int(Qt::Key_Right) << BOX_MORE;
    QTest::newRow("none left") << kAuto << kMore << BOX_NONE << int(Qt::Key_Left) << BOX_AUTO;
}

void tst_ColourPalettePopup::keys()
{
    QFETCH(QString, strAuto);
    QFETCH(QString, strMore);
    QFETCH(int, nStart);
    QFETCH(int, nKey);
    QFETCH(int, nExpected);
    const QPointer<CColourPalettePopup> pPopup = Open(0x00123456, strAuto, strMore);
    Hover(pPopup, nStart);
    QTest::keyClick(pPopup, static_cast<Qt::Key>(nKey));
    QVERIFY(pPopup);
    QCOMPARE(pPopup->HotBox(), nExpected);
}

void tst_ColourPalettePopup::endings_data()
{
    QTest::addColumn<int>("nHover");
    QTest::addColumn<QString>("strAction");
    QTest::addColumn<bool>("bOk");
    QTest::addColumn<COLORREF>("crResult");
    const COLORREF crRed = PaletteColours[16].crColour;
    QTest::newRow("enter right after opening") << BOX_NONE << "enter" << true << COLORREF{0x123456};
    QTest::newRow("space on a box") << 16 << "space" << true << crRed;
    QTest::newRow("enter on the automatic entry") << BOX_AUTO << "enter" << true << CLR_DEFAULT;
    QTest::newRow("release inside") << 16 << "release inside" << true << crRed;
    QTest::newRow("release outside") << 16 << "release outside" << false << COLORREF{0x123456};
    QTest::newRow("escape") << 16 << "escape" << false << COLORREF{0x123456};
    QTest::newRow("closed from outside") << 16 << "close" << false << COLORREF{0x123456};
}

void tst_ColourPalettePopup::endings()
{
    QFETCH(int, nHover);
    QFETCH(QString, strAction);
    QFETCH(bool, bOk);
    QFETCH(COLORREF, crResult);
    QPointer<CColourPalettePopup> pPopup = Open(0x123456);
    QSignalSpy spyOk(pPopup.data(), &CColourPalettePopup::colourOk);
    QSignalSpy spyCancel(pPopup.data(), &CColourPalettePopup::colourCancel);
    Hover(pPopup, nHover);

    if (strAction == "enter") {
        QTest::keyClick(pPopup, Qt::Key_Return);
    } else if (strAction == "space") {
        QTest::keyClick(pPopup, Qt::Key_Space);
    } else if (strAction == "escape") {
        QTest::keyClick(pPopup, Qt::Key_Escape);
    } else if (strAction == "release inside") {
        QTest::mouseRelease(pPopup, Qt::LeftButton, {}, QPoint(5, 5));
    } else if (strAction == "release outside") {
        QTest::mouseRelease(pPopup, Qt::LeftButton, {}, QPoint(-20, pPopup->height() + 30));
    } else {
        pPopup->close();
    }

    QSignalSpy& spyEnd = bOk ? spyOk : spyCancel;
    QCOMPARE(spyEnd.count(), 1);
    QCOMPARE(spyEnd.at(0).at(0).value<COLORREF>(), crResult);
    QCOMPARE((bOk ? spyCancel : spyOk).count(), 0);
    QVERIFY(!pPopup->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(pPopup.isNull());
}

void tst_ColourPalettePopup::customEntry_data()
{
    QTest::addColumn<bool>("bChosen");
    QTest::newRow("colour dialog accepted") << true;
    QTest::newRow("colour dialog cancelled") << false;
}

void tst_ColourPalettePopup::customEntry()
{
    QFETCH(bool, bChosen);
    CScriptedPrompts prompts;
    prompts.QueueColourAnswer(bChosen ? std::optional<COLORREF>(0x00ABCDEF) : std::nullopt);
    const QPointer<CColourPalettePopup> pPopup = Open(PaletteColours[5].crColour);
    QSignalSpy spyOk(pPopup.data(), &CColourPalettePopup::colourOk);
    QSignalSpy spyCancel(pPopup.data(), &CColourPalettePopup::colourCancel);
    Hover(pPopup, 20);
    Hover(pPopup, BOX_MORE);
    RECT rcMore = pPopup->MoreBoxRect();
    QTest::mouseRelease(pPopup, Qt::LeftButton, {}, Centre(rcMore));

    QCOMPARE(prompts.Calls().size(), std::size_t{1});
    QVERIFY(prompts.Calls()[0].kind == decltype(prompts.Calls()[0].kind)::Colour);
    QCOMPARE(prompts.Calls()[0].crInitial, PaletteColours[5].crColour);
    if (bChosen) {
        QCOMPARE(spyOk.count(), 1);
        QCOMPARE(spyOk.at(0).at(0).value<COLORREF>(), COLORREF{0x00ABCDEF});
        QCOMPARE(spyCancel.count(), 0);
    } else {
        QCOMPARE(spyOk.count(), 0);
        QCOMPARE(spyCancel.count(), 1);
        QCOMPARE(spyCancel.at(0).at(0).value<COLORREF>(), PaletteColours[5].crColour);
    }
}

void tst_ColourPalettePopup::hotColourIsReported_data()
{
    QTest::addColumn<int>("nBox");
    QTest::addColumn<COLORREF>("crReported");
    QTest::newRow("colour box") << 12 << PaletteColours[12].crColour;
    QTest::newRow("automatic entry") << BOX_AUTO << CLR_DEFAULT;
    QTest::newRow("custom entry reports the initial colour") << BOX_MORE << COLORREF{0x00010203};
}

void tst_ColourPalettePopup::hotColourIsReported()
{
    QFETCH(int, nBox);
    QFETCH(COLORREF, crReported);
    const QPointer<CColourPalettePopup> pPopup = Open(0x00010203);
    QSignalSpy spy(pPopup.data(), &CColourPalettePopup::colourChanged);
    Hover(pPopup, nBox);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<COLORREF>(), crReported);
    // Staying on the same box reports nothing new.
    Hover(pPopup, nBox);
    QCOMPARE(spy.count(), 1);
}

void tst_ColourPalettePopup::mouseTruncatesTowardZero()
{
    const QPointer<CColourPalettePopup> pPopup = Open(0, QString(), QString());
    const int m = pPopup->Margin();
    const int B = pPopup->BoxSize();
    // The grid starts at (m, m); up to B - 1 pixels above or left of it still hit row/column 0.
    MoveMouse(pPopup, QPoint(m - (B - 1), m + 2 * B + 1));
    QCOMPARE(pPopup->HotBox(), 16);
    MoveMouse(pPopup, QPoint(m + 3 * B + 1, m - (B - 1)));
    QCOMPARE(pPopup->HotBox(), 3);
    // Further out the mouse selects nothing and the hot box stays.
    MoveMouse(pPopup, QPoint(m + 3 * B + 1, m - B - 1 - B));
    QCOMPARE(pPopup->HotBox(), 3);
    MoveMouse(pPopup, QPoint(m + 8 * B + 1, m + 1));
    QCOMPARE(pPopup->HotBox(), 3);
}

void tst_ColourPalettePopup::emptyAutoTextIsUnreachable()
{
    const QPointer<CColourPalettePopup> pPopup = Open(CLR_DEFAULT, QString(), kMore);
    RECT rcFirst;
    QVERIFY(pPopup->GetBoxRect(0, rcFirst));
    QCOMPARE(rcFirst.top, pPopup->Margin());
    QCOMPARE(pPopup->ChosenBox(), BOX_MORE);
    // Round the whole ring: the automatic entry never comes up.
    for (int i = 0; i < 45; ++i) {
        QTest::keyClick(pPopup, Qt::Key_Right);
        QVERIFY(pPopup->HotBox() != BOX_AUTO);
    }
    MoveMouse(pPopup, QPoint(pPopup->width() / 2, 1));
    QVERIFY(pPopup->HotBox() != BOX_AUTO);
}

void tst_ColourPalettePopup::tooltipsNameTheColours()
{
    const QPointer<CColourPalettePopup> pPopup = Open(0);
    for (const int nBox : {0, 35, 39}) {
        RECT rc;
        QVERIFY(pPopup->GetBoxRect(nBox, rc));
        QHelpEvent help(QEvent::ToolTip, Centre(rc), pPopup->mapToGlobal(Centre(rc)));
        QApplication::sendEvent(pPopup, &help);
        QCOMPARE(
            QToolTip::text(),
            QString::fromLatin1(PaletteColours[static_cast<std::size_t>(nBox)].szName).trimmed());
    }
}

void tst_ColourPalettePopup::drawsEveryBoxState()
{
    const QPointer<CColourPalettePopup> pPopup = Open(PaletteColours[10].crColour);
    Hover(pPopup, 20);
    const QImage image = pPopup->grab().toImage();
    const int m = pPopup->Margin();
    for (int nBox = 0; nBox < PALETTE_COLOUR_COUNT; ++nBox) {
        RECT rc;
        QVERIFY(pPopup->GetBoxRect(nBox, rc));
        const auto entry = PaletteColours[static_cast<std::size_t>(nBox)];
        QCOMPARE(toColorRef(image.pixelColor(Centre(rc))), entry.crColour);
        // The swatch outline sits m + 1 inside the box.
        QCOMPARE(image.pixel(rc.left + m + 1, rc.top + m + 1), SysColor(COLOR_BTNSHADOW).rgb());
        const QRgb ground = image.pixel(rc.left + m, rc.top + m);
        const int nGround = nBox == 10   ? COLOR_BTNHIGHLIGHT
                            : nBox == 20 ? COLOR_HIGHLIGHTTEXT
                                         : COLOR_BTNFACE;
        QCOMPARE(ground, SysColor(nGround).rgb());
        const QRgb corner = image.pixel(rc.left, rc.top);
        if (nBox == 20) {
            // The keyboard's box: a highlight ring with a contrasting ring inside.
            QCOMPARE(corner, SysColor(COLOR_HIGHLIGHT).rgb());
            QCOMPARE(image.pixel(rc.right - 2, rc.bottom - 2), SysColor(COLOR_HIGHLIGHT).rgb());
        } else if (nBox == 10) {
            QCOMPARE(corner, SysColor(COLOR_BTNSHADOW).rgb()); // sunken
            QCOMPARE(image.pixel(rc.right - 1, rc.bottom - 1), SysColor(COLOR_BTNHIGHLIGHT).rgb());
        } else {
            QCOMPARE(corner, SysColor(COLOR_BTNFACE).rgb());
        }
    }
}

void tst_ColourPalettePopup::opensAboveTheOwnerAtTheScreenBottom()
{
    const QRect rcScreen = QGuiApplication::primaryScreen()->geometry();
    m_owner->setGeometry(rcScreen.right() - 50, rcScreen.bottom() - 40, 120, 30);
    const QPoint ptUnder(rcScreen.right() - 50, rcScreen.bottom() - 10);
    const QPointer<CColourPalettePopup> pPopup = Open(0, kAuto, kMore, ptUnder);
    QCOMPARE(pPopup->geometry().right(), rcScreen.right());
    QCOMPARE(pPopup->y(), ptUnder.y() - pPopup->height() - m_owner->height());
}

QTEST_MAIN(tst_ColourPalettePopup)
#include "tst_colourpalettepopup.moc"
