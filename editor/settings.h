#pragma once

#include <QString>
#include <QStringList>

// The editor's persistent settings: one integer, text or list of texts per value name, per user,
// in QSettings under organisation "Corvane", application "Tavelo" and a group named after the
// running application. Tests move the store with QSettings::setPath before the first use.
enum Setting
{
    SETTING_SHOW_COMPONENTS = 1,       // the image view's mask of shown parts
    SETTING_TRANSPARENCY_DISPLAY = 10, // how the view shows keyed pixels
    SETTING_SHOW_GRID = 11,            // the pixel grid at high zoom
    SETTING_SNAP_TO_EDGES = 12,        // dragged edges snap to the opaque area's edges
    SETTING_SHOW_ISSUES = 13,          // the Issues panel under the image view
    // The window's inside in its normal state when it last closed, in screen pixels; a width of
    // 0 means it never closed.
    SETTING_WINDOW_LEFT = 20,
    SETTING_WINDOW_TOP = 21,
    SETTING_WINDOW_WIDTH = 22,
    SETTING_WINDOW_HEIGHT = 23,
    SETTING_WINDOW_MAXIMIZED = 24,
    SETTING_RECENT_FILES = 30, // list: the skins last opened or saved, most recent first
    SETTING_LAST_FOLDER = 31,  // text: the folder the file dialogs open in
};

// The stored integer, or the setting's default when the value is absent or not a number.
int GetSettingInt(int nSetting);
// Failures to store are not reported: the setting only affects the next start.
void WriteSettingInt(int nSetting, int nValue);
// The stored text or list; empty when absent.
QString GetSettingString(int nSetting);
void WriteSettingString(int nSetting, const QString& strValue);
QStringList GetSettingStringList(int nSetting);
void WriteSettingStringList(int nSetting, const QStringList& values);
// The value name; empty for an unknown id.
QString GetSettingName(int nSetting);
