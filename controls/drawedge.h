#pragma once

#include "wintypes.h"

class QPainter;

// The classic bevelled edges, drawn in the system colours. An edge is a set of the BDR_ bits;
// both halves of EDGE_RAISED and EDGE_SUNKEN are two pixels wide together.
inline constexpr unsigned BDR_RAISEDOUTER = 0x1;
inline constexpr unsigned BDR_SUNKENOUTER = 0x2;
inline constexpr unsigned BDR_RAISEDINNER = 0x4;
inline constexpr unsigned BDR_SUNKENINNER = 0x8;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;

// Draws the edge on all four sides of rc (right and bottom exclusive).
void DrawEdge(QPainter& painter, const RECT& rc, unsigned nEdge);

// A scroll bar's down-arrow button: raised, or flat and pressed with the arrow shifted; an
// inactive arrow is embossed.
void DrawScrollDownButton(QPainter& painter, const RECT& rc, bool bPushed, bool bInactive);

// Fills rc (right and bottom exclusive) with a system colour.
void FillSysColor(QPainter& painter, const RECT& rc, int nIndex);

RECT InflatedRect(const RECT& rc, int dx, int dy);
