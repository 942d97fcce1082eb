// Shows the image view on a sample skin with the title picker half-way through a drag, so the
// look can be checked by eye (or by a screenshot under Xvfb). Exits by itself after a few seconds.
// A colour name in place of the skin ("black", "white") shows the skin's picker on a main image
// of that one colour. A third argument is a zoom step (an index into kZoomSteps; the grid and
// the checkerboard show with it), a fourth "snap" turns on snapping to opaque edges.
#include "skin.h"
#include "skinimageview.h"
#include "testimages.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString strName = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "yellow-note.skn";
    CSkin skin;
    const QColor crPlain(strName);
    const std::string strSkin = crPlain.isValid() ? "yellow-note.skn" : strName.toStdString();
    if (!skin.Load(std::string(TAVELO_SAMPLES_DIR "/") + strSkin)) {
        std::fprintf(stderr, "cannot read the sample skin\n");
        return 2;
    }
    const std::unique_ptr<CDib> pPlain =
        crPlain.isValid()
            ? MakeDib(skin.GetMainImage()->GetWidth(), skin.GetMainImage()->GetHeight(), crPlain)
            : nullptr;
    CSkinImageView view;
    view.resize(560, 420);
    view.setWindowTitle("Image View");
    view.m_nShowParts = 0xF;
    view.SetImage(pPlain ? pPlain.get() : skin.GetMainImage(), skin.m_crMainTransparent);
    const RECT& rcClose = skin.m_rcCloseButton;
    view.AddOverlay(skin.GetCloseHoverImage(), rcClose.left, rcClose.top, rcClose.right,
                    rcClose.bottom, skin.m_crCloseHoverTransparent);
    LOGFONT fontTitle;
    LOGFONT fontMessage;
    skin.GetTitleFont(&fontTitle);
    skin.GetMessageFont(&fontMessage);
    const RECT& rcTitle = skin.m_rcTitle;
    const RECT& rcMessage = skin.m_rcMessage;
    view.SetTitleSample("Title of the note, long enough to be cut", rcTitle.left, rcTitle.top,
                        rcTitle.right, rcTitle.bottom, &fontTitle, skin.m_crTitleText);
    view.SetMessageSample("The message of the note wraps at word boundaries inside its area, "
                          "and a line that would show only partly is left out.",
                          rcMessage.left, rcMessage.top, rcMessage.right, rcMessage.bottom,
                          &fontMessage, skin.m_crMessageText);
    view.HidePicker(false);
    view.show();
    if (argc > 3) {
        view.SetShowGrid(true);
        view.SetTransparencyDisplay(CSkinImageView::TransparencyDisplay::Checkerboard);
        view.SetSnapToOpaqueEdges(argc > 4 && QString(argv[4]) == "snap");
        const CViewTransform& transform = view.GetTransform();
        view.SetZoomIndex(QString(argv[3]).toInt(),
                          transform.ImageToWidget(QPointF(rcTitle.right, rcTitle.bottom)));
    }

    // After the first paint: place the picker on the title and drag its bottom-right handle.
    QTimer::singleShot(500, &view, [&] {
        view.SetPickerRect(rcTitle.left, rcTitle.top, rcTitle.right, rcTitle.bottom);
        view.update();
    });
    QTimer::singleShot(800, &view, [&] {
        const QPoint ptHandle =
            view.GetTransform().ImageToWidget(QPointF(rcTitle.right, rcTitle.bottom)).toPoint() -
            QPoint(2, 2);
        auto send = [&](QEvent::Type type, QPoint point, Qt::MouseButtons buttons) {
            QMouseEvent event(type, point, view.mapToGlobal(point), Qt::LeftButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(&view, &event);
        };
        send(QEvent::MouseButtonPress, ptHandle, Qt::LeftButton);
        for (int i = 1; i <= 10; ++i) {
            send(QEvent::MouseMove, ptHandle + QPoint(4 * i, 3 * i), Qt::LeftButton);
        }
    });
    QTimer::singleShot(argc > 2 ? QString(argv[2]).toInt() : 4000, &app, &QApplication::quit);
    return QApplication::exec();
}
