#include "skinimageview.h"

#include "dib.h"
#include "dibimage.h"
#include "keyedimage.h"
#include "pickercursor.h"
#include "pixelblocks.h"
#include "qtconvert.h"
#include "skinimageviewaccessible.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

bool IsRectEmpty(const RECT& rc)
{
    return rc.right <= rc.left || rc.bottom <= rc.top;
}

QImage KeyedScreenCopy(const CDib* pDib, COLORREF crTransparent)
{
    return pDib != nullptr ? CreateKeyedImage(CreateDDB(*pDib), crTransparent) : QImage();
}

// Squares of a fixed size on screen, whatever the zoom.
const QBrush& CheckerBrush()
{
    static const QBrush brush = [] {
        constexpr int nSquare = 8;
        QImage tile(2 * nSquare, 2 * nSquare, QImage::Format_RGB32);
        tile.fill(QColor(255, 255, 255));
        for (int y = 0; y < tile.height(); ++y) {
            for (int x = 0; x < tile.width(); ++x) {
                if ((x / nSquare + y / nSquare) % 2 != 0) {
                    tile.setPixel(x, y, qRgb(204, 204, 204));
                }
            }
        }
        return QBrush(tile);
    }();
    return brush;
}

RECT ToRECT(const QRect& rc)
{
    return RECT{rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
}

RECT Normalised(const RECT& rc)
{
    return RECT{std::min(rc.left, rc.right), std::min(rc.top, rc.bottom),
                std::max(rc.left, rc.right), std::max(rc.top, rc.bottom)};
}

} // namespace

