#include "bitmapfile.h"

#include "bytestream.h"
#include "qtconvert.h"
#include "skinimagefile.h"
#include "translatedskintext.h"

#include <QCoreApplication>
#include <QImageReader>

#include <array>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <system_error>

namespace {

// A reason as a sentence of its own: capitalised, with a full stop.
std::string Sentence(QString strWhy)
{
    if (!strWhy.isEmpty()) {
        strWhy[0] = strWhy[0].toUpper();
    }
    return QCoreApplication::translate("BitmapFile", "%1.").arg(strWhy).toStdString();
}

// Why the bitmap file cannot be opened, or nothing when it can.
std::optional<std::string> WhyNotReadable(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error) {
        return Sentence(QString::fromStdString(error.message()));
    }
    if (std::filesystem::is_directory(status)) {
        return QCoreApplication::translate("BitmapFile", "It is a folder.").toStdString();
    }
    if (!std::filesystem::is_regular_file(status)) {
        return QCoreApplication::translate("BitmapFile", "It is not a regular file.").toStdString();
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
    return Refused(Sentence(QString::fromStdString(image.strError)));
}

BitmapFile ReadBitmapFile(const std::filesystem::path& path, COLORREF crTransparent)
{
    if (std::optional<std::string> strWhy = WhyNotReadable(path)) {
        return Refused(std::move(*strWhy));
    }
    const FilePtr pFile = OpenFileForReading(path);
    if (!pFile) {
        return Refused(Sentence(QString::fromStdString(std::generic_category().message(errno))));
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
        return Refused(pImage->IsBeyondLimits()
                           ? Sentence(TranslatedSkinText(pImage->GetReadErrorText()))
                           : QCoreApplication::translate("BitmapFile",
                                                         "It is damaged, or it is a kind of "
                                                         "BMP file this program cannot hold.")
                                 .toStdString());
    }
    return BitmapFile{std::move(pImage), false, {}, {}};
}
