#pragma once

#include "skin.h"

#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A manifest that cannot be used. The text names the key at fault, e.g.
// "rects.title" must be an array of 4 integers
class CManifestError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The bitmap files a manifest names, as written there, in the order of kImageKeys.
using ManifestImagePaths = std::array<std::filesystem::path, 3>;

// Resets skin and fills it from manifest text in the skin.json shape. Strings are UTF-8 and become
// Windows-1252; keys left out keep the reset skin's values. The images are only named here, not
// read. Throws CManifestError; the skin may then hold part of the manifest.
ManifestImagePaths ApplyManifest(std::string_view text, CSkin& skin);

// An image of another format that became a 24-bit bitmap: the key naming it, its path as used,
// and its format ("PNG").
struct ConvertedImage
{
    std::string strKey;
    std::filesystem::path path;
    std::string strFormat;
};

// Reads the named images, relative names from baseDir, into the skin's slots: BMP files as they
// are, other formats converted with the skin's transparent colour of that slot for the pixels
// with less than half alpha. Returns the conversions made. Throws CManifestError naming the
// first image that cannot be read.
std::vector<ConvertedImage> LoadManifestImages(const ManifestImagePaths& paths,
                                               const std::filesystem::path& baseDir, CSkin& skin);
