#pragma once

#include <QList>
#include <QRect>

// Where a window saved at rcSaved reopens, given the available area of each screen now attached
// and of the primary one. It stays where it was while enough of its top edge lies on one screen
// for its title bar to be grabbed; otherwise (a screen removed, the resolution lowered) it is
// centred on the primary screen, its size kept as far as that screen allows.
QRect RestoredWindowRect(const QRect& rcSaved, const QList<QRect>& screens, const QRect& rcPrimary);
// The same on the screens attached now.
QRect RestoredWindowRect(const QRect& rcSaved);
