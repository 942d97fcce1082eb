#include "elidedlabel.h"

#include <QPainter>
#include <QStyle>

QSize CElidedLabel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

void CElidedLabel::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    const QRect rc = contentsRect();
    const auto nAlignment =
        static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment()).toInt());
    style()->drawItemText(&painter, rc, nAlignment, palette(), isEnabled(),
                          fontMetrics().elidedText(text(), Qt::ElideRight, rc.width()),
                          foregroundRole());
}
