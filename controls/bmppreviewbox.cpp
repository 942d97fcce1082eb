#include "bmppreviewbox.h"

#include "bmppreview.h"
#include "drawedge.h"
#include "qtconvert.h"
#include "syscolors.h"

#include <QPainter>

namespace {

constexpr int kClientEdge = 2;

} // namespace

CBmpPreviewBox::CBmpPreviewBox(QWidget* pParent) : QAbstractButton(pParent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void CBmpPreviewBox::SetBitmap(const QImage& image)
{
    m_bitmap = image;
    update();
}

void CBmpPreviewBox::SetNote(const QString& strNote)
{
    m_strNote = strNote;
    update();
}

QRect CBmpPreviewBox::ItemRect() const
{
    return rect().adjusted(kClientEdge, kClientEdge, -kClientEdge, -kClientEdge);
}

void CBmpPreviewBox::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    DrawEdge(painter, toRect(rect()), EDGE_SUNKEN);
    const QRect rcItem = ItemRect();
    painter.fillRect(rcItem, SysColor(COLOR_BTNFACE));
    if (!m_bitmap.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(ScaledToFit(rcItem, m_bitmap.size()), m_bitmap);
    } else if (!m_strNote.isEmpty()) {
        painter.setPen(SysColor(COLOR_BTNTEXT));
        painter.drawText(rcItem.adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap,
                         m_strNote);
    }
}
