#include "pickercursor.h"

#include <QBitmap>

#include <algorithm>

namespace {

void SetRun(QImage& image, int x0, int y0, int x1, int y1)
{
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            image.setPixel(x, y, 1);
        }
    }
}

} // namespace

QImage PickerCursorShape()
{
    QImage image(PICKER_CURSOR_SIZE, PICKER_CURSOR_SIZE, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    SetRun(image, 15, 8, 15, 12);  // upper arm
    SetRun(image, 15, 20, 15, 24); // lower arm
    SetRun(image, 7, 16, 11, 16);  // left arm
    SetRun(image, 19, 16, 24, 16); // right arm
    SetRun(image, 15, 16, 15, 16); // centre
    return image;
}

QCursor MakePickerCursor()
{
    const QImage shape = PickerCursorShape();
    QImage outline = shape;
    for (int y = 0; y < shape.height(); ++y) {
        for (int x = 0; x < shape.width(); ++x) {
            if (shape.pixelIndex(x, y) == 1) {
                SetRun(outline, std::max(x - 1, 0), std::max(y - 1, 0),
                       std::min(x + 1, shape.width() - 1), std::min(y + 1, shape.height() - 1));
            }
        }
    }
    // Qt's cursor bitmaps: bitmap 1 with mask 1 is black, bitmap 0 with mask 1 white, mask 0
    // transparent. An inverting cursor would vanish on mid-grey, and exists on Windows only.
    return QCursor(QBitmap::fromImage(shape), QBitmap::fromImage(outline), PICKER_CURSOR_HOTX,
                   PICKER_CURSOR_HOTY);
}
