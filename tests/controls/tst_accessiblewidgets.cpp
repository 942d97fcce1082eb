#include "bmppreviewbox.h"
#include "colourpalettepopup.h"
#include "colourpicker.h"
#include "skinimageview.h"
#include "skinnednotewnd.h"

#include <QAccessible>
#include <QPointer>
#include <QTest>

#include <memory>

// What a screen reader gets from the program's own widgets, read as Qt's accessibility bridge
// reads them.
class tst_AccessibleWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void widgets_data();
    void widgets();
    void paletteEntries();
    void pickerStaysNamedWhenUnlabelled();

private:
    std::unique_ptr<QWidget> m_window;
    CColourPicker* m_pPicker = nullptr;
    CSkinImageView* m_pView = nullptr;
    CBmpPreviewBox* m_pBox = nullptr;
    std::unique_ptr<CSkinnedNoteWnd> m_note;
};

void tst_AccessibleWidgets::initTestCase()
{
    m_window = std::make_unique<QWidget>();
    m_pPicker = std::make_unique<CColourPicker>(m_window.get()).release();
    m_pPicker->setAccessibleName(QStringLiteral("Title Foreground"));
    m_pPicker->SetAutoText(QStringLiteral("Eyedropper Tool..."));
    m_pView = std::make_unique<CSkinImageView>(m_window.get()).release();
    m_pBox = std::make_unique<CBmpPreviewBox>(m_window.get()).release();
    m_note = std::make_unique<CSkinnedNoteWnd>();
}

void tst_AccessibleWidgets::widgets_data()
{
    QTest::addColumn<QString>("strWidget");
    QTest::addColumn<COLORREF>("crColour");
    QTest::addColumn<int>("nRole");
    QTest::addColumn<QString>("strName");
    QTest::addColumn<QString>("strDescription");

    const int button = QAccessible::Button;
    QTest::newRow("picker, palette colour")
        << "picker" << COLORREF{0x008B0000} << button << "Title Foreground"
        << "Dark blue";
    QTest::newRow("picker, untrimmed palette name")
        << "picker" << COLORREF{0x0098FB98} << button << "Title Foreground"
        << "Pale green";
    QTest::newRow("picker, any colour")
        << "picker" << RGB(0x1e, 0x90, 0xff) << button << "Title Foreground"
        << "#1e90ff";
    QTest::newRow("picker, automatic") << "picker" << CLR_DEFAULT << button << "Title Foreground"
                                       << "Eyedropper Tool...";
    QTest::newRow("image view") << "view" << COLORREF{0} << int(QAccessible::Canvas) << "Image view"
                                << "Title, rectangle: left 10, top 20, right 110, bottom 40";
    QTest::newRow("empty preview box") << "box" << COLORREF{0} << button << "Preview"
                                       << "No picture";
    QTest::newRow("preview box with a picture") << "box" << COLORREF{1} << button << "Preview"
                                                << "Picture of 4 x 3 pixels";
    QTest::newRow("note preview") << "note" << COLORREF{0} << int(QAccessible::Client)
                                  << "Skin preview"
                                  << "";
}

void tst_AccessibleWidgets::widgets()
{
    QFETCH(QString, strWidget);
    QFETCH(COLORREF, crColour);
    QFETCH(int, nRole);
    QFETCH(QString, strName);
    QFETCH(QString, strDescription);

    QWidget* pWidget = nullptr;
    if (strWidget == QLatin1String("picker")) {
        m_pPicker->SetColour(crColour);
        pWidget = m_pPicker;
    } else if (strWidget == QLatin1String("view")) {
        m_pView->DescribeShownPart(QStringLiteral("Title"), RECT{10, 20, 110, 40});
        pWidget = m_pView;
    } else if (strWidget == QLatin1String("box")) {
        m_pBox->SetBitmap(crColour != 0 ? QImage(4, 3, QImage::Format_RGB32) : QImage());
        pWidget = m_pBox;
    } else {
        pWidget = m_note.get();
    }
    QAccessibleInterface* const pInterface = QAccessible::queryAccessibleInterface(pWidget);
    QVERIFY(pInterface != nullptr);
    QCOMPARE(int(pInterface->role()), nRole);
    QCOMPARE(pInterface->text(QAccessible::Name), strName);
    QCOMPARE(pInterface->text(QAccessible::Description), strDescription);
}

void tst_AccessibleWidgets::paletteEntries()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    const QPointer<CColourPalettePopup> pPopup =
        std::make_unique<CColourPalettePopup>(QPoint(50, 50), COLORREF{0}, m_pPicker,
                                              QStringLiteral("Eyedropper Tool..."),
                                              QStringLiteral("&More..."))
            .release();
    pPopup->show();
    pPopup->setFocus();
    QAccessibleInterface* const pList = QAccessible::queryAccessibleInterface(pPopup);
    QVERIFY(pList != nullptr);
    QCOMPARE(pList->role(), QAccessible::List);
    QCOMPARE(pList->childCount(), 42);
    const std::array<std::pair<int, const char*>, 5> arNames{{{0, "Eyedropper Tool..."},
                                                              {1, "Black"},
                                                              {36, "Pale green"},
                                                              {40, "White"},
                                                              {41, "More..."}}};
    for (const auto& [nChild, szName] : arNames) {
        QAccessibleInterface* const pEntry = pList->child(nChild);
        QVERIFY(pEntry != nullptr);
        QCOMPARE(pEntry->role(), QAccessible::ListItem);
        QCOMPARE(pEntry->text(QAccessible::Name), QString::fromLatin1(szName));
        QCOMPARE(pEntry->parent(), pList);
        QCOMPARE(pList->indexOfChild(pEntry), nChild);
        // The keyboard starts on the current colour.
        QCOMPARE(pEntry->state().selected, nChild == 1);
    }
    QCOMPARE(pList->focusChild(), pList->child(1));

    // The keyboard's entry is the focused, selected one, round the ring both ways: Black, the
    // automatic entry, "More...", and back.
    for (const auto& [key, nEntry] : std::array<std::pair<Qt::Key, int>, 4>{
             {{Qt::Key_Left, 0}, {Qt::Key_Left, 41}, {Qt::Key_Right, 0}, {Qt::Key_Right, 1}}}) {
        QTest::keyClick(pPopup, key);
        QCOMPARE(pList->focusChild(), pList->child(nEntry));
        QVERIFY(pList->child(nEntry)->state().selected);
        QCOMPARE(pList->child(nEntry)->state().focused, pPopup->hasFocus());
        QCOMPARE(pList->child(nEntry)->rect().center(),
                 pList
                     ->childAt(pList->child(nEntry)->rect().center().x(),
                               pList->child(nEntry)->rect().center().y())
                     ->rect()
                     .center());
    }
    QVERIFY(!pList->child(0)->state().selected);
    // The entries go with the popup's interface when the popup deletes itself.
    QTest::keyClick(pPopup, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(pPopup.isNull());
    m_window->hide();
}

void tst_AccessibleWidgets::pickerStaysNamedWhenUnlabelled()
{
    CColourPicker picker;
    QAccessibleInterface* const pInterface = QAccessible::queryAccessibleInterface(&picker);
    QCOMPARE(pInterface->text(QAccessible::Name), QStringLiteral("Colour"));
    QVERIFY(pInterface->state().hasPopup);
    QVERIFY(pInterface->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
}

QTEST_MAIN(tst_AccessibleWidgets)
#include "tst_accessiblewidgets.moc"
