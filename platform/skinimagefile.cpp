#include "skinimagefile.h"

#include "bytestream.h"
#include "dib.h"
#include "dibimage.h"
#include "qtconvert.h"
#include "skin.h"
#include "translatedskintext.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <array>
#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
// Below half of full opacity a pixel is a hole in the note.
constexpr int kOpaqueFrom = 128;

void PutLE(std::vector<std::uint8_t>& bytes, std::size_t nAt, std::uint32_t nValue,
           std::size_t nBytes)
{
    for (std::size_t n = 0; n < nBytes; ++n) {
        bytes[nAt + n] = static_cast<std::uint8_t>((nValue >> (8 * n)) & 0xFF);
    }
}

// The image as a 24-bit bottom-up .bmp file.
std::vector<std::uint8_t> ToBmp24(const QImage& image, COLORREF crTransparent)
{
    const auto nWidth = static_cast<std::size_t>(image.width());
    const auto nHeight = static_cast<std::size_t>(image.height());
    const std::size_t nStride = (nWidth * 3 + 3) / 4 * 4;
    const std::size_t nOffset = kFileHeaderSize + kInfoHeaderSize;
    std::vector<std::uint8_t> bytes(nOffset + nStride * nHeight, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLE(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    PutLE(bytes, 10, static_cast<std::uint32_t>(nOffset), 4);
    PutLE(bytes, 14, kInfoHeaderSize, 4);
    PutLE(bytes, 18, static_cast<std::uint32_t>(nWidth), 4);
    PutLE(bytes, 22, static_cast<std::uint32_t>(nHeight), 4);
    PutLE(bytes, 26, 1, 2);
    PutLE(bytes, 28, 24, 2);
    PutLE(bytes, 34, static_cast<std::uint32_t>(nStride * nHeight), 4);
    for (std::size_t y = 0; y < nHeight; ++y) {
        const auto* const pSource =
            reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(y)));
        std::uint8_t* pTarget = bytes.data() + nOffset + nStride * (nHeight - 1 - y);
        for (std::size_t x = 0; x < nWidth; ++x, pTarget += 3) {
            const QRgb rgb = pSource[x];
            const bool bHole = qAlpha(rgb) < kOpaqueFrom;
            pTarget[0] = bHole ? GetBValue(crTransparent) : static_cast<std::uint8_t>(qBlue(rgb));
            pTarget[1] = bHole ? GetGValue(crTransparent) : static_cast<std::uint8_t>(qGreen(rgb));
            pTarget[2] = bHole ? GetRValue(crTransparent) : static_cast<std::uint8_t>(qRed(rgb));
        }
    }
    return bytes;
}

SkinImageFile Refused(std::string strError)
{
    SkinImageFile result;
    result.strError = std::move(strError);
    return result;
}

bool StartsAsBmp(const std::filesystem::path& path)
{
    const FilePtr pFile = OpenFileForReading(path);
    std::array<char, 2> signature{};
    return pFile && std::fread(signature.data(), 1, 2, pFile.get()) == 2 &&
           signature == std::array<char, 2>{'B', 'M'};
}

} // namespace

SkinImageFile ConvertImage(QIODevice& device, COLORREF crTransparent)
{
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    if (format.isEmpty()) {
        return Refused(QCoreApplication::translate("SkinImageFile",
                                                   "not a bitmap or other image that can be read")
                           .toStdString());
    }
    const std::string strFormat = QString::fromLatin1(format).toUpper().toStdString();
    // Known from the header alone for every format here; a picture too large is never decoded.
    if (const QSize size = reader.size();
        size.isValid() && !IsWithinDibLimits(size.width(), size.height())) {
        return Refused(
            TranslatedSkinText(DibLimitsText(size.width(), size.height())).toStdString());
    }
    AllowTheLargestBitmap();
    const QImage image = reader.read();
    if (image.isNull()) {
        return Refused(
            QCoreApplication::translate("SkinImageFile", "the %1 image cannot be read: %2")
                .arg(QString::fromStdString(strFormat), reader.errorString())
                .toStdString());
    }
    if (!IsWithinDibLimits(image.width(), image.height())) {
        return Refused(
            TranslatedSkinText(DibLimitsText(image.width(), image.height())).toStdString());
    }
    const std::vector<std::uint8_t> bytes =
        ToBmp24(image.convertToFormat(QImage::Format_ARGB32), crTransparent);
    CMemorySource source(bytes);
    auto pImage = std::make_unique<CDib>();
    if (pImage->Read(source) == 0) {
        return Refused(pImage->GetReadError());
    }
    SkinImageFile result;
    result.pImage = std::move(pImage);
    result.strConvertedFrom = strFormat;
    return result;
}

SkinImageFile ReadSkinImageFile(const std::filesystem::path& path, COLORREF crTransparent)
{
    SkinImageFile result;
    if (StartsAsBmp(path)) {
        CSkin::ReadImageFile(result.pImage, path, &result.strError);
        result.strError = TranslatedSkinText(Phrase(result.strError)).toStdString();
        return result;
    }
    // Only a regular file: a pipe or a device could block or never end.
    std::error_code error;
    QFile file(pathToQString(path));
    if (!std::filesystem::is_regular_file(path, error) || !file.open(QIODevice::ReadOnly)) {
        return Refused(
            QCoreApplication::translate("SkinImageFile", "no such readable file").toStdString());
    }
    return ConvertImage(file, crTransparent);
}

QStringList ConvertibleImagePatterns()
{
    QStringList patterns;
    const QList<QByteArray> supported = QImageReader::supportedImageFormats();
    for (const char* pszSuffix : {"png", "gif", "jpg", "jpeg", "webp"}) {
        if (supported.contains(pszSuffix)) {
            patterns.push_back(QStringLiteral("*.") + QLatin1String(pszSuffix));
        }
    }
    return patterns;
}
