#include "bmppreviewbox.h"
#include "colourpalettepopup.h"
#include "colourpicker.h"
#include "darkpalette.h"
#include "qtconvert.h"
#include "skinimageview.h"
#include "testimages.h"

#include <QPointer>
#include <QTest>

#include <memory>

// The chrome of the program's own widgets under a dark palette set on them: every frame and
// background pixel from a palette role, nothing from the application's light palette or a fixed
// black.
class tst_DarkChrome : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void chrome_data();
    void chrome();

private:
    QImage Grab(const QString& strWidget, bool bFocus);

    std::unique_ptr<QWidget> m_window;
    CColourPicker* m_pPicker = nullptr;
    CSkinImageView* m_pView = nullptr;
    CBmpPreviewBox* m_pBox = nullptr;
    std::unique_ptr<CDib> m_pImage;
};

void tst_DarkChrome::initTestCase()
{
    m_window = std::make_unique<QWidget>();
    m_window->setPalette(DarkPalette());
    m_window->resize(400, 300);
    m_pPicker = std::make_unique<CColourPicker>(m_window.get()).release();
    m_pPicker->setGeometry(10, 10, 80, 24);
    m_pPicker->SetColour(CLR_DEFAULT);
    m_pBox = std::make_unique<CBmpPreviewBox>(m_window.get()).release();
    m_pBox->setGeometry(100, 10, 60, 60);
    m_pView = std::make_unique<CSkinImageView>(m_window.get()).release();
    m_pView->setGeometry(10, 80, 200, 200);
    m_pImage = MakeDib(20, 20, Qt::red);
    m_pView->SetImage(m_pImage.get(), RGB(255, 0, 255));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

QImage tst_DarkChrome::Grab(const QString& strWidget, bool bFocus)
{
    QWidget* pWidget = m_pView;
    if (strWidget == QLatin1String("picker")) {
        pWidget = m_pPicker;
    } else if (strWidget == QLatin1String("box")) {
        pWidget = m_pBox;
    } else if (strWidget == QLatin1String("popup")) {
        const QPointer<CColourPalettePopup> pPopup =
            std::make_unique<CColourPalettePopup>(QPoint(50, 50), COLORREF{0}, m_pPicker,
                                                  QStringLiteral("Automatic"),
                                                  QStringLiteral("More..."))
                .release();
        pPopup->show();
        QImage image = pPopup->grab().toImage();
        if (bFocus) {
            // The keyboard's frame opens on the current colour, the first box: look at it alone.
            RECT rc;
            pPopup->GetBoxRect(0, rc);
            image = pPopup->grab().toImage().copy(toQRect(rc));
        }
        QTest::keyClick(pPopup, Qt::Key_Escape);
        return image;
    }
    m_window->activateWindow();
    if (bFocus) {
        pWidget->setFocus();
    } else {
        m_window->setFocus();
    }
    return pWidget->grab().toImage();
}

void tst_DarkChrome::chrome_data()
{
    QTest::addColumn<QString>("strWidget");
    QTest::addColumn<bool>("bFocus");
    QTest::addColumn<QPoint>("pt");
    QTest::addColumn<int>("nRole");

    QTest::newRow("picker, sunken edge") << "picker" << false << QPoint(0, 0) << int(QPalette::Mid);
    QTest::newRow("picker, automatic swatch")
        << "picker" << false << QPoint(6, 12) << int(QPalette::Button);
    QTest::newRow("picker, focus frame")
        << "picker" << true << QPoint(3, 12) << int(QPalette::Highlight);
    QTest::newRow("popup, face") << "popup" << false << QPoint(74, 3) << int(QPalette::Button);
    QTest::newRow("popup, raised edge")
        << "popup" << false << QPoint(0, 0) << int(QPalette::Midlight);
    QTest::newRow("popup, keyboard frame")
        << "popup" << true << QPoint(0, 0) << int(QPalette::Highlight);
    QTest::newRow("popup, keyboard frame's inner ring")
        << "popup" << true << QPoint(2, 9) << int(QPalette::HighlightedText);
    QTest::newRow("box, face") << "box" << false << QPoint(30, 30) << int(QPalette::Button);
    QTest::newRow("box, sunken edge") << "box" << false << QPoint(0, 0) << int(QPalette::Mid);
    QTest::newRow("view, desktop") << "view" << false << QPoint(5, 5) << int(QPalette::Dark);
    QTest::newRow("view, border") << "view" << false << QPoint(0, 50) << int(QPalette::Mid);
    QTest::newRow("view, focus frame")
        << "view" << true << QPoint(1, 50) << int(QPalette::Highlight);
    QTest::newRow("view, dotted frame")
        << "view" << false << QPoint(90, 90) << int(QPalette::WindowText);
}

void tst_DarkChrome::chrome()
{
    QFETCH(QString, strWidget);
    QFETCH(bool, bFocus);
    QFETCH(QPoint, pt);
    QFETCH(int, nRole);

    const QImage image = Grab(strWidget, bFocus);
    QCOMPARE(image.pixelColor(pt), DarkPalette().color(static_cast<QPalette::ColorRole>(nRole)));
}

QTEST_MAIN(tst_DarkChrome)
#include "tst_darkchrome.moc"