CSkinImageView::CSkinImageView(QWidget* parent)
    : QWidget(parent), m_pHorzBar(new QScrollBar(Qt::Horizontal, this)),
      m_pVertBar(new QScrollBar(Qt::Vertical, this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Hover moves choose the cursor, as the pointer crosses the picker and its handles.
    setMouseTracking(true);
    // Arrow keys nudge the picker once a click has put the focus here.
    setFocusPolicy(Qt::StrongFocus);
    InstallSkinImageViewAccessibility();
    setAccessibleName(tr("Image view"));
    m_hPickerCursor = MakePickerCursor();
    m_nStyle = solidLine | resizeInside;
    m_nHandleSize = kHandleSize;
    m_nMinSize = 6;
    for (QScrollBar* pBar : {m_pHorzBar, m_pVertBar}) {
        pBar->hide();
        pBar->setCursor(Qt::ArrowCursor);
        connect(pBar, &QScrollBar::valueChanged, this, &CSkinImageView::OnScrolled);
    }
    Relayout();
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
    const QSize sizeBefore = m_imgShown.Image().size();
    m_imgShown.Set(pImage != nullptr ? CreateDDB(*pImage) : QImage(), crTransparent,
                   KeyedBackground());
    UpdateShownBackground();
    if (m_imgShown.Image().size() != sizeBefore) {
        // Another image starts centred again.
        m_pHorzBar->hide();
        m_pVertBar->hide();
    }
    Relayout();
    UpdateViewport();
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
    UpdateShownBackground();
    UpdateViewport();
}

void CSkinImageView::ClearOverlays()
{
    m_arOverlayImages = {};
    m_arOverlayRects = {};
    m_arOverlayTransparent = {};
    m_arOverlayKeyed = {};
    UpdateViewport();
}

void CSkinImageView::SetOverlayRect(std::size_t i, const RECT& rc)
{
    m_arOverlayRects.at(i) = rc;
    UpdateViewport();
}

void CSkinImageView::AddOverlay(const CDib* pImage, int nLeft, int nTop, int nRight, int nBottom,
                                COLORREF crTransparent)
{
    m_arOverlayImages.push_back(pImage);
    m_arOverlayRects.push_back(RECT{nLeft, nTop, nRight, nBottom});
    m_arOverlayTransparent.push_back(crTransparent);
    m_arOverlayKeyed.push_back(KeyedScreenCopy(pImage, crTransparent));
    UpdateViewport();
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
    UpdateViewport();
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
    UpdateViewport();
}

void CSkinImageView::SetMessageBackColour(COLORREF crBack)
{
    m_crMessageBack = crBack;
    UpdateViewport();
}

void CSkinImageView::SetPickerRect(int nLeft, int nTop, int nRight, int nBottom)
{
    m_rcPick = RECT{nLeft, nTop, nRight, nBottom};
    if (!IsTracking()) {
        SyncTrackerToPick();
    }
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
    UpdateViewport();
}

void CSkinImageView::SetZoomIndex(int nIndex, std::optional<QPointF> anchor)
{
    nIndex = std::clamp(nIndex, 0, static_cast<int>(kZoomSteps.size()) - 1);
    if (nIndex == m_nZoomIndex) {
        return;
    }
    const QPointF ptAnchor = anchor.value_or(QRectF(ViewportRect()).center());
    const QPointF ptImage = m_transform.WidgetToImage(ptAnchor);
    CancelTracking();
    m_nZoomIndex = nIndex;
    Relayout();
    // Scroll so that the anchored image point is back under the anchor.
    const QPointF ptNow = m_transform.ImageToWidget(ptImage);
    const QPointF ptShift = ptNow - ptAnchor;
    m_bRelayingOut = true;
    m_pHorzBar->setValue(m_pHorzBar->value() + static_cast<int>(std::lround(ptShift.x())));
    m_pVertBar->setValue(m_pVertBar->value() + static_cast<int>(std::lround(ptShift.y())));
    m_bRelayingOut = false;
    Relayout();
    UpdateViewport();
    emit zoomChanged(GetZoom());
}

void CSkinImageView::ZoomIn()
{
    SetZoomIndex(m_nZoomIndex + 1);
}

void CSkinImageView::ZoomOut()
{
    SetZoomIndex(m_nZoomIndex - 1);
}

void CSkinImageView::ZoomActualSize()
{
    SetZoomIndex(kActualSizeIndex);
}

void CSkinImageView::ZoomToFit()
{
    const QSize sizeImage = ImageSize();
    if (sizeImage.isEmpty()) {
        SetZoomIndex(kActualSizeIndex);
        return;
    }
    const QSize sizeView = size();
    const double dDpr = devicePixelRatioF();
    int nFit = 0;
    for (int i = 0; i < static_cast<int>(kZoomSteps.size()); ++i) {
        const double dScale = CViewTransform::DeviceScaleFor(
                                  kZoomSteps.at(static_cast<std::size_t>(i)).Value(), dDpr) /
                              dDpr;
        if (sizeImage.width() * dScale <= sizeView.width() &&
            sizeImage.height() * dScale <= sizeView.height()) {
            nFit = i;
        }
    }
    SetZoomIndex(nFit);
}

void CSkinImageView::SetShowGrid(bool bShow)
{
    m_bShowGrid = bShow;
    UpdateViewport();
}

void CSkinImageView::SetTransparencyDisplay(TransparencyDisplay display)
{
    m_transparencyDisplay = display;
    UpdateShownBackground();
    UpdateViewport();
}

QRgb CSkinImageView::KeyedBackground() const
{
    if (m_transparencyDisplay == TransparencyDisplay::KeyColour) {
        return toQColor(m_crTransparent).rgb();
    }
    return DesktopColour().rgb();
}

// No desktop colour in the palette: its darker neutral tone sets an image off best.
QColor CSkinImageView::DesktopColour() const
{
    return palette().color(QPalette::Active, QPalette::Dark);
}

QRgb CSkinImageView::FrameColour() const
{
    return palette().color(QPalette::Active, QPalette::WindowText).rgb();
}

void CSkinImageView::DescribeShownPart(const QString& strComponent, const std::optional<RECT>& rc)
{
    if (!rc) {
        setAccessibleDescription(strComponent);
        return;
    }
    setAccessibleDescription(tr("%1, rectangle: left %2, top %3, right %4, bottom %5")
                                 .arg(strComponent)
                                 .arg(rc->left)
                                 .arg(rc->top)
                                 .arg(rc->right)
                                 .arg(rc->bottom));
}

void CSkinImageView::UpdateShownBackground()
{
    m_imgShown.SetBackground(KeyedBackground());
    m_imgSeeThrough = m_transparencyDisplay == TransparencyDisplay::Checkerboard
                          ? m_imgShown.SeeThrough()
                          : QImage();
}

QSize CSkinImageView::ImageSize() const
{
    return m_pImage != nullptr ? QSize(m_pImage->GetWidth(), m_pImage->GetHeight()) : QSize(0, 0);
}

// The scroll bars repaint themselves when they change; content changes leave them alone.
void CSkinImageView::UpdateViewport()
{
    update(ViewportRect());
}

QRect CSkinImageView::ViewportRect() const
{
    return QRect(0, 0, width() - (m_pVertBar->isHidden() ? 0 : m_pVertBar->width()),
                 height() - (m_pHorzBar->isHidden() ? 0 : m_pHorzBar->height()));
}

void CSkinImageView::Relayout()
{
    const double dDpr = devicePixelRatioF();
    const double dZoom = GetZoom();
    const QSize sizeDevice = CViewTransform(dZoom, dDpr, {}).DeviceSize(ImageSize());
    const QSize sizeImage(static_cast<int>(std::ceil(sizeDevice.width() / dDpr)),
                          static_cast<int>(std::ceil(sizeDevice.height() / dDpr)));
    const int nBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool bHorz = sizeImage.width() > width();
    bool bVert = sizeImage.height() > height();
    bVert = bVert || (bHorz && sizeImage.height() > height() - nBarWidth);
    bHorz = bHorz || (bVert && sizeImage.width() > width() - nBarWidth);
    const QSize sizeView(width() - (bVert ? nBarWidth : 0), height() - (bHorz ? nBarWidth : 0));

    m_bRelayingOut = true;
    const auto Place = [](QScrollBar* pBar, bool bShow, int nImage, int nView, const QRect& rc) {
        const bool bWasShown = !pBar->isHidden();
        pBar->setGeometry(rc);
        pBar->setRange(0, std::max(0, nImage - nView));
        pBar->setPageStep(std::max(1, nView));
        pBar->setSingleStep(std::max(1, nView / 20));
        if (bShow && !bWasShown) {
            pBar->setValue((nImage - nView) / 2); // centred, as the image was before
        }
        pBar->setVisible(bShow);
    };
    Place(m_pHorzBar, bHorz, sizeImage.width(), sizeView.width(),
          QRect(0, sizeView.height(), sizeView.width(), nBarWidth));
    Place(m_pVertBar, bVert, sizeImage.height(), sizeView.height(),
          QRect(sizeView.width(), 0, nBarWidth, sizeView.height()));
    m_bRelayingOut = false;

    // Centred: each half truncated on its own, so a 101-pixel image sits where a 100-pixel one
    // does.
    const auto Origin = [dDpr](bool bScrolled, int nValue, int nView, int nImageDevice) {
        if (bScrolled) {
            return -static_cast<int>(std::lround(nValue * dDpr));
        }
        return static_cast<int>(std::lround(nView * dDpr)) / 2 - nImageDevice / 2;
    };
    m_transform = CViewTransform(
        dZoom, dDpr,
        QPoint(Origin(bHorz, m_pHorzBar->value(), sizeView.width(), sizeDevice.width()),
               Origin(bVert, m_pVertBar->value(), sizeView.height(), sizeDevice.height())));
    const QRect rcFrame = m_transform.WidgetRect(QRect(QPoint(0, 0), ImageSize()));
    if (m_frame.GetSize() != rcFrame.size() || m_frame.GetColour() != FrameColour()) {
        m_frame = CDottedFrame(rcFrame.size(), FrameColour());
    }
    if (!IsTracking()) {
        SyncTrackerToPick();
    }
}

void CSkinImageView::OnScrolled()
{
    if (m_bRelayingOut) {
        return;
    }
    CancelTracking();
    Relayout();
    UpdateViewport();
}

void CSkinImageView::OnScreenChanged()
{
    CancelTracking();
    Relayout();
    UpdateViewport();
}

void CSkinImageView::SyncTrackerToPick()
{
    // Corner by corner, so a rectangle the skin has inverted stays inverted.
    const QPointF ptFrom = m_transform.ImageToWidget(QPointF(m_rcPick.left, m_rcPick.top));
    const QPointF ptTo = m_transform.ImageToWidget(QPointF(m_rcPick.right, m_rcPick.bottom));
    m_rect =
        RECT{static_cast<LONG>(std::lround(ptFrom.x())), static_cast<LONG>(std::lround(ptFrom.y())),
             static_cast<LONG>(std::lround(ptTo.x())), static_cast<LONG>(std::lround(ptTo.y()))};
}

void CSkinImageView::resizeEvent(QResizeEvent* event)
{
    CancelTracking();
    Relayout();
    QWidget::resizeEvent(event);
}

void CSkinImageView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Relayout();
    if (QWindow* pWindow = window()->windowHandle()) {
        connect(pWindow, &QWindow::screenChanged, this, &CSkinImageView::OnScreenChanged,
                Qt::UniqueConnection);
    }
}

