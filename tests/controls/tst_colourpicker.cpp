#include "colourpalettepopup.h"
#include "colourpicker.h"
#include "metrics.h"
#include "qtconvert.h"
#include "syscolors.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <utility>

Q_DECLARE_METATYPE(COLORREF)

namespace {

// Sent straight to the widget: the window system drops a move to where the mouse already is.
void MoveMouse(QWidget* pWidget, const QPoint& pt)
{
    QMouseEvent move(QEvent::MouseMove, pt, pWidget->mapToGlobal(pt), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(pWidget, &move);
}

constexpr int kId = 1051;
constexpr COLORREF kOldColour = 0x00336699;

// Every notification of one picker, in the order they came.
struct Notification
{
    QString strName;
    COLORREF crColour = 0;
    int nID = 0;
    bool operator==(const Notification&) const = default;
};

class CRecorder
{
public:
    explicit CRecorder(CColourPicker& picker)
    {
        Record(picker, &CColourPicker::colourChanged, "changed");
        Record(picker, &CColourPicker::dropDown, "dropDown");
        Record(picker, &CColourPicker::closeUp, "closeUp");
        Record(picker, &CColourPicker::colourOk, "ok");
        Record(picker, &CColourPicker::colourCancel, "cancel");
    }
    QList<Notification> m_notes;

private:
    template <typename Signal>
    void Record(CColourPicker& picker, Signal signal, const char* szName)
    {
        QObject::connect(&picker, signal, [this, szName](COLORREF crColour, int nID) {
            m_notes.append({QString::fromLatin1(szName), crColour, nID});
        });
    }
};

int ArrowSize()
{
    return std::max({GetSystemMetrics(SM_CXHTHUMB), 5 * GetSystemMetrics(SM_CXEDGE),
                     GetSystemMetrics(SM_CYVTHUMB), 5 * GetSystemMetrics(SM_CYEDGE)});
}

QPoint Centre(const RECT& rc)
{
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

bool AnyPixelIs(const QImage& image, const RECT& rc, const QColor& colour)
{
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (image.pixel(x, y) == colour.rgb()) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

class tst_ColourPicker : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void heightFollowsTheArrowWhateverTheLayoutAsks();
    void clickDropsThePaletteUnderTheButton();
    void results_data();
    void results();
    void hotEntryIsForwardedButNotShown();
    void paletteGoneWithoutResultClosesUpAsCancelled();
    void autoTextReachesThePalette_data();
    void autoTextReachesThePalette();
    void swatch_data();
    void swatch();
    void disabledLook();

private:
    CColourPalettePopup* Click();

    std::unique_ptr<QWidget> m_dialog;
    CColourPicker* m_pPicker = nullptr; // owned by m_dialog
};

void tst_ColourPicker::init()
{
    m_dialog = std::make_unique<QWidget>();
    auto picker = std::make_unique<CColourPicker>(m_dialog.get());
    m_pPicker = picker.release();
    m_pPicker->SetDlgCtrlID(kId);
    m_pPicker->SetColour(kOldColour);
    m_dialog->setGeometry(50, 50, 300, 200);
    m_pPicker->setGeometry(10, 10, 160, 60);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void tst_ColourPicker::cleanup()
{
    m_dialog.reset();
    m_pPicker = nullptr;
}

CColourPalettePopup* tst_ColourPicker::Click()
{
    QTest::mouseClick(m_pPicker, Qt::LeftButton, {}, QPoint(10, 5));
    return m_pPicker->findChild<CColourPalettePopup*>();
}

void tst_ColourPicker::heightFollowsTheArrowWhateverTheLayoutAsks()
{
    const int s = ArrowSize();
    const int cx = GetSystemMetrics(SM_CXEDGE);
    const int cy = GetSystemMetrics(SM_CYEDGE);
    QCOMPARE(m_pPicker->height(), s + 2 * cy);
    QCOMPARE(m_pPicker->width(), 160);
    const RECT rcArrow = m_pPicker->GetArrowRect();
    QVERIFY(rcArrow == (RECT{160 - s - cx, cy, 160 - cx, s + cy}));

    // A layout stretching it keeps the width it gives but not the height.
    QWidget dialog;
    QVBoxLayout layout(&dialog);
    CColourPicker picker;
    layout.addWidget(&picker, 1);
    dialog.resize(250, 300);
    dialog.show();
    QCOMPARE(picker.height(), s + 2 * cy);
    QVERIFY(picker.width() > 200);
    QCOMPARE(picker.GetArrowRect().right, picker.width() - cx);
    QVERIFY(picker.minimumSizeHint().width() >= 2 * (s + cx));
}

void tst_ColourPicker::clickDropsThePaletteUnderTheButton()
{
    CRecorder recorder(*m_pPicker);
    const QPointer<CColourPalettePopup> pPopup = Click();
    QVERIFY(pPopup);
    QVERIFY(pPopup->isVisible());
    QVERIFY(m_pPicker->IsDroppedDown());
    QCOMPARE(pPopup->pos(), m_pPicker->mapToGlobal(QPoint(0, m_pPicker->height())));
    QCOMPARE(pPopup->ChosenBox(), BOX_MORE); // the old colour is not in the table
    QCOMPARE(recorder.m_notes, (QList<Notification>{{"dropDown", kOldColour, kId}}));
    // The arrow is drawn pushed (flat, shadow-framed) while the palette is down.
    const RECT rcArrow = m_pPicker->GetArrowRect();
    QCOMPARE(m_pPicker->grab().toImage().pixel(rcArrow.left, rcArrow.top),
             SysColor(COLOR_BTNSHADOW).rgb());
    QTest::keyClick(pPopup, Qt::Key_Escape);
    QCOMPARE(m_pPicker->grab().toImage().pixel(rcArrow.left, rcArrow.top),
             SysColor(COLOR_3DLIGHT).rgb());
}

void tst_ColourPicker::results_data()
{
    QTest::addColumn<int>("nBox");
    QTest::addColumn<QString>("strEnd");
    QTest::addColumn<COLORREF>("crResult");
    QTest::newRow("automatic entry") << BOX_AUTO << "ok" << CLR_DEFAULT;
    QTest::newRow("colour box") << 26 << "ok" << PaletteColours[26].crColour;
    QTest::newRow("escape") << 26 << "cancel" << kOldColour;
}

void tst_ColourPicker::results()
{
    QFETCH(int, nBox);
    QFETCH(QString, strEnd);
    QFETCH(COLORREF, crResult);
    const QPointer<CColourPalettePopup> pPopup = Click();
    CRecorder recorder(*m_pPicker);
    RECT rc;
    QVERIFY(pPopup->GetBoxRect(nBox, rc));
    MoveMouse(pPopup, Centre(rc));
    if (strEnd == "ok") {
        QTest::mouseRelease(pPopup, Qt::LeftButton, {}, Centre(rc));
    } else {
        QTest::keyClick(pPopup, Qt::Key_Escape);
    }
    const COLORREF crHot = nBox == BOX_AUTO ? CLR_DEFAULT : PaletteColours[26].crColour;
    QCOMPARE(recorder.m_notes,
             (QList<Notification>{
                 {"changed", crHot, kId}, {"closeUp", crResult, kId}, {strEnd, crResult, kId}}));
    QCOMPARE(m_pPicker->GetColour(), crResult);
    QVERIFY(!m_pPicker->IsDroppedDown());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(pPopup.isNull());
    QCOMPARE(recorder.m_notes.size(), 3);
}

void tst_ColourPicker::hotEntryIsForwardedButNotShown()
{
    const QPointer<CColourPalettePopup> pPopup = Click();
    CRecorder recorder(*m_pPicker);
    RECT rc;
    QVERIFY(pPopup->GetBoxRect(16, rc));
    MoveMouse(pPopup, Centre(rc));
    QCOMPARE(recorder.m_notes,
             (QList<Notification>{{"changed", PaletteColours[16].crColour, kId}}));
    QCOMPARE(m_pPicker->GetColour(), kOldColour);
    QTest::keyClick(pPopup, Qt::Key_Escape);
}

void tst_ColourPicker::paletteGoneWithoutResultClosesUpAsCancelled()
{
    QPointer<CColourPalettePopup> pPopup = Click();
    CRecorder recorder(*m_pPicker);
    {
        const std::unique_ptr<CColourPalettePopup> gone(pPopup.data());
    }
    QCOMPARE(recorder.m_notes,
             (QList<Notification>{{"closeUp", kOldColour, kId}, {"cancel", kOldColour, kId}}));
    QVERIFY(!m_pPicker->IsDroppedDown());
}

void tst_ColourPicker::autoTextReachesThePalette_data()
{
    QTest::addColumn<QString>("strAuto");
    QTest::newRow("renamed") << QStringLiteral("Eyedropper Tool...");
    QTest::newRow("removed") << QString();
}

void tst_ColourPicker::autoTextReachesThePalette()
{
    QFETCH(QString, strAuto);
    m_pPicker->SetAutoText(strAuto);
    m_pPicker->SetColour(CLR_DEFAULT);
    const QPointer<CColourPalettePopup> pPopup = Click();
    QCOMPARE(pPopup->ChosenBox(), strAuto.isEmpty() ? BOX_MORE : BOX_AUTO);
    QTest::keyClick(pPopup, Qt::Key_Escape);
}

void tst_ColourPicker::swatch_data()
{
    QTest::addColumn<COLORREF>("crColour");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("colour") << COLORREF{0x000000FF} << QColor(255, 0, 0);
    QTest::newRow("automatic shows the face") << CLR_DEFAULT << SysColor(COLOR_BTNFACE);
}

void tst_ColourPicker::swatch()
{
    QFETCH(COLORREF, crColour);
    QFETCH(QColor, expected);
    m_pPicker->SetColour(crColour);
    const QImage image = m_pPicker->grab().toImage();
    QCOMPARE(image.pixel(20, m_pPicker->height() / 2), expected.rgb());
    // Sunken edge: dark outside at the top left, light at the bottom right.
    QCOMPARE(image.pixel(0, 0), SysColor(COLOR_BTNSHADOW).rgb());
    QCOMPARE(image.pixel(m_pPicker->width() - 1, m_pPicker->height() - 1),
             SysColor(COLOR_BTNHIGHLIGHT).rgb());
    QVERIFY(AnyPixelIs(image, m_pPicker->GetArrowRect(), SysColor(COLOR_BTNTEXT)));
}

void tst_ColourPicker::disabledLook()
{
    m_pPicker->SetColour(0x000000FF);
    m_pPicker->setText(QStringLiteral("WWW"));
    QFont font = m_pPicker->font();
    font.setStyleStrategy(QFont::NoAntialias); // exact caption pixels
    m_pPicker->setFont(font);
    m_pPicker->SetCaptionColour(0x0000FF00);
    const QImage enabled = m_pPicker->grab().toImage();
    const RECT rcSwatch{2, 2, m_pPicker->GetArrowRect().left, m_pPicker->height() - 2};
    QVERIFY(AnyPixelIs(enabled, rcSwatch, QColor(0, 255, 0)));

    m_pPicker->setEnabled(false);
    const QImage disabled = m_pPicker->grab().toImage();
    QCOMPARE(disabled.pixel(4, m_pPicker->height() / 2), SysColor(COLOR_BTNFACE).rgb());
    QVERIFY(!AnyPixelIs(disabled, rcSwatch, QColor(255, 0, 0)));
    QVERIFY(!AnyPixelIs(disabled, rcSwatch, QColor(0, 255, 0)));
    // Embossed caption, inactive arrow.
    QVERIFY(AnyPixelIs(disabled, rcSwatch, SysColor(COLOR_BTNHIGHLIGHT)));
    QVERIFY(AnyPixelIs(disabled, rcSwatch, SysColor(COLOR_BTNSHADOW)));
    QVERIFY(!AnyPixelIs(disabled, m_pPicker->GetArrowRect(), SysColor(COLOR_BTNTEXT)));
}

QTEST_MAIN(tst_ColourPicker)
#include "tst_colourpicker.moc"
