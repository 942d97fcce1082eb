#include "windowplacement.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace {

// How much of the title bar must show for the mouse to take it.
constexpr int kGrabWidth = 48;
constexpr int kGrabHeight = 8;

bool CanGrabTitleBar(const QRect& rcWindow, const QRect& rcScreen)
{
    const QRect rcTop(rcWindow.left(), rcWindow.top(), rcWindow.width(), kGrabHeight);
    const QRect rcShown = rcTop & rcScreen;
    return rcShown.height() == kGrabHeight &&
           rcShown.width() >= std::min(kGrabWidth, rcWindow.width());
}

} // namespace

QRect RestoredWindowRect(const QRect& rcSaved, const QList<QRect>& screens, const QRect& rcPrimary)
{
    if (std::any_of(screens.begin(), screens.end(), [&rcSaved](const QRect& rcScreen) {
            return CanGrabTitleBar(rcSaved, rcScreen);
        })) {
        return rcSaved;
    }
    QRect rcPlaced(QPoint(), rcSaved.size().boundedTo(rcPrimary.size()));
    rcPlaced.moveCenter(rcPrimary.center());
    return rcPlaced;
}

QRect RestoredWindowRect(const QRect& rcSaved)
{
    const QScreen* const pPrimary = QGuiApplication::primaryScreen();
    if (pPrimary == nullptr) {
        return rcSaved;
    }
    QList<QRect> screens;
    for (const QScreen* pScreen : QGuiApplication::screens()) {
        screens.append(pScreen->availableGeometry());
    }
    return RestoredWindowRect(rcSaved, screens, pPrimary->availableGeometry());
}
