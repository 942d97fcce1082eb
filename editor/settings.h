#pragma once

#include <QString>

// The editor's persistent settings: one integer per value name, per user, in QSettings under
// organisation "Corvane", application "Tavelo" and a group named after the running application.
// Tests move the store with QSettings::setPath before the first use.
enum Setting
{
    SETTING_SHOW_COMPONENTS = 1,       // the image view's mask of shown parts
    SETTING_TRANSPARENCY_DISPLAY = 10, // how the view shows keyed pixels
    SETTING_SHOW_GRID = 11,            // the pixel grid at high zoom
    SETTING_SNAP_TO_EDGES = 12,        // dragged edges snap to the opaque area's edges
};

// The stored integer, or the setting's default when the value is absent or not a number.
int GetSettingInt(int nSetting);
// Failures to store are not reported: the setting only affects the next start.
void WriteSettingInt(int nSetting, int nValue);
// The value name; empty for an unknown id.
QString GetSettingName(int nSetting);
