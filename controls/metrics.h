#pragma once

// The system metrics the controls size themselves by.
inline constexpr int SM_CXEDGE = 45;
inline constexpr int SM_CYEDGE = 46;
inline constexpr int SM_CYVTHUMB = 9;
inline constexpr int SM_CXHTHUMB = 10;

// Edges are the classic 2 pixels; the scroll thumbs follow the style's scroll bar extent so the
// controls match the scroll bars around them. Unknown indexes give 0.
int GetSystemMetrics(int nIndex);
