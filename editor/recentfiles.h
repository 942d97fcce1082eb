#pragma once

#include <QStringList>

#include <filesystem>

// The skins last opened or saved, most recent first, kept in the settings so that the next run
// and every other editor see the same list. Each file is listed once, under the name it was last
// opened or saved by: two paths to one file (through a link, or with "..") are one entry.
inline constexpr int kMaxRecentFiles = 8;

QStringList RecentFiles();
// Puts the file first, dropping its older entry and those beyond the limit.
void AddRecentFile(const std::filesystem::path& path);
void RemoveRecentFile(const QString& strPath);
void ClearRecentFiles();
