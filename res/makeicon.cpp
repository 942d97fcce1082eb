// Draws the program icon: a yellow note with a folded corner, a few lines of writing and a
// paint brush across it. Run once; see README.md.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

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

} // namespace

int main(int argc, char* argv[])
{
    const QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: makeicon OUT.png\n", stderr);
        return 2;
    }
    QImage image(256, 256, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawNote(painter);
    DrawBrush(painter);
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