void CSkinImageView::paintEvent(QPaintEvent* event)
{
    const QRect rcDirty = event->rect();
    const QColor crBackground = DesktopColour();
    QPainter painter(this);

    if (m_pImage == nullptr || (m_nShowParts & SHOW_NOTE_IMAGE) == 0) {
        painter.fillRect(rcDirty, crBackground);
        DrawMessageBack(painter, rcDirty);
    } else {
        if (m_transparencyDisplay == TransparencyDisplay::Desktop) {
            m_imgShown.SetBackground(crBackground.rgb()); // a pass only after it changed
        }
        DrawImage(painter, rcDirty);
        if ((m_nShowParts & SHOW_CLOSE_BUTTON) != 0) {
            DrawOverlays(painter, rcDirty);
        }
        DrawMessageBack(painter, rcDirty);
        m_frame.Draw(painter, m_transform.WidgetRect(QRect(0, 0, 1, 1)).topLeft());
        if (!m_bPickerHidden) {
            Draw(painter);
        }
    }

    if (!m_strTitleText.empty() && !IsRectEmpty(m_rcTitleArea) &&
        (m_nShowParts & SHOW_TITLE) != 0) {
        DrawSample(painter, m_sampleTitle, m_rcTitleArea, m_crTitleColour);
    }
    if (!m_strMessageText.empty() && !IsRectEmpty(m_rcMessageArea) &&
        (m_nShowParts & SHOW_MESSAGE) != 0) {
        DrawSample(painter, m_sampleMessage, m_rcMessageArea, m_crMessageColour);
    }
    if (!m_pHorzBar->isHidden() && !m_pVertBar->isHidden()) {
        // The corner between the scroll bars belongs to neither.
        const QRect rcView = ViewportRect();
        painter.fillRect(QRect(rcView.bottomRight() + QPoint(1, 1), rect().bottomRight()),
                         palette().window());
    }
    DrawBorder(painter);
}

