#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <atomic>

// What the bitmap open dialog shows of one file: the picture and its facts. A file that is not
// a readable bitmap gives a null image and, unless it is no file at all (a folder), a note
// saying why.
struct BmpPreview
{
    QString strPath;
    QImage image;
    QString strNote;
    int nBitCount = 0;
    qint64 nFileSize = -1; // -1 when the size could not be read
};

// Reads a .bmp file for previewing. Safe on any file: sizes are checked by the reader, whose
// allocation limit keeps huge claimed dimensions from being honoured. Once *pCancel is set the
// read stops within a row of pixels and gives no picture.
BmpPreview LoadBmpPreview(const QString& strPath, const std::atomic_bool* pCancel = nullptr);

// The fact lines of a preview; empty for what they do not describe.
QString WidthLine(const BmpPreview& preview);
QString HeightLine(const BmpPreview& preview);
QString ColoursLine(int nBitCount);
QString SizeLine(qint64 nFileSize);

// Where a W x H picture goes in rcBox: the full width when wider than high, else the full
// height, centred the other way. Empty for an empty picture.
QRect ScaledToFit(const QRect& rcBox, const QSize& size);
