#pragma once

#include "wintypes.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <atomic>

// What the bitmap open dialog shows of one file: the picture and its facts. A file that is not
// a readable image gives a null image and, unless it is no file at all (a folder), a note
// saying why.
struct BmpPreview
{
    QString strPath;
    QImage image;
    QString strNote;
    int nBitCount = 0;
    qint64 nFileSize = -1; // -1 when the size could not be read
    // The format of an image that is not a BMP ("PNG"): the picture is what it becomes, a
    // 24-bit bitmap keyed with the transparent colour. Empty for a BMP.
    QString strConvertedFrom;
};

// Reads a .bmp file for previewing, or converts an image of another format as the skin would
// take it, its pixels with less than half alpha becoming crTransparent. Safe on any file: sizes
// are checked before decoding, and the allocation limit keeps huge claimed dimensions from
// being honoured. Once *pCancel is set the read stops at its next read of the file and gives no
// picture.
BmpPreview LoadBmpPreview(const QString& strPath, COLORREF crTransparent = 0,
                          const std::atomic_bool* pCancel = nullptr);

// The line saying that a picture will be converted; empty for a BMP.
QString ConversionLine(const BmpPreview& preview);

// The fact lines of a preview; empty for what they do not describe.
QString WidthLine(const BmpPreview& preview);
QString HeightLine(const BmpPreview& preview);
QString ColoursLine(int nBitCount);
QString SizeLine(qint64 nFileSize);

// Where a W x H picture goes in rcBox: the full width when wider than high, else the full
// height, centred the other way. Empty for an empty picture.
QRect ScaledToFit(const QRect& rcBox, const QSize& size);
