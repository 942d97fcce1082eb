#include "skinimageview.h"

#include "dib.h"
#include "dibimage.h"
#include "keyedimage.h"
#include "pickercursor.h"
#include "qtconvert.h"
#include "syscolors.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace {

bool IsRectEmpty(const RECT& rc)
{
    return rc.right <= rc.left || rc.bottom <= rc.top;
}

QImage KeyedScreenCopy(const CDib* pDib, COLORREF crTransparent)
{
    return pDib != nullptr ? CreateKeyedImage(CreateDDB(*pDib), crTransparent) : QImage();
}

// Only the part of the image inside the dirty rectangle is blitted.
void DrawClipped(QPainter& painter, QPoint ptAt, const QImage& image, const QRect& rcDirty)
{
    const QRect rcTarget = QRect(ptAt, image.size()) & rcDirty;
    if (!rcTarget.isEmpty()) {
        painter.drawImage(rcTarget.topLeft(), image, rcTarget.translated(-ptAt));
    }
}

} // namespace

CSkinImageView::CSkinImageView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Hover moves choose the cursor, as the pointer crosses the picker and its handles.
    setMouseTracking(true);
    m_hPickerCursor = MakePickerCursor();
    m_nStyle = solidLine | resizeInside;
    m_nHandleSize = 3;
}

bool CSkinImageView::CreateView(QWidget* pParent)
{
    setParent(pParent);
    setObjectName(QString::number(VIEW_ID));
    setGeometry(QRect());
    show();
    return true;
}

void CSkinImageView::SetImage(const CDib* pImage, COLORREF crTransparent)
{
    m_arOverlayImages = {};
    m_arOverlayRects = {};
    m_arOverlayTransparent = {};
    m_arOverlayKeyed = {};
    m_pImage = pImage;
    m_crTransparent = crTransparent;
    m_imgShown.Set(pImage != nullptr ? CreateDDB(*pImage) : QImage(), crTransparent,
                   SysColor(COLOR_BACKGROUND).rgb());
    const QSize sizeImage =
        pImage != nullptr ? QSize(pImage->GetWidth(), pImage->GetHeight()) : QSize();
    if (m_frame.GetSize() != sizeImage) {
        m_frame = CDottedFrame(sizeImage);
    }
    update();
}

void CSkinImageView::ClearImage()
{
    SetImage(nullptr, 0);
}

void CSkinImageView::SetImageTransparent(COLORREF crTransparent)
{
    if (crTransparent == m_crTransparent) {
        return;
    }
    m_crTransparent = crTransparent;
    m_imgShown.SetKey(crTransparent);
    update();
}

void CSkinImageView::ClearOverlays()
{
    m_arOverlayImages = {};
    m_arOverlayRects = {};
    m_arOverlayTransparent = {};
    m_arOverlayKeyed = {};
    update();
}

void CSkinImageView::SetOverlayRect(std::size_t i, const RECT& rc)
{
    m_arOverlayRects.at(i) = rc;
    update();
}

void CSkinImageView::AddOverlay(const CDib* pImage, int nLeft, int nTop, int nRight, int nBottom,
                                COLORREF crTransparent)
{
    m_arOverlayImages.push_back(pImage);
    m_arOverlayRects.push_back(RECT{nLeft, nTop, nRight, nBottom});
    m_arOverlayTransparent.push_back(crTransparent);
    m_arOverlayKeyed.push_back(KeyedScreenCopy(pImage, crTransparent));
    update();
}

void CSkinImageView::SetTitleSample(const std::string& strText, int nLeft, int nTop, int nRight,
                                    int nBottom, const LOGFONT* pLogFont, COLORREF crText)
{
    m_rcTitleArea = RECT{nLeft, nTop, nRight, nBottom};
    m_strTitleText = strText;
    m_fntTitle = pLogFont != nullptr ? std::optional(toQFont(*pLogFont)) : std::nullopt;
    m_crTitleColour = crText;
    m_sampleTitle = CTextSample(toQString(strText), toQRect(m_rcTitleArea).size(),
                                m_fntTitle.value_or(font()), CTextSample::Format::EndEllipsis);
    update();
}

void CSkinImageView::SetMessageSample(const std::string& strText, int nLeft, int nTop, int nRight,
                                      int nBottom, const LOGFONT* pLogFont, COLORREF crText)
{
    m_rcMessageArea = RECT{nLeft, nTop, nRight, nBottom};
    m_strMessageText = strText;
    m_fntMessage = pLogFont != nullptr ? std::optional(toQFont(*pLogFont)) : std::nullopt;
    m_crMessageColour = crText;
    m_sampleMessage = CTextSample(toQString(strText), toQRect(m_rcMessageArea).size(),
                                  m_fntMessage.value_or(font()), CTextSample::Format::WordBreak);
    update();
}

