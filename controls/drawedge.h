#pragma once

#include "wintypes.h"

#include <QColor>
#include <QPalette>

class QPainter;
class QRect;

// The classic bevelled edges, drawn in the colours of a palette so they follow light and dark
// themes alike. An edge is a set of the BDR_ bits; both halves of EDGE_RAISED and EDGE_SUNKEN are
// two pixels wide together.
inline constexpr unsigned BDR_RAISEDOUTER = 0x1;
inline constexpr unsigned BDR_SUNKENOUTER = 0x2;
inline constexpr unsigned BDR_RAISEDINNER = 0x4;
inline constexpr unsigned BDR_SUNKENINNER = 0x8;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;

// A chrome colour: always the active group's, so a popup or an inactive window keeps its look.
QColor ChromeColour(const QPalette& palette, QPalette::ColorRole role);

// Draws the edge on all four sides of rc (right and bottom exclusive).
void DrawEdge(QPainter& painter, const QPalette& palette, const RECT& rc, unsigned nEdge);

// A scroll bar's down-arrow button: raised, or flat and pressed with the arrow shifted; an
// inactive arrow is embossed.
void DrawScrollDownButton(QPainter& painter, const QPalette& palette, const RECT& rc, bool bPushed,
                          bool bInactive);

// Fills rc (right and bottom exclusive) with a chrome colour.
void FillChrome(QPainter& painter, const QPalette& palette, const RECT& rc,
                QPalette::ColorRole role);

// The keyboard focus: a two-pixel ring in the highlight colour just inside rc with a one-pixel
// ring of the highlighted-text colour inside it, so it stands out on any colour underneath.
void DrawFocusFrame(QPainter& painter, const QPalette& palette, const QRect& rc);

RECT InflatedRect(const RECT& rc, int dx, int dy);
