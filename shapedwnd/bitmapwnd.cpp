#include "bitmapwnd.h"

#include "bitmapregion.h"
#include "promptservice.h"
#include "qtconvert.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

// The platform's "not enough memory" code: the only reason a region can't be built here.
constexpr int kErrorNotEnoughMemory = 8;

} // namespace

CBitmapWnd::CBitmapWnd(QWidget* parent) : QWidget(parent)
{
    // Mouse-over needs moves without a button held.
    setMouseTracking(true);
}

bool CBitmapWnd::Create(QWidget* pParentWnd, bool bChild)
{
    setParent(pParentWnd, bChild ? Qt::Widget : Qt::Window | Qt::FramelessWindowHint);
    setGeometry(0, 0, 0, 0);
    hide();
    m_bCreated = true;
    UpdateShape();
    return true;
}

bool CBitmapWnd::SetBitmap(const QImage& bitmap, COLORREF crTransparent)
{
    m_bmp = bitmap;
    m_crTransparent = crTransparent;
    UpdateShape();
    return true;
}

bool CBitmapWnd::SetHoverBitmap(const QImage& bitmap, COLORREF crTransparent)
{
    m_crHoverTransparent = crTransparent;
    m_bmpHover = bitmap;
    return !m_bmpHover.isNull();
}

void CBitmapWnd::SetTextArea(const RECT& rcText, COLORREF crText, const LOGFONT* pLogFont)
{
    m_rcText = rcText;
    m_crText = crText;
    m_font = pLogFont != nullptr ? toQFont(*pLogFont) : QFont();
    update();
}

void CBitmapWnd::SetCursorShape(const std::optional<QCursor>& cursor)
{
    m_hCursor = cursor;
    if (m_hCursor) {
        setCursor(*m_hCursor);
    } else {
        unsetCursor();
    }
}

void CBitmapWnd::UpdateShape()
{
    if (!m_bCreated || m_bmp.isNull()) {
        return;
    }
    const bool bUseHover = m_bHover && !m_bmpHover.isNull();
    const QImage& bitmap = bUseHover ? m_bmpHover : m_bmp;
    const std::optional<QRegion> region =
        MakeRegion(bitmap, bUseHover ? m_crHoverTransparent : m_crTransparent, REGION_TOLERANCE);
    if (!region) {
        Prompts().ShowMessage("Couldn't create bitmap region due to error #" +
                                  std::to_string(kErrorNotEnoughMemory),
                              PromptButtons::Ok, PromptIcon::None);
    } else {
        resize(GetBitmapSize(!bUseHover));
        setMask(*region);
    }
    // A widget takes an empty mask for no mask at all; a shape without a single visible pixel
    // must not show the whole rectangle instead.
    const bool bNothingVisible = region && region->isEmpty();
    setVisible(!bNothingVisible);
    update();
}

QSize CBitmapWnd::GetBitmapSize(bool bMain) const
{
    const QImage& bitmap = bMain ? m_bmp : m_bmpHover;
    return bitmap.isNull() ? QSize(-1, -1) : bitmap.size();
}

void CBitmapWnd::paintEvent(QPaintEvent* /*event*/)
{
    const QImage& bitmap = m_bHover && !m_bmpHover.isNull() ? m_bmpHover : m_bmp;
    QPainter painter(this);
    if (!bitmap.isNull()) {
        painter.drawImage(0, 0, bitmap);
    }
    if (m_rcText.right > m_rcText.left && m_rcText.bottom > m_rcText.top) {
        DrawText(painter);
    }
}

void CBitmapWnd::DrawText(QPainter& painter) const
{
    // One line per explicit line break, each ending in an ellipsis when too wide, all clipped to
    // the rectangle; no word wrap and no background.
    const QRect rcText = toQRect(m_rcText);
    painter.save();
    painter.setClipRect(rcText);
    painter.setFont(m_font);
    painter.setPen(toQColor(m_crText));
    const QFontMetrics metrics(m_font);
    QString text = windowTitle();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    int y = rcText.top();
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (y >= rcText.bottom() + 1) {
            break;
        }
        const QString shown = metrics.elidedText(line, Qt::ElideRight, rcText.width());
        painter.drawText(QRect(rcText.left(), y, rcText.width(), metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, shown);
        y += metrics.lineSpacing();
    }
    painter.restore();
}

void CBitmapWnd::mouseMoveEvent(QMouseEvent* event)
{
    if (m_ptDragOffset && (event->buttons() & Qt::LeftButton) != 0) {
        move(event->globalPosition().toPoint() - *m_ptDragOffset);
    } else if (IsChild() && !m_bTracking && !m_bmpHover.isNull()) {
        m_bHover = true;
        UpdateShape();
        m_bTracking = true;
    }
    QWidget::mouseMoveEvent(event);
}

void CBitmapWnd::leaveEvent(QEvent* event)
{
    if (m_bTracking) {
        m_bHover = false;
        m_bTracking = false;
        UpdateShape();
    }
    QWidget::leaveEvent(event);
}

void CBitmapWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (IsChild()) {
            // The press grabs the mouse until the release.
            m_bPressed = true;
        } else if (windowHandle() == nullptr || !windowHandle()->startSystemMove()) {
            m_ptDragOffset = event->globalPosition().toPoint() - pos();
        }
    }
    QWidget::mousePressEvent(event);
}

void CBitmapWnd::mouseReleaseEvent(QMouseEvent* event)
{
    m_ptDragOffset.reset();
    if (m_bPressed && event->button() == Qt::LeftButton) {
        m_bPressed = false;
        const QPoint ptClient = event->position().toPoint();
        if (IsOverShape(ptClient) && QApplication::widgetAt(mapToGlobal(ptClient)) == this) {
            QMetaObject::invokeMethod(this, "clicked", Qt::QueuedConnection);
        }
    }
    QWidget::mouseReleaseEvent(event);
}

bool CBitmapWnd::IsOverShape(QPoint ptClient) const
{
    return rect().contains(ptClient) && (mask().isEmpty() || mask().contains(ptClient));
}
