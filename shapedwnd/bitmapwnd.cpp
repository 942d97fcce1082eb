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
    ShowCursorShape(!bChild);
    m_bCreated = true;
    UpdateShape();
    return true;
}

bool CBitmapWnd::SetBitmap(const QImage& bitmap, COLORREF crTransparent)
{
    m_bmp = bitmap;
    m_crTransparent = crTransparent;
    m_keyedMain.reset();
    UpdateShape();
    return true;
}

bool CBitmapWnd::SetHoverBitmap(const QImage& bitmap, COLORREF crTransparent)
{
    m_crHoverTransparent = crTransparent;
    m_bmpHover = bitmap;
    // Keyed now, so that the first swap costs no more than the next; when memory runs short the
    // swap tries again and says so.
    m_keyedHover = IsChild() ? CKeyedBitmap::FromBitmap(bitmap, crTransparent, REGION_TOLERANCE)
                             : std::nullopt;
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
    unsetCursor();
    ShowCursorShape(!IsChild() || (underMouse() && IsOverShape(mapFromGlobal(QCursor::pos()))));
}

void CBitmapWnd::ShowCursorShape(bool bShow)
{
    if (bShow && m_hCursor) {
        if (!testAttribute(Qt::WA_SetCursor)) {
            setCursor(*m_hCursor);
        }
    } else if (testAttribute(Qt::WA_SetCursor)) {
        unsetCursor();
    }
}

void CBitmapWnd::UpdateShape()
{
    if (!m_bCreated || m_bmp.isNull()) {
        return;
    }
    const bool bUseHover = m_bHover && !m_bmpHover.isNull();
    const std::optional<bool> anyVisible = IsChild() ? ApplyKeyed(bUseHover) : ApplyMask(bUseHover);
    if (!anyVisible) {
        Prompts().ShowMessage(tr("Couldn't create bitmap region due to error #%1")
                                  .arg(kErrorNotEnoughMemory)
                                  .toStdString(),
                              PromptButtons::Ok, PromptIcon::None);
    }
    // A shape without a single visible pixel hides the window: a widget takes an empty mask for
    // no mask at all and would show the whole rectangle instead.
    setVisible(anyVisible.value_or(true));
    update();
}

std::optional<bool> CBitmapWnd::ApplyMask(bool bUseHover)
{
    const std::optional<QRegion> region =
        MakeRegion(bUseHover ? m_bmpHover : m_bmp,
                   bUseHover ? m_crHoverTransparent : m_crTransparent, REGION_TOLERANCE);
    if (!region) {
        return std::nullopt;
    }
    resize(GetBitmapSize(!bUseHover));
    setMask(*region);
    return !region->isEmpty();
}

std::optional<bool> CBitmapWnd::ApplyKeyed(bool bUseHover)
{
    std::optional<CKeyedBitmap>& keyed = bUseHover ? m_keyedHover : m_keyedMain;
    if (!keyed) {
        keyed = CKeyedBitmap::FromBitmap(bUseHover ? m_bmpHover : m_bmp,
                                         bUseHover ? m_crHoverTransparent : m_crTransparent,
                                         REGION_TOLERANCE);
        if (!keyed) {
            return std::nullopt;
        }
    }
    m_shown = *keyed;
    if (!mask().isEmpty()) {
        clearMask();
    }
    resize(m_shown.GetSize());
    return m_shown.HasOpaquePixel();
}

QSize CBitmapWnd::GetBitmapSize(bool bMain) const
{
    const QImage& bitmap = bMain ? m_bmp : m_bmpHover;
    return bitmap.isNull() ? QSize(-1, -1) : bitmap.size();
}

void CBitmapWnd::paintEvent(QPaintEvent* /*event*/)
{
    const QImage& bitmap = IsChild()                          ? m_shown.GetImage()
                           : m_bHover && !m_bmpHover.isNull() ? m_bmpHover
                                                              : m_bmp;
    QPainter painter(this);
    if (!bitmap.isNull()) {
        painter.drawImage(0, 0, bitmap);
    }
    if (m_rcText.right > m_rcText.left && m_rcText.bottom > m_rcText.top) {
        if (IsChild()) {
            DrawTextOnShape(painter);
        } else {
            DrawText(painter);
        }
    }
}

void CBitmapWnd::DrawTextOnShape(QPainter& painter) const
{
    // No mask keeps the text off a child's transparent pixels: it goes onto a layer that the
    // shown bitmap's outline cuts first.
    const QRect rcLayer = toQRect(m_rcText).intersected(QRect(QPoint(0, 0), m_shown.GetSize()));
    if (rcLayer.isEmpty()) {
        return;
    }
    QImage layer(rcLayer.size(), QImage::Format_ARGB32_Premultiplied);
    if (layer.isNull()) {
        return;
    }
    layer.fill(Qt::transparent);
    QPainter layerPainter(&layer);
    layerPainter.translate(-rcLayer.topLeft());
    DrawText(layerPainter);
    layerPainter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    layerPainter.drawImage(0, 0, m_shown.GetImage());
    layerPainter.end();
    painter.drawImage(rcLayer.topLeft(), layer);
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
    } else if (IsChild() && !m_bPressed) {
        // Over a transparent pixel the mouse is over the parent, not over this window.
        const bool bOverShape = IsOverShape(event->position().toPoint());
        ShowCursorShape(bOverShape);
        if (!bOverShape) {
            EndHover();
        } else if (!m_bTracking && !m_bmpHover.isNull()) {
            m_bHover = true;
            UpdateShape();
            m_bTracking = true;
        }
    }
    QWidget::mouseMoveEvent(event);
}

void CBitmapWnd::leaveEvent(QEvent* event)
{
    EndHover();
    if (IsChild()) {
        ShowCursorShape(false);
    }
    QWidget::leaveEvent(event);
}

void CBitmapWnd::EndHover()
{
    if (m_bTracking) {
        m_bHover = false;
        m_bTracking = false;
        UpdateShape();
    }
}

void CBitmapWnd::mousePressEvent(QMouseEvent* event)
{
    if (IsChild()) {
        // A press on a transparent pixel goes on to the parent, as if this window were not there;
        // one on the shape stays here, so it never starts a drag of the parent.
        if (!IsOverShape(event->position().toPoint())) {
            event->ignore();
            return;
        }
        if (event->button() == Qt::LeftButton) {
            // The press grabs the mouse until the release.
            m_bPressed = true;
        }
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton &&
        (windowHandle() == nullptr || !windowHandle()->startSystemMove())) {
        m_ptDragOffset = event->globalPosition().toPoint() - pos();
    }
    QWidget::mousePressEvent(event);
}

void CBitmapWnd::mouseReleaseEvent(QMouseEvent* event)
{
    m_ptDragOffset.reset();
    if (m_bPressed && event->button() == Qt::LeftButton) {
        m_bPressed = false;
        const QPoint ptClient = event->position().toPoint();
        const bool bOverShape = IsOverShape(ptClient);
        if (bOverShape && QApplication::widgetAt(mapToGlobal(ptClient)) == this) {
            QMetaObject::invokeMethod(this, "clicked", Qt::QueuedConnection);
        }
        // Moves during the press left the hover alone.
        if (!bOverShape) {
            EndHover();
            ShowCursorShape(false);
        }
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

bool CBitmapWnd::IsOverShape(QPoint ptClient) const
{
    if (!rect().contains(ptClient)) {
        return false;
    }
    if (IsChild()) {
        return m_shown.IsOpaqueAt(ptClient);
    }
    return mask().isEmpty() || mask().contains(ptClient);
}
