#include "bmppreview.h"

#include "dib.h"
#include "dibimage.h"
#include "skinimagefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr qint64 HEADER_SIZE = 30;

// A file whose reads fail once the load is called off, so that a decode stops at its next read.
class CCancellableFile : public QFile
{
public:
    CCancellableFile(const QString& strPath, const std::atomic_bool* pCancel)
        : QFile(strPath), m_pCancel(pCancel)
    {
    }

    bool IsCancelled() const { return m_pCancel != nullptr && m_pCancel->load(); }

protected:
    qint64 readData(char* pData, qint64 nMaxSize) override
    {
        return IsCancelled() ? -1 : QFile::readData(pData, nMaxSize);
    }

private:
    const std::atomic_bool* m_pCancel;
};

bool HasBmpSignature(const std::array<unsigned char, HEADER_SIZE>& header, qint64 nRead)
{
    return nRead >= 2 && header[0] == 'B' && header[1] == 'M';
}

// Bits per pixel from the header, 0 when the header is cut short. The decoded image can't tell:
// 4-bit pictures come back as 8-bit ones.
int BitCountOf(const std::array<unsigned char, HEADER_SIZE>& header, qint64 nRead)
{
    if (nRead < 26) {
        return 0;
    }
    const unsigned nHeaderSize = header[14] | (header[15] << 8U) | (header[16] << 16U) |
                                 (static_cast<unsigned>(header[17]) << 24U);
    // The old 12-byte core header keeps the bit count two bytes earlier.
    const std::size_t nOffset = nHeaderSize == 12 ? 24 : 28;
    if (nHeaderSize != 12 && nRead < HEADER_SIZE) {
        return 0;
    }
    return header[nOffset] | (header[nOffset + 1] << 8U);
}

// Whether the header claims more pixels than a skin may hold; such a file is never decoded.
bool IsBeyondTheLimits(const std::array<unsigned char, HEADER_SIZE>& header, qint64 nRead,
                       QSize& size)
{
    const auto le = [&header](std::size_t nAt, std::size_t nBytes) {
        std::uint32_t nValue = 0;
        for (std::size_t n = 0; n < nBytes; ++n) {
            nValue |= std::uint32_t{header[nAt + n]} << (8 * n);
        }
        return nValue;
    };
    if (nRead < 26) {
        return false;
    }
    // The old 12-byte core header holds 16-bit sizes; the others 32-bit, the height signed.
    const bool bCore = le(14, 4) == 12;
    const std::int64_t nWidth = bCore ? le(18, 2) : static_cast<std::int32_t>(le(18, 4));
    std::int64_t nHeight = bCore ? le(20, 2) : static_cast<std::int32_t>(le(22, 4));
    nHeight = nHeight < 0 ? -nHeight : nHeight;
    if (nWidth <= DIB_MAX_SIDE && nHeight <= DIB_MAX_SIDE &&
        static_cast<std::uint64_t>(std::max<std::int64_t>(nWidth, 0) * nHeight) <= DIB_MAX_PIXELS) {
        return false;
    }
    size = QSize(static_cast<int>(nWidth), static_cast<int>(nHeight));
    return true;
}

// Another format, shown as the 24-bit bitmap it becomes.
void ConvertForPreview(CCancellableFile& file, COLORREF crTransparent, BmpPreview& preview)
{
    const QByteArray format = QImageReader::imageFormat(&file);
    if (format.isEmpty() || !file.seek(0)) {
        preview.strNote = file.IsCancelled()
                              ? QString()
                              : QCoreApplication::translate("BmpPreview", "Not a BMP file");
        return;
    }
    const SkinImageFile converted = ConvertImage(file, crTransparent);
    if (file.IsCancelled()) {
        return;
    }
    if (!converted.pImage) {
        preview.strNote = QCoreApplication::translate("BmpPreview", "This %1 image\ncannot be read")
                              .arg(QString::fromLatin1(format).toUpper());
        return;
    }
    preview.image = CreateDDB(*converted.pImage);
    preview.nBitCount = 24;
    preview.strConvertedFrom = QString::fromStdString(converted.strConvertedFrom);
}

} // namespace

