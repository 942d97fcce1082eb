#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

// What the bitmap open dialog shows of one file: the picture and its facts. A file that is not
// a readable bitmap gives a null image.
struct BmpPreview
{
    QString strPath;
    QImage image;
    int nBitCount = 0;
    qint64 nFileSize = -1; // -1 when the size could not be read
};

// Reads a .bmp file for previewing. Safe on any file: sizes are checked by the reader, whose
// allocation limit keeps huge claimed dimensions from being honoured.
BmpPreview LoadBmpPreview(const QString& strPath);

// The fact lines of a preview; empty for what they do not describe.
QString WidthLine(const BmpPreview& preview);
QString HeightLine(const BmpPreview& preview);
QString ColoursLine(int nBitCount);
QString SizeLine(qint64 nFileSize);

// Where a W x H picture goes in rcBox: the full width when wider than high, else the full
// height, centred the other way. Empty for an empty picture.
QRect ScaledToFit(const QRect& rcBox, const QSize& size);
