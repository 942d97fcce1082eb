#include "notepicture.h"

#include "atomicfile.h"
#include "skin.h"
#include "skinnednotewnd.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace {

// The note as drawn, with pixels outside its shape made fully transparent. The shape is walked
// rectangle by rectangle: asking it about every pixel costs its whole size each time.
QImage DrawNote(CSkinnedNoteWnd& note)
{
    const QRegion shape = note.mask();
    // grab() draws at the screen's pixel ratio; the picture is one pixel per pixel whatever screen
    // the editor runs on, so the command line's and the editor's are the same. Where the ratio is
    // 1 (always offscreen) grab() is the faster of the two.
    QImage drawn;
    if (note.devicePixelRatioF() == 1.0) {
        drawn = note.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    } else {
        drawn = QImage(note.size(), QImage::Format_ARGB32);
        drawn.fill(note.palette().color(note.backgroundRole()));
        // Only the shape is painted, and its top-left corner goes where the target offset says.
        note.render(&drawn, shape.intersected(note.rect()).boundingRect().topLeft(),
                    QRegion(note.rect()));
    }
    QImage image(drawn.size(), QImage::Format_ARGB32);
    image.fill(0u);
    for (const QRect& rc : shape) {
        const QRect part = rc.intersected(image.rect());
        for (int y = part.top(); y <= part.bottom(); ++y) {
            const auto* const pFrom = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
            auto* const pTo = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = part.left(); x <= part.right(); ++x) {
                pTo[x] = pFrom[x] | 0xFF000000u;
            }
        }
    }
    return image;
}

// Flat artwork of at most 256 colours goes into a palette: the same pixels in a PNG a fraction of
// the size, compressed in a fraction of the time. Anything with more colours stays as it is.
QImage WithPaletteWhenFew(const QImage& image)
{
    QImage indexed(image.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    QHash<QRgb, uchar> indices;
    QRgb previous = 0;
    uchar nPrevious = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* const pRow = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* const pIndices = indexed.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (pRow[x] != previous || table.isEmpty()) {
                auto found = indices.constFind(pRow[x]);
                if (found == indices.cend()) {
                    if (table.size() == 256) {
                        return image;
                    }
                    found = indices.insert(pRow[x], static_cast<uchar>(table.size()));
                    table.push_back(pRow[x]);
                }
                previous = pRow[x];
                nPrevious = found.value();
            }
            pIndices[x] = nPrevious;
        }
    }
    indexed.setColorTable(table);
    return indexed;
}

// Encoded in memory first, so the old file is replaced only by a complete PNG.
} // namespace

bool WriteNotePng(const QImage& image, const std::filesystem::path& out, std::string& strProblem)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(WithPaletteWhenFew(image))) {
        strProblem = writer.errorString().toStdString();
        return false;
    }
    CAtomicFile file;
    if (!file.Open(out, strProblem)) {
        return false;
    }
    const auto nSize = static_cast<std::size_t>(png.size());
    if (std::fwrite(png.constData(), 1, nSize, file.GetFile()) != nSize) {
        strProblem = std::generic_category().message(errno);
        return false;
    }
    return file.Commit(FileSync::Flush, strProblem);
}

QImage ScaledToLongerSide(const QImage& image, int nSide)
{
    const QSize target = image.size().scaled(nSide, nSide, Qt::KeepAspectRatio);
    // Premultiplied, so the transparent pixels' colour does not bleed into the edge of the shape.
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(target.expandedTo(QSize(1, 1)), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

QImage RenderNote(const CSkin& skin, const std::optional<std::string>& message)
{
    CSkinnedNoteWnd note;
    // Drawn for the file only, never shown on a screen that happens to be there.
    note.setAttribute(Qt::WA_DontShowOnScreen);
    note.Create(nullptr);
    // No screen waits for repaints: with updates on, every child placed after the shape would
    // add its area to the dirty region, each time against all the shape's rectangles.
    note.setUpdatesEnabled(false);
    note.ApplySkin(&skin);
    note.setUpdatesEnabled(true);
    if (!note.isVisible() || note.size().isEmpty()) {
        return {};
    }
    if (message) {
        note.SetMessageText(QString::fromStdString(*message));
    }
    QImage image = DrawNote(note);
    // A visible window repaints its shape's area as it is destroyed; a hidden one does not.
    note.hide();
    return image;
}
