// The View menu, the status line under the image view and the keyboard picker, in the window.
#include "editorfixture.h"
#include "skinimageview.h"

#include <QLabel>
#include <QUndoStack>

namespace {

struct Fixture
{
    CScriptedPrompts prompts;
    CSkinEditorDlg dlg;
    Fixture()
    {
        dlg.resize(900, 700);
        dlg.show();
        dlg.OpenSkinFile(kSamplesDir / "yellow-note.skn");
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        ChooseComponent(dlg, COMPONENT_TITLE);
        Click(dlg, CSkinEditorDlg::IDC_PICKER);
        View().repaint();
    }
    CSkinImageView& View() const { return *dlg.findChild<CSkinImageView*>(); }
    QStringList StatusTexts() const
    {
        QStringList texts;
        for (const QLabel* pLabel : View().parentWidget()->findChildren<QLabel*>()) {
            texts << pLabel->text();
        }
        return texts;
    }
};

QStringList Numbers(const RECT& rc)
{
    return {QString::number(rc.left), QString::number(rc.top), QString::number(rc.right),
            QString::number(rc.bottom)};
}

// The centre of image rectangle rc on the view at its present zoom and scroll.
QPoint ScreenCentre(const CSkinImageView& view, const RECT& rc)
{
    return view.GetTransform()
        .ImageToWidget(QPointF((rc.left + rc.right) / 2.0, (rc.top + rc.bottom) / 2.0))
        .toPoint();
}

} // namespace

class tst_EditorZoom : public QObject
{
    Q_OBJECT

private slots:
    void init() { SettingsSandbox::Clear(); }
    void dragAtTwiceTheSizeMovesHalfTheDistance();
    void zoomCommands();
    void nudgeBurstIsOneStep();
    void viewChoicesAreRemembered();
    void statusLine();

private:
    SettingsSandbox m_settings;
};

// End to end through the window: zoomed in once from 1:1, a drag of 40 screen pixels moves the
// rectangle 20 image pixels, and the fields say so.
void tst_EditorZoom::dragAtTwiceTheSizeMovesHalfTheDistance()
{
    Fixture f;
    Trigger(f.dlg, CSkinEditorDlg::ID_VIEW_ZOOM_IN);
    QCOMPARE(f.View().GetZoom(), 2.0);
    const RECT rcBefore = f.dlg.GetSkin().m_rcTitle;
    const QPoint from = ScreenCentre(f.View(), rcBefore);
    QTest::mousePress(&f.View(), Qt::LeftButton, {}, from);
    for (int i = 1; i <= 8; ++i) {
        QTest::mouseMove(&f.View(), from + QPoint(5 * i, 3 * i));
    }
    QTest::mouseRelease(&f.View(), Qt::LeftButton, {}, from + QPoint(40, 24));

    const RECT rcExpected{rcBefore.left + 20, rcBefore.top + 12, rcBefore.right + 20,
                          rcBefore.bottom + 12};
    QVERIFY(SameRect(f.dlg.GetSkin().m_rcTitle, rcExpected));
    QCOMPARE(BoxFields(f.dlg), Numbers(rcExpected));
}

void tst_EditorZoom::zoomCommands()
{
    Fixture f;
    QCOMPARE(f.View().GetZoom(), 1.0);
    Trigger(f.dlg, CSkinEditorDlg::ID_VIEW_ZOOM_OUT);
    QCOMPARE(f.View().GetZoom(), 0.5);
    Trigger(f.dlg, CSkinEditorDlg::ID_VIEW_ACTUAL_SIZE);
    QCOMPARE(f.View().GetZoom(), 1.0);
    for (int i = 0; i < 20; ++i) {
        f.dlg.GetCommand(CSkinEditorDlg::ID_VIEW_ZOOM_IN)->trigger();
    }
    QCOMPARE(f.View().GetZoom(), 32.0);
    QVERIFY(!f.dlg.GetCommand(CSkinEditorDlg::ID_VIEW_ZOOM_IN)->isEnabled());
    Trigger(f.dlg, CSkinEditorDlg::ID_VIEW_FIT);
    const CDib* const pImage = f.dlg.GetSkin().GetMainImage();
    QVERIFY(pImage->GetWidth() * f.View().GetZoom() <= f.View().width());
    QVERIFY(pImage->GetHeight() * f.View().GetZoom() <= f.View().height());
    QVERIFY(f.prompts.Calls().empty());
}

