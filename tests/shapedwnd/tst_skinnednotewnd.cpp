#include "bitmapregion.h"
#include "dibimage.h"
#include "hitregion.h"
#include "qtconvert.h"
#include "scriptedprompts.h"
#include "skin.h"
#include "skinnednotewnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTest>

#include <memory>

namespace {

std::unique_ptr<CSkin> LoadSample(const char* pszName)
{
    auto pSkin = std::make_unique<CSkin>();
    if (!pSkin->Load(std::filesystem::path(TAVELO_SAMPLES_DIR) / pszName)) {
        return nullptr;
    }
    return pSkin;
}

QRegion ShapeOf(const CDib& dib, COLORREF crTransparent)
{
    return MakeRegion(CreateDDB(dib), crTransparent, REGION_TOLERANCE).value_or(QRegion());
}

} // namespace

class tst_SkinnedNoteWnd : public QObject
{
    Q_OBJECT

private slots:
    void applySkinGivesTheNoteItsLook_data();
    void applySkinGivesTheNoteItsLook();
    void skinWithoutAllImagesChangesNothing();
    void closeButtonTakesItsHoverImageAndHand();
    void clicksDoNotCloseButTheProgramCan();
    void messageTextAndFocus();
};

void tst_SkinnedNoteWnd::applySkinGivesTheNoteItsLook_data()
{
    QTest::addColumn<QString>("sample");
    QTest::newRow("yellow note") << "yellow-note.skn";
    QTest::newRow("leaf") << "leaf.skn";
}

void tst_SkinnedNoteWnd::applySkinGivesTheNoteItsLook()
{
    QFETCH(QString, sample);
    const std::unique_ptr<CSkin> pSkin = LoadSample(sample.toUtf8().constData());
    QVERIFY(pSkin != nullptr);
    CSkinnedNoteWnd note;
    QVERIFY(note.Create(nullptr));
    QVERIFY(!note.isVisible());
    note.ApplySkin(pSkin.get());

    const CDib& main = *pSkin->GetMainImage();
    QVERIFY(note.isVisible());
    QVERIFY(note.isWindow());
    QCOMPARE(note.GetNoteRect().topLeft(), QPoint(0, 0));
    QCOMPARE(note.size(), QSize(main.GetWidth(), main.GetHeight()));
    QVERIFY(note.mask().xored(ShapeOf(main, pSkin->m_crMainTransparent)).isEmpty());
    QCOMPARE(note.windowTitle(), QString("[Note Title]"));
    QCOMPARE(note.GetMessageCtrl().geometry(), toQRect(pSkin->m_rcMessage));
    QCOMPARE(note.GetMessageCtrl().GetMargins(), (RECT{0, 0, 0, 0}));
    QCOMPARE(note.GetMessageCtrl().palette().color(QPalette::Base),
             toQColor(pSkin->m_crMessageBack));
    QCOMPARE(note.GetCloseButton().geometry(), toQRect(pSkin->m_rcCloseButton));
    // The button has the rectangle's size until its first shape update; the image's outline
    // decides within it.
    const QRegion closeShape = ShapeOf(*pSkin->GetCloseImage(), pSkin->m_crCloseTransparent);
    QVERIFY(HitRegion(note.GetCloseButton())
                .xored(closeShape.intersected(QRect(QPoint(0, 0), note.GetCloseButton().size())))
                .isEmpty());

    // The title is drawn onto the main image inside the title area and nowhere else; the
    // message area and the close button cover what they cover.
    const QImage shown = note.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage image = CreateDDB(main);
    const QRegion covered = QRegion(toQRect(pSkin->m_rcTitle)) + toQRect(pSkin->m_rcMessage) +
                            toQRect(pSkin->m_rcCloseButton);
    QRegion changed;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (shown.pixel(x, y) != image.pixel(x, y)) {
                changed += QRect(x, y, 1, 1);
            }
        }
    }
    QVERIFY(changed.subtracted(covered).isEmpty());
    QVERIFY(!changed.intersected(toQRect(pSkin->m_rcTitle)).isEmpty());
}