void CSkinImageView::SetMessageBackColour(COLORREF crBack)
{
    m_crMessageBack = crBack;
    update();
}

void CSkinImageView::SetPickerRect(int nLeft, int nTop, int nRight, int nBottom)
{
    m_rect = OffsetRect(RECT{nLeft, nTop, nRight, nBottom}, m_nOriginX, m_nOriginY);
}

void CSkinImageView::SetPickerMode(int nMode)
{
    m_nPickerMode = nMode;
}

void CSkinImageView::HidePicker(bool bHide)
{
    if (bHide) {
        CancelTracking();
    }
    m_bPickerHidden = bHide;
    update();
}

QRect CSkinImageView::PlaceImage() const
{
    const int w = m_pImage->GetWidth();
    const int h = m_pImage->GetHeight();
    // Each half truncated on its own: a 101-pixel image sits where a 100-pixel one does.
    return QRect(width() / 2 - w / 2, height() / 2 - h / 2, w, h);
}

void CSkinImageView::paintEvent(QPaintEvent* event)
{
    const QRect rcDirty = event->rect();
    const QColor crBackground = SysColor(COLOR_BACKGROUND);
    QPainter painter(this);

    if (m_pImage == nullptr || (m_nShowParts & SHOW_NOTE_IMAGE) == 0) {
        painter.fillRect(rcDirty, crBackground);
        DrawMessageBack(painter, rcDirty);
    } else {
        const QRect rcImage = PlaceImage();
        // The samples and the picker follow the image from here on. The picker moves with it, so
        // a view that grew or shrank still shows and reports the rectangle where it was on the
        // image. Before the first such paint the rectangle was placed with the origin (0, 0), and
        // a drag in progress owns the rectangle.
        const int dx = rcImage.left() - m_nOriginX;
        const int dy = rcImage.top() - m_nOriginY;
        m_nOriginX = rcImage.left();
        m_nOriginY = rcImage.top();
        const bool bFollow = m_bOriginRecorded && !IsTracking();
        m_bOriginRecorded = true;
        if (bFollow && (dx != 0 || dy != 0)) {
            m_rect = OffsetRect(m_rect, dx, dy);
        }
        m_imgShown.SetBackground(
            crBackground.rgb()); // a pass only after the desktop colour changed
        // The image is opaque on the background already: fill only around it.
        const QRegion rgnAround =
            QRegion(rcDirty).subtracted(m_imgShown.IsNull() ? QRegion() : QRegion(rcImage));
        for (const QRect& rc : rgnAround) {
            painter.fillRect(rc, crBackground);
        }
        DrawClipped(painter, rcImage.topLeft(), m_imgShown.Image(), rcDirty);
        if ((m_nShowParts & SHOW_CLOSE_BUTTON) != 0) {
            DrawOverlays(painter, rcImage, rcDirty);
        }
        DrawMessageBack(painter, rcDirty);
        m_frame.Draw(painter, rcImage.topLeft());
        if (!m_bPickerHidden) {
            Draw(painter);
        }
    }

    const QPoint ptOrigin(m_nOriginX, m_nOriginY);
    if (!m_strTitleText.empty() && !IsRectEmpty(m_rcTitleArea) &&
        (m_nShowParts & SHOW_TITLE) != 0) {
        m_sampleTitle.Draw(painter, toQRect(m_rcTitleArea).translated(ptOrigin),
                           toQColor(m_crTitleColour));
    }
    if (!m_strMessageText.empty() && !IsRectEmpty(m_rcMessageArea) &&
        (m_nShowParts & SHOW_MESSAGE) != 0) {
        m_sampleMessage.Draw(painter, toQRect(m_rcMessageArea).translated(ptOrigin),
                             toQColor(m_crMessageColour));
    }
    DrawBorder(painter);
}

void CSkinImageView::DrawOverlays(QPainter& painter, const QRect& rcImage,
                                  const QRect& rcDirty) const
{
    for (std::size_t i = 0; i < m_arOverlayKeyed.size(); ++i) {
        const QPoint ptAt =
            rcImage.topLeft() + QPoint(m_arOverlayRects[i].left, m_arOverlayRects[i].top);
        DrawClipped(painter, ptAt, m_arOverlayKeyed[i], rcDirty);
    }
}

