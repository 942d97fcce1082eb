#include "filedialogfolder.h"

#include "qtconvert.h"
#include "settings.h"

#include <QDir>

#include <system_error>

namespace {

bool IsFolder(const std::filesystem::path& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

} // namespace

std::filesystem::path FileDialogFolder(const std::filesystem::path& currentFile)
{
    std::filesystem::path remembered = toPath(GetSettingString(SETTING_LAST_FOLDER));
    if (IsFolder(remembered)) {
        return remembered;
    }
    if (IsFolder(currentFile.parent_path())) {
        return currentFile.parent_path();
    }
    return toPath(QDir::homePath());
}

void RememberFileDialogFolder(const std::filesystem::path& file)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    if (!error && absolute.has_parent_path()) {
        WriteSettingString(SETTING_LAST_FOLDER, pathToQString(absolute.parent_path()));
    }
}
