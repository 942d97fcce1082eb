#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// JSON text is UTF-8 whatever the system's narrow encoding; these keep file names intact on
// systems whose narrow encoding is not UTF-8.

inline std::filesystem::path PathFromUtf8(std::string_view text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string PathToUtf8(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
