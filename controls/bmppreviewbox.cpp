#include "bmppreviewbox.h"

#include "bmppreview.h"
#include "drawedge.h"
#include "qtconvert.h"

#include <QPainter>

namespace {

constexpr int kClientEdge = 2;

} // namespace

CBmpPreviewBox::CBmpPreviewBox(QWidget* pParent) : QAbstractButton(pParent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Preview"));
    Describe();
}

void CBmpPreviewBox::SetBitmap(const QImage& image)
{
    m_bitmap = image;
    Describe();
    update();
}

void CBmpPreviewBox::SetNote(const QString& strNote)
{
    m_strNote = strNote;
    Describe();
    update();
}

// A screen reader hears what the box shows: the picture's size, the note, or that it is empty.
void CBmpPreviewBox::Describe()
{
    QString strDescription;
    if (!m_bitmap.isNull()) {
        strDescription =
            tr("Picture of %1 x %2 pixels").arg(m_bitmap.width()).arg(m_bitmap.height());
    } else if (!m_strNote.isEmpty()) {
        strDescription = QString(m_strNote).replace(QLatin1Char('\n'), QLatin1Char(' '));
    } else {
        strDescription = tr("No picture");
    }
    setAccessibleDescription(strDescription);
}

QRect CBmpPreviewBox::ItemRect() const
{
    return rect().adjusted(kClientEdge, kClientEdge, -kClientEdge, -kClientEdge);
}

void CBmpPreviewBox::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    DrawEdge(painter, colours, toRect(rect()), EDGE_SUNKEN);
    const QRect rcItem = ItemRect();
    painter.fillRect(rcItem, ChromeColour(colours, QPalette::Button));
    if (!m_bitmap.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(ScaledToFit(rcItem, m_bitmap.size()), m_bitmap);
    } else if (!m_strNote.isEmpty()) {
        painter.setPen(ChromeColour(colours, QPalette::ButtonText));
        painter.drawText(rcItem.adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap,
                         m_strNote);
    }
    if (hasFocus()) {
        DrawFocusFrame(painter, colours, rcItem);
    }
}