// Arrow keys move the rectangle a pixel (Shift: ten), Alt+arrows its right or bottom edge;
// however many, they are one undo step.
void tst_EditorZoom::nudgeBurstIsOneStep()
{
    Fixture f;
    const RECT rcBefore = f.dlg.GetSkin().m_rcTitle;
    f.View().setFocus();
    QTest::keyClick(&f.View(), Qt::Key_Right);
    QTest::keyClick(&f.View(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&f.View(), Qt::Key_Down);
    QTest::keyClick(&f.View(), Qt::Key_Right, Qt::AltModifier);
    const RECT rcExpected{rcBefore.left + 11, rcBefore.top + 1, rcBefore.right + 12,
                          rcBefore.bottom + 1};
    QVERIFY(SameRect(f.dlg.GetSkin().m_rcTitle, rcExpected));
    QCOMPARE(BoxFields(f.dlg), Numbers(rcExpected));
    QCOMPARE(f.dlg.GetDocument().UndoStack().count(), 1);
    QCOMPARE(f.dlg.GetCommand(CSkinEditorDlg::ID_EDIT_UNDO)->text(),
             QStringLiteral("&Undo Nudge Title Rectangle"));
    Trigger(f.dlg, CSkinEditorDlg::ID_EDIT_UNDO);
    QVERIFY(SameRect(f.dlg.GetSkin().m_rcTitle, rcBefore));
    QVERIFY(SameRect(f.View().GetPickerRect(), rcBefore));
}

void tst_EditorZoom::viewChoicesAreRemembered()
{
    {
        Fixture f;
        Trigger(f.dlg, CSkinEditorDlg::ID_VIEW_TRANSPARENCY_CHECKERBOARD);
        Trigger(f.dlg, CSkinEditorDlg::ID_VIEW_GRID);
        Trigger(f.dlg, CSkinEditorDlg::ID_VIEW_SNAP);
        QVERIFY(f.dlg.GetCommand(CSkinEditorDlg::ID_VIEW_TRANSPARENCY_CHECKERBOARD)->isChecked());
        QVERIFY(!f.dlg.GetCommand(CSkinEditorDlg::ID_VIEW_TRANSPARENCY_DESKTOP)->isChecked());
    }
    Fixture f;
    QVERIFY(f.View().GetTransparencyDisplay() == CSkinImageView::TransparencyDisplay::Checkerboard);
    QVERIFY(f.View().IsGridShown());
    QVERIFY(f.View().IsSnapToOpaqueEdges());
    QVERIFY(f.dlg.GetCommand(CSkinEditorDlg::ID_VIEW_GRID)->isChecked());
}

void tst_EditorZoom::statusLine()
{
    Fixture f;
    const RECT& rc = f.dlg.GetSkin().m_rcTitle;
    const QString strRect = QStringLiteral("%1, %2, %3, %4 (%5 \u00d7 %6)")
                                .arg(rc.left)
                                .arg(rc.top)
                                .arg(rc.right)
                                .arg(rc.bottom)
                                .arg(rc.right - rc.left)
                                .arg(rc.bottom - rc.top);
    QVERIFY2(f.StatusTexts().contains(strRect), qPrintable(f.StatusTexts().join('|')));
    QVERIFY(f.StatusTexts().contains(QStringLiteral("100%")));
    QTest::mouseMove(&f.View(),
                     f.View().GetTransform().ImageToWidget(QPointF(3.25, 4.25)).toPoint());
    QVERIFY2(f.StatusTexts().contains(QStringLiteral("3, 4")),
             qPrintable(f.StatusTexts().join('|')));
    Trigger(f.dlg, CSkinEditorDlg::ID_VIEW_ZOOM_OUT);
    QVERIFY(f.StatusTexts().contains(QStringLiteral("50%")));
}

QTEST_MAIN(tst_EditorZoom)
#include "tst_editorzoom.moc"
