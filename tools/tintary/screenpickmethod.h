#pragma once

#include <QString>

// How the chooser can take a colour from the screen in the session it runs in.
enum class ScreenPickMethod
{
    QtGrab,      // Qt's own picker, which reads the screen directly
    Portal,      // the desktop portal's picker, asked over D-Bus
    Unavailable, // neither works here; the chooser says so instead of offering a dead button
};

// What the choice depends on, as the chooser finds it at start.
struct ScreenPickContext
{
    QString strPlatform;       // QGuiApplication::platformName()
    QString strSessionType;    // XDG_SESSION_TYPE
    QString strWaylandDisplay; // WAYLAND_DISPLAY
    bool bPortalOffersPick = false;
};

// True when the desktop runs on Wayland, whatever platform plugin Qt loaded: an X11 client of a
// Wayland desktop sees only the other X11 clients' windows.
bool IsWaylandSession(const ScreenPickContext& context);

ScreenPickMethod ChooseScreenPickMethod(const ScreenPickContext& context);

// The same context for this process, with the portal not yet asked.
ScreenPickContext CurrentScreenPickContext();
