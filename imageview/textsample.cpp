#include "textsample.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>
#include <QRect>
#include <QTextLine>
#include <QTextOption>

namespace {

QString WithLineSeparators(QString text)
{
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(QChar::LineFeed, QChar::LineSeparator);
    text.replace(QChar::CarriageReturn, QChar::LineSeparator);
    return text;
}

QString OnOneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QChar::LineFeed, QChar::Space);
    text.replace(QChar::CarriageReturn, QChar::Space);
    return text;
}

} // namespace

CTextSample::CTextSample(const QString& text, QSize sizeArea, const QFont& font, Format format)
{
    if (text.isEmpty() || sizeArea.isEmpty()) {
        return;
    }
    const bool bWrap = format == Format::WordBreak;
    auto pLayout = std::make_unique<QTextLayout>(
        bWrap ? WithLineSeparators(text)
              : QFontMetricsF(font).elidedText(OnOneLine(text), Qt::ElideRight, sizeArea.width()),
        font);
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(bWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    pLayout->setTextOption(option);
    pLayout->setCacheEnabled(true);

    pLayout->beginLayout();
    qreal y = 0;
    for (QTextLine line = pLayout->createLine(); line.isValid(); line = pLayout->createLine()) {
        line.setLineWidth(sizeArea.width());
        line.setPosition(QPointF(0, y));
        y += line.height();
        if (!bWrap) {
            m_nLines = 1;
            break;
        }
        if (y > sizeArea.height()) {
            break; // a line that would show only partly stays hidden
        }
        ++m_nLines;
    }
    pLayout->endLayout();
    m_pLayout = std::move(pLayout);
}

void CTextSample::Draw(QPainter& painter, const QRect& rcArea, const QColor& colour) const
{
    if (!m_pLayout) {
        return;
    }
    painter.save();
    painter.setClipRect(rcArea, Qt::IntersectClip);
    painter.setPen(colour);
    for (int i = 0; i < m_nLines; ++i) {
        m_pLayout->lineAt(i).draw(&painter, rcArea.topLeft());
    }
    painter.restore();
}
