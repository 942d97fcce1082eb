#pragma once

#include "dib.h"

#include <filesystem>
#include <memory>
#include <string>

// A component's bitmap as read from its file: the image, or why there is none.
struct BitmapFile
{
    std::unique_ptr<CDib> pImage;
    bool bNotBitmap = false; // the file reads, but it is no BMP
    std::string strWhy;      // otherwise why it could not be read, one or two sentences
};

// Reads the bitmap file at path: what Apply stores and what a reload takes in.
BitmapFile ReadBitmapFile(const std::filesystem::path& path);
