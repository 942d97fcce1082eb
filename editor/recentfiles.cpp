#include "recentfiles.h"

#include "qtconvert.h"
#include "settings.h"

#include <system_error>

namespace {

// As the user named it, made absolute.
QString ListedName(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return pathToQString(error ? path : absolute.lexically_normal());
}

// Symbolic links and ".." resolved where they exist, so two spellings of one file match.
QString CanonicalName(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? ListedName(path) : pathToQString(canonical);
}

void StoreRecentFiles(QStringList files)
{
    if (files.size() > kMaxRecentFiles) {
        files.resize(kMaxRecentFiles);
    }
    WriteSettingStringList(SETTING_RECENT_FILES, files);
}

} // namespace

QStringList RecentFiles()
{
    // A hand-edited store may hold blanks or more than the menu shows.
    QStringList files = GetSettingStringList(SETTING_RECENT_FILES);
    files.removeAll(QString());
    if (files.size() > kMaxRecentFiles) {
        files.resize(kMaxRecentFiles);
    }
    return files;
}

void AddRecentFile(const std::filesystem::path& path)
{
    const QString strCanonical = CanonicalName(path);
    QStringList files = RecentFiles();
    files.removeIf([&strCanonical](const QString& strEntry) {
        return CanonicalName(toPath(strEntry)) == strCanonical;
    });
    files.prepend(ListedName(path));
    StoreRecentFiles(files);
}

void RemoveRecentFile(const QString& strPath)
{
    QStringList files = RecentFiles();
    files.removeAll(strPath);
    StoreRecentFiles(files);
}

void ClearRecentFiles()
{
    StoreRecentFiles({});
}