void CSkinImageView::DrawImage(QPainter& painter, const QRect& rcDirty) const
{
    const QRect rcImage = m_transform.WidgetRect(QRect(QPoint(0, 0), ImageSize()));
    const QColor crBackground = DesktopColour();
    // The image is opaque: fill only around it. Its edges may fall inside a logical pixel, which
    // is filled and then drawn over.
    const QRect rcInner = m_transform.GetDpr() == 1.0 && m_transform.GetZoom() >= 1.0
                              ? rcImage
                              : rcImage.adjusted(1, 1, -1, -1);
    const QRegion rgnAround =
        QRegion(rcDirty).subtracted(m_imgShown.IsNull() ? QRegion() : QRegion(rcInner));
    for (const QRect& rc : rgnAround) {
        painter.fillRect(rc, crBackground);
    }
    if (m_transparencyDisplay == TransparencyDisplay::Checkerboard && !m_imgSeeThrough.isNull()) {
        const QRect rcShown = rcImage & rcDirty;
        painter.setBrushOrigin(rcImage.topLeft());
        painter.fillRect(rcShown, CheckerBrush());
        DrawScaled(painter, m_imgSeeThrough, QPoint(0, 0), rcDirty, m_scaledMain, true);
    } else {
        DrawScaled(painter, m_imgShown.Image(), QPoint(0, 0), rcDirty, m_scaledMain, true);
    }
}

