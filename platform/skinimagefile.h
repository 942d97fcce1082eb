#pragma once

#include "wintypes.h"

#include <QStringList>

#include <filesystem>
#include <memory>
#include <string>

class CDib;
class QIODevice;

// An image file read for one of the skin's image slots.
struct SkinImageFile
{
    std::unique_ptr<CDib> pImage; // null when the file could not be used
    std::string strError;         // why not, in words for the user
    // The format that was converted to a 24-bit bitmap ("PNG"); empty for a BMP taken as it is.
    std::string strConvertedFrom;
};

// Reads the image file at path for a slot whose transparent colour is crTransparent. A BMP file
// goes through the skin's own reader and is kept byte for byte; any other image Qt reads (PNG,
// GIF, JPEG, WebP where its plugin is installed) becomes a 24-bit bitmap, its pixels with an
// alpha below 50 % taking crTransparent. An image beyond the limits of dib.h is refused before
// it is decoded; a damaged file gives an error, never a crash.
SkinImageFile ReadSkinImageFile(const std::filesystem::path& path, COLORREF crTransparent);

// The conversion alone, from a device open for reading: what a non-BMP file becomes.
SkinImageFile ConvertImage(QIODevice& device, COLORREF crTransparent);

// File name patterns ("*.png") of the formats ConvertImage takes here.
QStringList ConvertibleImagePatterns();
