#include "dibimage.h"

#include "dib.h"

QImage CreateDDB(const CDib& dib)
{
    if (!dib.HasBitmap()) {
        return {};
    }
    const std::vector<std::uint8_t> chunk = dib.GetChunk();
    QImage image;
    if (!image.loadFromData(chunk.data(), static_cast<int>(chunk.size()), "BMP")) {
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}
