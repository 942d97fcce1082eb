#include "settings.h"

#include <QCoreApplication>
#include <QSettings>

#include <array>

namespace {

struct SettingDecl
{
    int nId;
    const char* pszName;
    int nDefault;
};

// Every setting, declared once.
constexpr std::array<SettingDecl, 12> kSettings{{
    {SETTING_SHOW_COMPONENTS, "ShowComponents", 0},
    {SETTING_TRANSPARENCY_DISPLAY, "TransparencyDisplay", 2},
    {SETTING_SHOW_GRID, "ShowGrid", 0},
    {SETTING_SNAP_TO_EDGES, "SnapToOpaqueEdges", 0},
    {SETTING_SHOW_ISSUES, "ShowIssues", 1},
    {SETTING_WINDOW_LEFT, "WindowLeft", 0},
    {SETTING_WINDOW_TOP, "WindowTop", 0},
    {SETTING_WINDOW_WIDTH, "WindowWidth", 0},
    {SETTING_WINDOW_HEIGHT, "WindowHeight", 0},
    {SETTING_WINDOW_MAXIMIZED, "WindowMaximized", 0},
    {SETTING_RECENT_FILES, "RecentFiles", 0},
    {SETTING_LAST_FOLDER, "LastFolder", 0},
}};

const SettingDecl* FindSetting(int nSetting)
{
    for (const SettingDecl& decl : kSettings) {
        if (decl.nId == nSetting) {
            return &decl;
        }
    }
    return nullptr;
}

// An unknown id maps to the group's unnamed value ("Default" is that value in the registry).
QString KeyOf(int nSetting)
{
    const QString strName = GetSettingName(nSetting);
    return QCoreApplication::applicationName() + QLatin1Char('/') +
           (strName.isEmpty() ? QStringLiteral("Default") : strName);
}

QSettings OpenSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Corvane"),
                     QStringLiteral("Tavelo"));
}

} // namespace

int GetSettingInt(int nSetting)
{
    const SettingDecl* const pDecl = FindSetting(nSetting);
    const int nDefault = pDecl != nullptr ? pDecl->nDefault : 0;
    const QVariant value = OpenSettings().value(KeyOf(nSetting));
    bool bOk = false;
    const int nValue = value.toInt(&bOk);
    return value.isValid() && bOk ? nValue : nDefault;
}

void WriteSettingInt(int nSetting, int nValue)
{
    QSettings settings = OpenSettings();
    settings.setValue(KeyOf(nSetting), nValue);
}

QString GetSettingString(int nSetting)
{
    return OpenSettings().value(KeyOf(nSetting)).toString();
}

void WriteSettingString(int nSetting, const QString& strValue)
{
    QSettings settings = OpenSettings();
    settings.setValue(KeyOf(nSetting), strValue);
}

QStringList GetSettingStringList(int nSetting)
{
    return OpenSettings().value(KeyOf(nSetting)).toStringList();
}

void WriteSettingStringList(int nSetting, const QStringList& values)
{
    QSettings settings = OpenSettings();
    settings.setValue(KeyOf(nSetting), values);
}

QString GetSettingName(int nSetting)
{
    const SettingDecl* const pDecl = FindSetting(nSetting);
    return pDecl != nullptr ? QString::fromLatin1(pDecl->pszName) : QString();
}
