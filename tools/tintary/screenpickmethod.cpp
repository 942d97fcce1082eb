#include "screenpickmethod.h"

#include <QGuiApplication>
#include <QStringList>

bool IsWaylandSession(const ScreenPickContext& context)
{
    if (context.strPlatform.startsWith(QLatin1String("wayland"))) {
        return true;
    }
    if (context.strSessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    // An explicit X11 session wins over a stray WAYLAND_DISPLAY, e.g. one inherited by a
    // nested X server's clients.
    if (context.strSessionType.compare(QLatin1String("x11"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    return !context.strWaylandDisplay.isEmpty();
}

ScreenPickMethod ChooseScreenPickMethod(const ScreenPickContext& context)
{
    static const QStringList kGrabbingPlatforms = {QStringLiteral("xcb"), QStringLiteral("windows"),
                                                   QStringLiteral("cocoa")};
    if (!IsWaylandSession(context) && kGrabbingPlatforms.contains(context.strPlatform)) {
        return ScreenPickMethod::QtGrab;
    }
    return context.bPortalOffersPick ? ScreenPickMethod::Portal : ScreenPickMethod::Unavailable;
}

ScreenPickContext CurrentScreenPickContext()
{
    ScreenPickContext context;
    context.strPlatform = QGuiApplication::platformName();
    context.strSessionType = qEnvironmentVariable("XDG_SESSION_TYPE").trimmed();
    context.strWaylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY");
    return context;
}
