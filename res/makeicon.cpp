// Draws the program icon (a yellow note with a folded corner, a few lines of writing and a paint
// brush across it) at 256 pixels or, with --size N, at N; with --picker, the rectangle picker
// button's icon (a dashed selection frame with a crosshair at its corner). tavelo.svg is the same
// drawing by hand. Run once; see README.md.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void DrawNote(QPainter& painter)
{
    const qreal fold = 56;
    QPainterPath note;
    note.moveTo(28, 24);
    note.lineTo(228, 24);
    note.lineTo(228, 232 - fold);
    note.lineTo(228 - fold, 232);
    note.lineTo(28, 232);
    note.closeSubpath();

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawPath(note.translated(6, 6));

    QLinearGradient paper(0, 24, 0, 232);
    paper.setColorAt(0, QColor(0xFF, 0xF1, 0x76));
    paper.setColorAt(1, QColor(0xFF, 0xDD, 0x3C));
    painter.setBrush(paper);
    painter.setPen(QPen(QColor(0xC8, 0x9B, 0x10), 3));
    painter.drawPath(note);

    QPainterPath corner;
    corner.moveTo(228, 232 - fold);
    corner.lineTo(228 - fold, 232 - fold);
    corner.lineTo(228 - fold, 232);
    corner.closeSubpath();
    painter.setBrush(QColor(0xE8, 0xC0, 0x2A));
    painter.drawPath(corner);

    painter.setPen(QPen(QColor(0x9A, 0x7A, 0x20), 7, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const int y = 70 + i * 30;
        painter.drawLine(52, y, i == 3 ? 130 : 200, y);
    }
}

void DrawBrush(QPainter& painter)
{
    painter.save();
    painter.translate(196, 150);
    painter.rotate(-40);
    painter.setPen(QPen(QColor(0x5A, 0x2E, 0x0E), 3));
    painter.setBrush(QColor(0xB0, 0x5A, 0x22));
    painter.drawRoundedRect(QRectF(-10, -120, 20, 110), 9, 9);
    painter.setBrush(QColor(0xC8, 0xCC, 0xD4));
    painter.setPen(QPen(QColor(0x60, 0x64, 0x70), 3));
    painter.drawRect(QRectF(-12, -12, 24, 28));
    QPainterPath bristles;
    bristles.moveTo(-12, 16);
    bristles.cubicTo(-14, 40, -4, 58, 0, 66);
    bristles.cubicTo(4, 58, 14, 40, 12, 16);
    bristles.closeSubpath();
    painter.setBrush(QColor(0x2A, 0x6C, 0xD8));
    painter.setPen(QPen(QColor(0x1A, 0x3E, 0x80), 3));
    painter.drawPath(bristles);
    painter.restore();
}

// 32 x 32: a dashed frame with sizing handles and a crosshair on its top-left corner.
void DrawPicker(QPainter& painter)
{
    QPen dashes(QColor(0x20, 0x20, 0x20), 2, Qt::DashLine, Qt::FlatCap);
    dashes.setDashPattern({2, 2});
    painter.setPen(dashes);
    painter.setBrush(QColor(0x2A, 0x6C, 0xD8, 60));
    painter.drawRect(QRectF(9, 9, 19, 17));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1A, 0x3E, 0x80));
    for (const QPointF corner : {QPointF(28, 9), QPointF(28, 26), QPointF(9, 26)}) {
        painter.drawRect(QRectF(corner - QPointF(2, 2), QSizeF(4, 4)));
    }
    painter.setPen(QPen(QColor(0xC0, 0x20, 0x20), 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(9, 1), QPointF(9, 6));
    painter.drawLine(QPointF(9, 12), QPointF(9, 17));
    painter.drawLine(QPointF(1, 9), QPointF(6, 9));
    painter.drawLine(QPointF(12, 9), QPointF(17, 9));
}

} // namespace

int main(int argc, char* argv[])
{
    const QGuiApplication app(argc, argv);
    const bool bPicker = argc == 3 && std::strcmp(argv[1], "--picker") == 0;
    const bool bSized = argc == 4 && std::strcmp(argv[1], "--size") == 0;
    const int nSize = bPicker ? 32 : bSized ? std::atoi(argv[2]) : 256;
    if ((argc != 2 && !bPicker && !bSized) || nSize < 16 || nSize > 1024) {
        std::fputs("usage: makeicon [--picker | --size N] OUT.png\n", stderr);
        return 2;
    }
    QImage image(nSize, nSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, !bPicker);
    if (bPicker) {
        DrawPicker(painter);
    } else {
        painter.scale(nSize / 256.0, nSize / 256.0);
        DrawNote(painter);
        DrawBrush(painter);
    }
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[argc - 1])) ? 0 : 1;
}
