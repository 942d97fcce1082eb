#pragma once

// The editor window's control ids; each widget carries its id as objectName, so handlers tell
// the pickers apart and tests find the controls.
enum ControlId
{
    IDC_BITMAP_PATH = 1001,
    IDC_BROWSE_BITMAP = 1002,
    IDC_LABEL_LEFT = 1003,
    IDC_LABEL_TOP = 1004,
    IDC_LABEL_RIGHT = 1005,
    IDC_LABEL_BOTTOM = 1006,
    IDC_VIEW_LINE = 1008,
    IDC_SET_BOX = 1009,
    IDC_LEFT = 1011,
    IDC_TOP = 1012,
    IDC_RIGHT = 1013,
    IDC_BOTTOM = 1014,
    IDC_COMPONENT = 1015,
    IDC_PICKER = 1016,
    IDC_BITMAP_GROUP = 1021,
    IDC_MESSAGE_BACK = 1023,
    IDC_VIEW_FRAME = 1024,
    IDC_APPLY = 1025,
    IDC_TRANSPARENT = 1026,
    IDC_TITLE_BACK = 1028,
    IDC_MESSAGE_TEXT = 1029,
    IDC_TITLE_TEXT = 1031,
    IDC_MESSAGE_FONT = 1032,
    IDC_TITLE_FONT = 1033,
    IDC_STATUS_MESSAGE = 1034,
    IDC_ISSUES = 1035,
};
