#include "bitmapfile.h"

#include "bytestream.h"
#include "qtconvert.h"
#include "skinimagefile.h"

#include <QImageReader>

#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <system_error>

namespace {

const char* const kBadBmp = "It is damaged, or it is a kind of BMP file this program cannot hold.";

// Why the bitmap file cannot be opened, or nothing when it can.
std::optional<std::string> WhyNotReadable(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error) {
        return error.message() + ".";
    }
    if (std::filesystem::is_directory(status)) {
        return std::string("It is a folder.");
    }
    if (!std::filesystem::is_regular_file(status)) {
        return std::string("It is not a regular file.");
    }
    return std::nullopt;
}

BitmapFile Refused(std::string strWhy)
{
    return BitmapFile{nullptr, false, std::move(strWhy), {}};
}

bool IsImageFile(const std::filesystem::path& path)
{
    QImageReader reader(pathToQString(path));
    return !reader.format().isEmpty();
}

} // namespace

// Another format, converted; a file no image reader knows is no bitmap at all.
BitmapFile Converted(const std::filesystem::path& path, COLORREF crTransparent)
{
    SkinImageFile image = ReadSkinImageFile(path, crTransparent);
    if (image.pImage) {
        return BitmapFile{std::move(image.pImage), false, {}, std::move(image.strConvertedFrom)};
    }
    if (!IsImageFile(path)) {
        return BitmapFile{nullptr, true, {}, {}};
    }
    std::string strWhy = image.strError;
    if (!strWhy.empty()) {
        strWhy[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(strWhy[0])));
    }
    return Refused(strWhy + ".");
}

BitmapFile ReadBitmapFile(const std::filesystem::path& path, COLORREF crTransparent)
{
    if (std::optional<std::string> strWhy = WhyNotReadable(path)) {
        return Refused(std::move(*strWhy));
    }
    const FilePtr pFile = OpenFileForReading(path);
    if (!pFile) {
        return Refused(std::generic_category().message(errno) + ".");
    }
    std::array<char, 2> signature{};
    if (std::fread(signature.data(), 1, signature.size(), pFile.get()) != signature.size() ||
        signature != std::array<char, 2>{'B', 'M'}) {
        return Converted(path, crTransparent);
    }
    CFileSource source(pFile.get());
    auto pImage = std::make_unique<CDib>();
    if (pImage->Read(source) == 0) {
        // The reader's own words say more than ours only when the image is too large.
        const std::string& strWhy = pImage->GetReadError();
        return Refused(pImage->IsBeyondLimits() ? "T" + strWhy.substr(1) + "."
                                                : std::string(kBadBmp));
    }
    return BitmapFile{std::move(pImage), false, {}, {}};
}