// Under the frame and the picker, as the note fills its message area under the text.
void CSkinImageView::DrawMessageBack(QPainter& painter, const QRect& rcDirty) const
{
    if (m_crMessageBack && !IsRectEmpty(m_rcMessageArea) && (m_nShowParts & SHOW_MESSAGE) != 0) {
        const QRect rcArea = toQRect(m_rcMessageArea).translated(m_nOriginX, m_nOriginY);
        painter.fillRect(rcArea.intersected(rcDirty), toQColor(*m_crMessageBack));
    }
}

// A sunken one-pixel edge: shadow on top and left, highlight on right and bottom.
void CSkinImageView::DrawBorder(QPainter& painter) const
{
    const int w = width();
    const int h = height();
    const QColor crShadow = SysColor(COLOR_BTNSHADOW);
    const QColor crHighlight = SysColor(COLOR_BTNHIGHLIGHT);
    painter.fillRect(0, 0, w - 1, 1, crShadow);
    painter.fillRect(0, 0, 1, h - 1, crShadow);
    painter.fillRect(w - 1, 0, 1, h, crHighlight);
    painter.fillRect(0, h - 1, w, 1, crHighlight);
}

bool CSkinImageView::IsPickerArmed() const
{
    return m_nPickerMode == 1 && !m_bPickerHidden && m_pImage != nullptr;
}

void CSkinImageView::UpdateCursor(QPoint point, bool bEntering)
{
    if (IsPickerArmed()) {
        if (!SetCursor(*this, point)) {
            setCursor(m_hPickerCursor);
        }
        return;
    }
    // Off: the arrow. Idle: the pointer keeps the shape it had when it came in.
    if (m_nPickerMode != 1 || bEntering) {
        unsetCursor();
    }
}

void CSkinImageView::enterEvent(QEnterEvent* event)
{
    if (!IsTracking()) {
        UpdateCursor(event->position().toPoint(), true);
    }
    QWidget::enterEvent(event);
}

void CSkinImageView::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (IsTracking()) {
        if (event->button() == Qt::RightButton) {
            CancelTracking();
        }
        event->accept();
        return;
    }
    if (event->button() != Qt::LeftButton || !IsPickerArmed()) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QRect rcBefore = GetTrueRect();
    // The rectangle comes first: a handle resizes, the inside moves, elsewhere starts anew. A
    // handle may cross the opposite side as the rubber band does; both leave a normal rectangle.
    if (!Track(point, true)) {
        TrackRubberBand(point, true);
    }
    // Escape must cancel wherever the focus is; not every window system grants keyboard grabs.
    qApp->installEventFilter(this);
    UpdateTrackerArea(rcBefore);
    event->accept();
}

void CSkinImageView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (!IsTracking()) {
        UpdateCursor(point, false);
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QRect rcBefore = GetTrueRect();
    if (TrackMove(point)) {
        UpdateTrackerArea(rcBefore);
    }
}

void CSkinImageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!IsTracking() || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QRect rcBefore = GetTrueRect();
    const bool bChanged = TrackRelease(event->position().toPoint());
    qApp->removeEventFilter(this);
    if (bChanged) {
        m_rect = m_rcTracked;
        update();
        NotifyRectChanged(m_rect);
    } else {
        UpdateTrackerArea(rcBefore);
    }
    UpdateCursor(event->position().toPoint(), false);
}

bool CSkinImageView::eventFilter(QObject* pWatched, QEvent* event)
{
    const bool bKey =
        event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (!IsTracking() || !bKey || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) {
        return QWidget::eventFilter(pWatched, event);
    }
    // The drag takes the Escape: no dialog closes, no shortcut fires.
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        CancelTracking();
    }
    return true;
}

void CSkinImageView::hideEvent(QHideEvent* event)
{
    CancelTracking();
    QWidget::hideEvent(event);
}

void CSkinImageView::CancelTracking()
{
    if (!IsTracking()) {
        return;
    }
    const QRect rcBefore = GetTrueRect();
    TrackCancel();
    qApp->removeEventFilter(this);
    UpdateTrackerArea(rcBefore);
}

void CSkinImageView::UpdateTrackerArea(const QRect& rcBefore)
{
    update(rcBefore.united(GetTrueRect()));
}

void CSkinImageView::OnChangedRect(const RECT& rectOld)
{
    m_rcTracked = rectOld;
}

void CSkinImageView::NotifyRectChanged(const RECT& rect)
{
    emit pickRectChanged(OffsetRect(rect, -m_nOriginX, -m_nOriginY));
}