// The pixels of image (placed at ptAt in image coordinates) that show in rcDirty, scaled. The
// main image is scaled for the whole view at once and kept until the view or the image changes,
// so a partial repaint (a drag step, a hover) only blits; an overlay is scaled where it shows.
void CSkinImageView::DrawScaled(QPainter& painter, const QImage& image, QPoint ptAt,
                                const QRect& rcDirty, ScaledPart& part, bool bWholeView) const
{
    if (image.isNull()) {
        return;
    }
    const QRect rcSource =
        m_transform.VisibleImageRect(bWholeView ? ViewportRect() : rcDirty).translated(-ptAt) &
        image.rect();
    if (rcSource.isEmpty()) {
        return;
    }
    const QPointF ptTarget = m_transform.ImageToWidget(QPointF(rcSource.topLeft() + ptAt));
    if (m_transform.GetDeviceScale() == 1.0 && m_transform.GetDpr() == 1.0) {
        const QRect rcShown =
            m_transform.VisibleImageRect(rcDirty).translated(-ptAt) & image.rect();
        painter.drawImage(m_transform.ImageToWidget(QPointF(rcShown.topLeft() + ptAt)), image,
                          rcShown);
        return;
    }
    // Overlays sit on whole image pixels, so their grid lines meet the image's.
    const bool bGrid = m_bShowGrid && m_nZoomIndex >= kGridFromIndex;
    const double dScale = m_transform.GetDeviceScale();
    if (part.nKey != image.cacheKey() || part.rcSource != rcSource || part.dScale != dScale ||
        part.bGrid != bGrid || part.image.isNull()) {
        if (!ScaleToBlocks(image, rcSource, dScale, bGrid, part.image)) {
            part = ScaledPart();
            return;
        }
        part.nKey = image.cacheKey();
        part.rcSource = rcSource;
        part.dScale = dScale;
        part.bGrid = bGrid;
    }
    const double dDpr = m_transform.GetDpr();
    part.image.setDevicePixelRatio(dDpr);
    const QRectF rcDirtyDevice(QPointF(rcDirty.topLeft()) - ptTarget, QSizeF(rcDirty.size()));
    const QRect rcBlit =
        QRectF(rcDirtyDevice.topLeft() * dDpr, rcDirtyDevice.size() * dDpr).toAlignedRect() &
        part.image.rect();
    if (!rcBlit.isEmpty()) {
        painter.drawImage(ptTarget + QPointF(rcBlit.topLeft()) / dDpr, part.image, QRectF(rcBlit));
    }
}

void CSkinImageView::DrawSample(QPainter& painter, const CTextSample& sample, const RECT& rcArea,
                                COLORREF crText) const
{
    painter.save();
    const QPointF ptOrigin = m_transform.GetOrigin();
    painter.translate(ptOrigin);
    painter.scale(m_transform.GetScale(), m_transform.GetScale());
    sample.Draw(painter, toQRect(rcArea), toQColor(crText));
    painter.restore();
}

void CSkinImageView::DrawOverlays(QPainter& painter, const QRect& rcDirty) const
{
    for (std::size_t i = 0; i < m_arOverlayKeyed.size(); ++i) {
        DrawScaled(painter, m_arOverlayKeyed[i],
                   QPoint(m_arOverlayRects[i].left, m_arOverlayRects[i].top), rcDirty,
                   m_scaledOverlay, false);
    }
}

// Under the frame and the picker, as the note fills its message area under the text.
void CSkinImageView::DrawMessageBack(QPainter& painter, const QRect& rcDirty) const
{
    if (m_crMessageBack && !IsRectEmpty(m_rcMessageArea) && (m_nShowParts & SHOW_MESSAGE) != 0) {
        const QRect rcArea = m_transform.WidgetRect(toQRect(m_rcMessageArea));
        painter.fillRect(rcArea.intersected(rcDirty), toQColor(*m_crMessageBack));
    }
}

// A sunken one-pixel edge: shadow on top and left, highlight on right and bottom. With the
// keyboard focus a two-pixel ring in the highlight colour takes its place, so that the arrow keys'
// target is plain to see.
void CSkinImageView::DrawBorder(QPainter& painter) const
{
    const int w = width();
    const int h = height();
    const QPalette& colours = palette();
    if (hasFocus()) {
        const QColor crFocus = colours.color(QPalette::Active, QPalette::Highlight);
        painter.fillRect(0, 0, w, 2, crFocus);
        painter.fillRect(0, 0, 2, h, crFocus);
        painter.fillRect(w - 2, 0, 2, h, crFocus);
        painter.fillRect(0, h - 2, w, 2, crFocus);
        return;
    }
    const QColor crShadow = colours.color(QPalette::Active, QPalette::Mid);
    const QColor crHighlight = colours.color(QPalette::Active, QPalette::Light);
    painter.fillRect(0, 0, w - 1, 1, crShadow);
    painter.fillRect(0, 0, 1, h - 1, crShadow);
    painter.fillRect(w - 1, 0, 1, h, crHighlight);
    painter.fillRect(0, h - 1, w, 1, crHighlight);
}

