#pragma once

#include <QString>

#include <filesystem>
#include <vector>

// The files that come with the program, found relative to it so that an installed tree can move:
// beside it in the build tree and on Windows, in the bundle's resources on macOS, in its data
// folder (share/tavelo) elsewhere. strName is relative, e.g. "manual/index.html"; the result is
// absolute, or empty when the file or folder is in none of these places.
QString FindBundledPath(const QString& strName);

// The template skins of File > New from Template, by file name.
std::vector<std::filesystem::path> FindTemplates();
