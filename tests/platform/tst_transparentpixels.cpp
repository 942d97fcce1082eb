// The checker's scan for a transparent pixel reads the pixel rows itself; it must find what the
// windows find in the screen copy, for every depth and compression the BMP suite has.

#include "dib.h"
#include "dibimage.h"
#include "skin.h"
#include "transparentpixels.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

bool AnyTransparentIn(const QImage& image, COLORREF crKey)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* const pRow = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (IsTransparentPixel(pRow[x], crKey, REGION_TOLERANCE)) {
                return true;
            }
        }
    }
    return false;
}

COLORREF ColourAt(const QImage& image, int x, int y)
{
    const QRgb rgb = image.pixel(x, y);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

} // namespace

TEST(TransparentPixels, AgreesWithTheScreenCopyOnEveryReadableSuiteImage)
{
    int nChecked = 0;
    for (const char* pszFolder : {"g", "q"}) {
        const std::filesystem::path folder = std::filesystem::path(TAVELO_BMPSUITE_DIR) / pszFolder;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::unique_ptr<CDib> pDib;
            if (!CSkin::ReadImageFile(pDib, entry.path())) {
                continue;
            }
            const QImage image = CreateDDB(*pDib);
            if (image.isNull()) {
                continue;
            }
            SCOPED_TRACE(entry.path().filename().string());
            const int w = image.width();
            const int h = image.height();
            // Colours found in the picture, and a few that may or may not be.
            std::vector<COLORREF> keys = {ColourAt(image, 0, 0),
                                          ColourAt(image, w - 1, h - 1),
                                          ColourAt(image, w / 2, h / 2),
                                          RGB(0, 0, 0),
                                          RGB(255, 255, 255),
                                          RGB(255, 0, 255),
                                          RGB(1, 250, 3)};
            for (const COLORREF crKey : keys) {
                EXPECT_EQ(HasTransparentPixel(*pDib, crKey), AnyTransparentIn(image, crKey))
                    << std::hex << crKey;
            }
            ++nChecked;
        }
    }
    EXPECT_GT(nChecked, 30);
}