void CSkinImageView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void CSkinImageView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

// The frame and the desktop colour come from the palette; a new one (a theme switch) redraws.
void CSkinImageView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        UpdateShownBackground();
        update();
    }
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
    if (event->button() == Qt::MiddleButton ||
        (event->button() == Qt::LeftButton && m_bSpaceDown)) {
        m_ptPanFrom = point;
        setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    if (event->button() != Qt::LeftButton || !IsPickerArmed() || m_ptPanFrom) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QRect rcBefore = GetTrueRect();
    m_rcDragStart = Normalised(m_rcPick);
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
    UpdateCursorPixel(point);
    if (m_ptPanFrom) {
        const QPoint ptDelta = point - *m_ptPanFrom;
        m_ptPanFrom = point;
        Pan(ptDelta);
        return;
    }
    if (!IsTracking()) {
        UpdateCursor(point, false);
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QRect rcBefore = GetTrueRect();
    if (TrackMove(point)) {
        const RECT rc = SnappedTrackedRect();
        m_rect = ToRECT(m_transform.WidgetRect(toQRect(rc)));
        UpdateTrackerArea(rcBefore);
        emit trackedRectChanged(rc);
    }
}

void CSkinImageView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (m_ptPanFrom && (event->button() == Qt::MiddleButton || event->button() == Qt::LeftButton)) {
        m_ptPanFrom.reset();
        UpdateCursor(point, false);
        event->accept();
        return;
    }
    if (!IsTracking() || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const QRect rcBefore = GetTrueRect();
    // Snapped while the drag still knows which edges it moves.
    TrackMove(point);
    const RECT rcSnapped = SnappedTrackedRect();
    const bool bMoved = TrackRelease(point);
    qApp->removeEventFilter(this);
    const RECT rc = bMoved ? rcSnapped : m_rcDragStart;
    if (rc != m_rcDragStart) {
        m_rcPick = rc;
        SyncTrackerToPick();
        UpdateViewport();
        emit pickRectChanged(rc);
    } else {
        SyncTrackerToPick();
        UpdateTrackerArea(rcBefore);
    }
    UpdateCursor(point, false);
}

void CSkinImageView::wheelEvent(QWheelEvent* event)
{
    QPoint ptDelta = event->angleDelta();
    if ((event->modifiers() & Qt::ControlModifier) != 0) {
        // Whole notches only; a touchpad adds its small steps up first.
        m_nWheelZoom += ptDelta.y();
        const int nNotches = m_nWheelZoom / QWheelEvent::DefaultDeltasPerStep;
        m_nWheelZoom -= nNotches * QWheelEvent::DefaultDeltasPerStep;
        if (nNotches != 0) {
            SetZoomIndex(m_nZoomIndex + nNotches, event->position());
        }
        event->accept();
        return;
    }
    if ((event->modifiers() & Qt::ShiftModifier) != 0 && ptDelta.x() == 0) {
        ptDelta = QPoint(ptDelta.y(), 0);
    }
    const int nLines = QApplication::wheelScrollLines();
    const auto Scroll = [nLines](QScrollBar* pBar, int nDelta) {
        pBar->setValue(pBar->value() -
                       nDelta * nLines * pBar->singleStep() / QWheelEvent::DefaultDeltasPerStep);
    };
    Scroll(m_pHorzBar, ptDelta.x());
    Scroll(m_pVertBar, ptDelta.y());
    event->accept();
}

void CSkinImageView::keyPressEvent(QKeyEvent* event)
{
    const int nKey = event->key();
    if (nKey == Qt::Key_Space) {
        if (!event->isAutoRepeat() && !IsTracking()) {
            m_bSpaceDown = true;
            setCursor(Qt::OpenHandCursor);
        }
        event->accept();
        return;
    }
    const bool bArrow =
        nKey == Qt::Key_Left || nKey == Qt::Key_Right || nKey == Qt::Key_Up || nKey == Qt::Key_Down;
    if (!bArrow || !IsPickerArmed() || IsTracking()) {
        QWidget::keyPressEvent(event);
        return;
    }
    Nudge(nKey, (event->modifiers() & Qt::ShiftModifier) != 0,
          (event->modifiers() & Qt::AltModifier) != 0);
    event->accept();
}

void CSkinImageView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        m_bSpaceDown = false;
        if (!m_ptPanFrom) {
            UpdateCursor(mapFromGlobal(QCursor::pos()), true);
        }
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void CSkinImageView::Nudge(int nKey, bool bBig, bool bResize)
{
    const int nStep = bBig ? 10 : 1;
    const int dx = nKey == Qt::Key_Left ? -nStep : nKey == Qt::Key_Right ? nStep : 0;
    const int dy = nKey == Qt::Key_Up ? -nStep : nKey == Qt::Key_Down ? nStep : 0;
    const QSize sizeImage = ImageSize();
    const RECT rcFrom = Normalised(m_rcPick);
    RECT rc = rcFrom;
    // Kept inside the image; a rectangle larger than the image keeps its top-left corner on it.
    const auto Within = [](LONG n, LONG nLow, LONG nHigh) {
        return std::max(nLow, std::min(n, nHigh));
    };
    if (bResize) {
        rc.right = dx != 0 ? Within(rc.right + dx, rc.left + 1, sizeImage.width()) : rc.right;
        rc.bottom = dy != 0 ? Within(rc.bottom + dy, rc.top + 1, sizeImage.height()) : rc.bottom;
    } else {
        const LONG nWidth = rc.right - rc.left;
        const LONG nHeight = rc.bottom - rc.top;
        rc.left = Within(rc.left + dx, 0, std::max<LONG>(0, sizeImage.width() - nWidth));
        rc.top = Within(rc.top + dy, 0, std::max<LONG>(0, sizeImage.height() - nHeight));
        rc.right = rc.left + nWidth;
        rc.bottom = rc.top + nHeight;
    }
    if (rc == rcFrom) {
        return;
    }
    const QRect rcBefore = GetTrueRect();
    m_rcPick = rc;
    SyncTrackerToPick();
    UpdateTrackerArea(rcBefore);
    emit trackedRectChanged(rc);
    emit pickRectNudged(rc);
}

void CSkinImageView::Pan(QPoint ptDelta)
{
    m_pHorzBar->setValue(m_pHorzBar->value() - ptDelta.x());
    m_pVertBar->setValue(m_pVertBar->value() - ptDelta.y());
}

void CSkinImageView::UpdateCursorPixel(QPoint point)
{
    std::optional<QPoint> ptPixel = m_transform.ImagePixelAt(QPointF(point));
    if (m_pImage == nullptr || !QRect(QPoint(0, 0), ImageSize()).contains(*ptPixel) ||
        !ViewportRect().contains(point)) {
        ptPixel.reset();
    }
    if (ptPixel != m_ptCursorPixel) {
        m_ptCursorPixel = ptPixel;
        emit cursorMoved(ptPixel);
    }
}

void CSkinImageView::leaveEvent(QEvent* event)
{
    if (m_ptCursorPixel) {
        m_ptCursorPixel.reset();
        emit cursorMoved(std::nullopt);
    }
    QWidget::leaveEvent(event);
}

RECT CSkinImageView::SnappedTrackedRect() const
{
    const RECT rcWidget = Normalised(m_rect);
    const QPoint ptTopLeft = m_transform.NearestCorner(QPointF(rcWidget.left, rcWidget.top));
    const QPoint ptBottomRight =
        m_transform.NearestCorner(QPointF(rcWidget.right, rcWidget.bottom));
    RECT rc{ptTopLeft.x(), ptTopLeft.y(), ptBottomRight.x(), ptBottomRight.y()};
    if (m_bSnapToOpaqueEdges && IsTracking()) {
        if (GetTrackedHandle() == hitMiddle) {
            // A move keeps the size: the nearer edge on each axis decides.
            const auto Shift = [](LONG nLow, LONG nLowSnapped, LONG nHigh, LONG nHighSnapped) {
                const LONG nByLow = nLowSnapped - nLow;
                const LONG nByHigh = nHighSnapped - nHigh;
                if (nByLow == 0) {
                    return nByHigh;
                }
                return nByHigh != 0 && std::abs(nByHigh) < std::abs(nByLow) ? nByHigh : nByLow;
            };
            const LONG dx = Shift(rc.left, SnapEdge(rc.left, true, rc.top, rc.bottom), rc.right,
                                  SnapEdge(rc.right, true, rc.top, rc.bottom));
            const LONG dy = Shift(rc.top, SnapEdge(rc.top, false, rc.left, rc.right), rc.bottom,
                                  SnapEdge(rc.bottom, false, rc.left, rc.right));
            rc = OffsetRect(rc, dx, dy);
        } else {
            const RECT rcFrom = rc;
            // Only the edges the drag moved.
            const auto SnapIfMoved = [this](LONG nEdge, LONG nStart, bool bVertical, LONG nFrom,
                                            LONG nTo) {
                return nEdge != nStart ? SnapEdge(nEdge, bVertical, nFrom, nTo) : nEdge;
            };
            rc.left = SnapIfMoved(rcFrom.left, m_rcDragStart.left, true, rcFrom.top, rcFrom.bottom);
            rc.right =
                SnapIfMoved(rcFrom.right, m_rcDragStart.right, true, rcFrom.top, rcFrom.bottom);
            rc.top = SnapIfMoved(rcFrom.top, m_rcDragStart.top, false, rcFrom.left, rcFrom.right);
            rc.bottom =
                SnapIfMoved(rcFrom.bottom, m_rcDragStart.bottom, false, rcFrom.left, rcFrom.right);
            rc = Normalised(rc);
        }
    }
    // Deep in, a drag may cover less than a pixel: a rectangle keeps at least one.
    rc.right = std::max(rc.right, rc.left + 1);
    rc.bottom = std::max(rc.bottom, rc.top + 1);
    return rc;
}

// The nearest opaque edge within reach of nEdge, nEdge itself when there is none. A vertical
// edge lies between two columns; it counts when some row in [nFrom, nTo) changes there between
// opaque and keyed (outside the image counts as keyed).
int CSkinImageView::SnapEdge(int nEdge, bool bVertical, int nFrom, int nTo) const
{
    const int nReach =
        static_cast<int>(std::floor(kSnapDistance / std::max(m_transform.GetScale(), 1e-6)));
    for (int nOffset = 0; nOffset <= nReach; ++nOffset) {
        for (const int nAt : {nEdge - nOffset, nEdge + nOffset}) {
            if (IsOpaqueEdge(nAt, bVertical, nFrom, nTo)) {
                return nAt;
            }
        }
    }
    return nEdge;
}

bool CSkinImageView::IsOpaqueEdge(int nAt, bool bVertical, int nFrom, int nTo) const
{
    const QSize sizeImage = m_imgShown.Image().size();
    const int nAcross = bVertical ? sizeImage.height() : sizeImage.width();
    const int nAlong = bVertical ? sizeImage.width() : sizeImage.height();
    if (nAt < 0 || nAt > nAlong) {
        return false;
    }
    const auto IsOpaque = [&](int nAlongAt, int nAcrossAt) {
        if (nAlongAt < 0 || nAlongAt >= nAlong) {
            return false;
        }
        return bVertical ? !m_imgShown.IsKeyedAt(nAlongAt, nAcrossAt)
                         : !m_imgShown.IsKeyedAt(nAcrossAt, nAlongAt);
    };
    for (int n = std::max(0, nFrom); n < std::min(nAcross, nTo); ++n) {
        if (IsOpaque(nAt - 1, n) != IsOpaque(nAt, n)) {
            return true;
        }
    }
    return false;
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
    m_ptPanFrom.reset();
    m_bSpaceDown = false;
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
    SyncTrackerToPick();
    UpdateTrackerArea(rcBefore);
}

void CSkinImageView::UpdateTrackerArea(const QRect& rcBefore)
{
    update(rcBefore.united(GetTrueRect()));
}
