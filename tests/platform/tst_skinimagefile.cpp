// Image files of any format Qt reads, taken into a skin's image slot.

#include "bitmaps.h"
#include "dib.h"
#include "files.h"
#include "qtconvert.h"
#include "skin.h"
#include "skinimagefile.h"

#include <QImage>
#include <gtest/gtest.h>

#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);

void Save(const QImage& image, const std::filesystem::path& path)
{
    ASSERT_TRUE(image.save(pathToQString(path)));
}

} // namespace

TEST(SkinImageFile, PixelsBelowHalfAlphaTakeTheKeyColour)
{
    TempDir dir;
    // Top row: a hole (alpha 127), kept (alpha 128), clear white; bottom row opaque.
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(10, 20, 30, 127));
    picture.setPixel(1, 0, qRgba(10, 20, 30, 128));
    picture.setPixel(2, 0, qRgba(255, 255, 255, 0));
    picture.setPixel(0, 1, qRgba(1, 2, 3, 255));
    picture.setPixel(1, 1, qRgba(4, 5, 6, 255));
    picture.setPixel(2, 1, qRgba(7, 8, 9, 255));
    Save(picture, dir / "picture.png");

    const SkinImageFile file = ReadSkinImageFile(dir / "picture.png", kKey);
    ASSERT_NE(file.pImage, nullptr) << file.strError;
    EXPECT_EQ(file.strConvertedFrom, "PNG");
    EXPECT_EQ(file.pImage->GetBitCount(), 24);
    EXPECT_FALSE(file.pImage->IsTopDown());
    // Bottom-up rows of blue, green, red, padded to 12 bytes.
    const std::vector<std::uint8_t> expected = {
        3,   2, 1,   6,  5,  4,  9,   8, 7,   0, 0, 0, // bottom row
        255, 0, 255, 30, 20, 10, 255, 0, 255, 0, 0, 0, // top row
    };
    const auto bits = file.pImage->GetBits();
    EXPECT_EQ(std::vector<std::uint8_t>(bits.begin(), bits.end()), expected);
}

TEST(SkinImageFile, BmpFilesAreKeptAndOthersRefusedWithTheReason)
{
    TempDir dir;
    const std::vector<std::uint8_t> bmp = MakeSolidBmp(2, 2, 1, 2, 3);
    WriteBytesTo(dir / "solid.bmp", bmp);
    Save(QImage(16385, 1, QImage::Format_RGB32), dir / "wide.png");
    Save(QImage(4, 4, QImage::Format_RGB32), dir / "photo.jpg");
    Save(QImage(40, 40, QImage::Format_RGB32), dir / "whole.png");
    std::vector<std::uint8_t> cut = ReadBytesFrom(dir / "whole.png");
    cut.resize(cut.size() / 2);
    WriteBytesTo(dir / "cut.png", cut);
    WriteBytesTo(dir / "notes.png", {'j', 'u', 's', 't', ' ', 'w', 'o', 'r', 'd', 's'});
#ifndef _WIN32
    ASSERT_EQ(mkfifo((dir / "pipe.png").c_str(), 0600), 0);
#endif

    struct Case
    {
        const char* pszName;
        const char* pszConvertedFrom; // null: refused
        std::string strError;         // what the error starts with
    };
    const Case cases[] = {
        {"solid.bmp", "", ""},
        {"photo.jpg", "JPEG", ""},
        {"wide.png", nullptr, DescribeDibLimits(16385, 1)},
        {"cut.png", nullptr, "the PNG image cannot be read: "},
        {"notes.png", nullptr, "not a bitmap or other image that can be read"},
        {"missing.png", nullptr, "no such readable file"},
#ifndef _WIN32
        {"pipe.png", nullptr, "no such readable file"},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        const SkinImageFile file = ReadSkinImageFile(dir / c.pszName, kKey);
        EXPECT_EQ(file.pImage != nullptr, c.pszConvertedFrom != nullptr) << file.strError;
        EXPECT_EQ(file.strConvertedFrom, c.pszConvertedFrom ? c.pszConvertedFrom : "");
        EXPECT_EQ(file.strError.rfind(c.strError, 0), 0u) << file.strError;
    }
    const SkinImageFile kept = ReadSkinImageFile(dir / "solid.bmp", kKey);
    ASSERT_NE(kept.pImage, nullptr);
    EXPECT_EQ(kept.pImage->GetChunk(), DibFromBytes(bmp)->GetChunk());
}
