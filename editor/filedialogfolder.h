#pragma once

#include <filesystem>

// The one folder that the skin and bitmap file dialogs open in: where the user last opened,
// saved or took a file. When that folder is gone, the current skin's folder, else home.
std::filesystem::path FileDialogFolder(const std::filesystem::path& currentFile);
// Remembers the folder of a file the user opened, saved or took.
void RememberFileDialogFolder(const std::filesystem::path& file);
