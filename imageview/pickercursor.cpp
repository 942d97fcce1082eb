#include "pickercursor.h"

#include <QBitmap>

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
    // Qt's cursor bitmaps: bitmap 1 with mask 0 inverts (Windows only), bitmap 1 with mask 1 is
    // black, mask 0 with bitmap 0 is transparent.
    const QBitmap bitmap = QBitmap::fromImage(shape);
#ifdef Q_OS_WIN
    QImage maskImage = shape;
    maskImage.fill(0);
    return QCursor(bitmap, QBitmap::fromImage(maskImage), PICKER_CURSOR_HOTX, PICKER_CURSOR_HOTY);
#else
    return QCursor(bitmap, bitmap, PICKER_CURSOR_HOTX, PICKER_CURSOR_HOTY);
#endif
}
