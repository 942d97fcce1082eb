#pragma once

#include <filesystem>

class QMimeData;

// What a drag brings that the editor can take: one local skin file, or one local file that
// reads as an image. Several files, remote addresses, folders, unreadable files and plain text
// are nothing.
struct DroppedFile
{
    enum class Kind
    {
        None,
        Skin,
        Image,
    };

    Kind kind = Kind::None;
    std::filesystem::path path;

    static DroppedFile Of(const QMimeData& data);
};
