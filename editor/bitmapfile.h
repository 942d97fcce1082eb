#pragma once

#include "dib.h"

#include <filesystem>
#include <memory>
#include <string>

// A component's bitmap as read from its file: the image, or why there is none.
struct BitmapFile
{
    std::unique_ptr<CDib> pImage;
    bool bNotBitmap = false;      // the file reads, but it is no image at all
    std::string strWhy;           // otherwise why it could not be read, one or two sentences
    std::string strConvertedFrom; // the format a converted image came in ("PNG"); empty for BMP
};

// Reads the image file at path: what Apply stores and what a reload takes in. A BMP file is taken
// as it is; another image (PNG, GIF, JPEG...) becomes a 24-bit bitmap whose clear pixels take
// crTransparent, the component's transparent colour.
BitmapFile ReadBitmapFile(const std::filesystem::path& path, COLORREF crTransparent);