void tst_SkinnedNoteWnd::skinWithoutAllImagesChangesNothing()
{
    const std::unique_ptr<CSkin> pSkin = LoadSample("yellow-note.skn");
    QVERIFY(pSkin != nullptr);
    pSkin->SetCloseHoverImage(nullptr);
    CSkinnedNoteWnd note;
    QVERIFY(note.Create(nullptr));
    note.ApplySkin(pSkin.get());
    QVERIFY(!note.isVisible());
    QCOMPARE(note.size(), QSize(0, 0));

    // An image slot whose bitmap does not decode counts the same.
    const std::unique_ptr<CSkin> pEmpty = LoadSample("yellow-note.skn");
    pEmpty->SetCloseImage(std::make_unique<CDib>());
    note.ApplySkin(pEmpty.get());
    QVERIFY(!note.isVisible());
}

void tst_SkinnedNoteWnd::closeButtonTakesItsHoverImageAndHand()
{
    const std::unique_ptr<CSkin> pSkin = LoadSample("yellow-note.skn");
    QVERIFY(pSkin != nullptr);
    CSkinnedNoteWnd note;
    QVERIFY(note.Create(nullptr));
    note.ApplySkin(pSkin.get());
    QVERIFY(QTest::qWaitForWindowExposed(&note));
    auto& button = const_cast<CBitmapWnd&>(note.GetCloseButton());
    QCOMPARE(note.cursor().shape(), Qt::ArrowCursor);

    QTest::mouseMove(&button, QPoint(7, 7));
    QVERIFY(button.IsHovered());
    QCOMPARE(QApplication::widgetAt(button.mapToGlobal(QPoint(7, 7)))->cursor().shape(),
             Qt::PointingHandCursor);
    const CDib& hover = *pSkin->GetCloseHoverImage();
    QCOMPARE(button.size(), QSize(hover.GetWidth(), hover.GetHeight()));
    QVERIFY(HitRegion(button).xored(ShapeOf(hover, pSkin->m_crCloseHoverTransparent)).isEmpty());
    QCOMPARE(button.pos(), toQRect(pSkin->m_rcCloseButton).topLeft());
}

void tst_SkinnedNoteWnd::clicksDoNotCloseButTheProgramCan()
{
    const std::unique_ptr<CSkin> pSkin = LoadSample("leaf.skn");
    QVERIFY(pSkin != nullptr);
    CSkinnedNoteWnd note;
    QVERIFY(note.Create(nullptr));
    note.ApplySkin(pSkin.get());
    QVERIFY(QTest::qWaitForWindowExposed(&note));
    auto& button = const_cast<CBitmapWnd&>(note.GetCloseButton());
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(7, 7));
    QCoreApplication::processEvents();
    QVERIFY(note.isVisible());
    QTest::mouseClick(&note, Qt::RightButton, {}, QPoint(60, 60));
    QVERIFY(note.isVisible());

    // Regression: refusing every close kept the application from quitting while a preview was
    // open. The program's own close goes through.
    QVERIFY(note.close());
    QVERIFY(!note.isVisible());
}

void tst_SkinnedNoteWnd::messageTextAndFocus()
{
    const std::unique_ptr<CSkin> pSkin = LoadSample("yellow-note.skn");
    QVERIFY(pSkin != nullptr);
    QWidget other;
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    other.setFocus();
    CSkinnedNoteWnd note(nullptr);
    QVERIFY(note.Create(&other));
    note.ApplySkin(pSkin.get());
    note.SetMessageText("Line one\nLine two");
    QCOMPARE(note.GetMessageText(), QString("Line one\nLine two"));
    QCOMPARE(note.GetMessageCtrl().toPlainText(), note.GetMessageText());
    note.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&note));
    QWidget* const pPrevious = note.FocusMessage();
    QVERIFY(pPrevious != &note.GetMessageCtrl());
    QTRY_VERIFY(note.GetMessageCtrl().hasFocus());
}

QTEST_MAIN(tst_SkinnedNoteWnd)
#include "tst_skinnednotewnd.moc"