BmpPreview LoadBmpPreview(const QString& strPath, COLORREF crTransparent,
                          const std::atomic_bool* pCancel)
{
    BmpPreview preview;
    preview.strPath = strPath;
    if (!QFileInfo(strPath).isFile()) {
        return preview;
    }
    CCancellableFile file(strPath, pCancel);
    if (!file.open(QIODevice::ReadOnly)) {
        preview.strNote = QCoreApplication::translate("BmpPreview", "This file cannot be opened");
        return preview;
    }
    preview.nFileSize = file.size();
    std::array<unsigned char, HEADER_SIZE> header{};
    const qint64 nRead = file.read(reinterpret_cast<char*>(header.data()), HEADER_SIZE);
    if (!HasBmpSignature(header, nRead)) {
        if (nRead > 0 && file.seek(0)) {
            ConvertForPreview(file, crTransparent, preview);
        } else if (!file.IsCancelled()) {
            preview.strNote = QCoreApplication::translate("BmpPreview", "Not a BMP file");
        }
        return preview;
    }
    const int nBitCount = BitCountOf(header, nRead);
    if (QSize size; IsBeyondTheLimits(header, nRead, size)) {
        preview.strNote =
            QCoreApplication::translate("BmpPreview", "This bitmap is too large\n(%1 x %2 pixels)")
                .arg(size.width())
                .arg(size.height());
        return preview;
    }
    QImage image;
    if (nBitCount != 0 && file.seek(0)) {
        AllowTheLargestBitmap();
        QImageReader reader(&file, "bmp");
        reader.setDecideFormatFromContent(false);
        image = reader.read();
    }
    if (file.IsCancelled()) {
        return preview; // what was read so far is not the picture
    }
    if (image.isNull()) {
        preview.strNote = QCoreApplication::translate("BmpPreview", "This bitmap cannot be read");
        return preview;
    }
    preview.image = std::move(image);
    preview.nBitCount = nBitCount;
    return preview;
}

QString WidthLine(const BmpPreview& preview)
{
    return preview.image.isNull() ? QString()
                                  : QCoreApplication::translate("BmpPreview", "Width: %1 pixels")
                                        .arg(preview.image.width());
}

QString HeightLine(const BmpPreview& preview)
{
    return preview.image.isNull() ? QString()
                                  : QCoreApplication::translate("BmpPreview", "Height: %1 pixels")
                                        .arg(preview.image.height());
}

QString ColoursLine(int nBitCount)
{
    switch (nBitCount) {
    case 1:
        return QCoreApplication::translate("BmpPreview", "Colors: 2 (monocromatic)");
    case 4:
        return QCoreApplication::translate("BmpPreview", "Colors: 16");
    case 8:
        return QCoreApplication::translate("BmpPreview", "Colors: 256");
    case 16:
        return QCoreApplication::translate("BmpPreview", "Colors: 65,536");
    case 24:
        return QCoreApplication::translate("BmpPreview", "Colors: 16 millions");
    default:
        return {};
    }
}

QString ConversionLine(const BmpPreview& preview)
{
    return preview.strConvertedFrom.isEmpty()
               ? QString()
               : QCoreApplication::translate("BmpPreview", "%1: will become a 24-bit BMP")
                     .arg(preview.strConvertedFrom);
}

QString SizeLine(qint64 nFileSize)
{
    return nFileSize < 0
               ? QString()
               : QCoreApplication::translate("BmpPreview", "Size: %1 Kb").arg(nFileSize / 1024);
}

QRect ScaledToFit(const QRect& rcBox, const QSize& size)
{
    const int W = size.width();
    const int H = size.height();
    if (W <= 0 || H <= 0) {
        return {};
    }
    const int nLeft = rcBox.x();
    const int nTop = rcBox.y();
    const int nRight = nLeft + rcBox.width();
    const int nBottom = nTop + rcBox.height();
    if (W > H) {
        const int nNewBottom = nTop + static_cast<int>(static_cast<double>(H) / W * rcBox.width());
        const int nShift = (rcBox.height() - (nNewBottom - nTop)) / 2;
        return QRect(QPoint(nLeft, nTop + nShift), QPoint(nRight - 1, nNewBottom + nShift - 1));
    }
    const int nNewRight = nLeft + static_cast<int>(static_cast<double>(W) / H * rcBox.height());
    const int nShift = (rcBox.width() - (nNewRight - nLeft)) / 2;
    return QRect(QPoint(nLeft + nShift, nTop), QPoint(nNewRight + nShift - 1, nBottom - 1));
}
