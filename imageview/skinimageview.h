#pragma once

#include "dottedframe.h"
#include "recttracker.h"
#include "shownimage.h"
#include "textsample.h"
#include "viewtransform.h"
#include "wintypes.h"

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QImage>
#include <QWidget>

#include <array>
#include <optional>
#include <string>
#include <vector>

class CDib;
class QScrollBar;

// The "Image View" pane: the skin being edited, centred on the desktop colour at 1:1 to start
// with and zoomed and scrolled by the user, the close-button images laid over it, a dotted frame
// around it, title and message samples in their areas, and the rectangle picker with which the
// user places those areas, by mouse or by arrow keys.
//
// The view owns no skin data: it keeps plain pointers to bitmaps the editor owns, which must
// outlive their use here. Each bitmap is decoded and colour-keyed once, when it is handed over;
// after changing a bitmap in place, hand it over again.
class CSkinImageView : public QWidget, public CRectTracker
{
    Q_OBJECT

public:
    enum ShowParts
    {
        SHOW_NOTE_IMAGE = 1,   // the image, its frame, the overlays and the picker
        SHOW_CLOSE_BUTTON = 2, // the overlays
        SHOW_TITLE = 4,
        SHOW_MESSAGE = 8,
    };
    static constexpr int VIEW_ID = 1;

    using ZoomStep = ::ZoomStep;
    static constexpr std::array<ZoomStep, 13> kZoomSteps{{{1, 8},
                                                          {1, 4},
                                                          {1, 2},
                                                          {1, 1},
                                                          {2, 1},
                                                          {3, 1},
                                                          {4, 1},
                                                          {6, 1},
                                                          {8, 1},
                                                          {12, 1},
                                                          {16, 1},
                                                          {24, 1},
                                                          {32, 1}}};
    static constexpr int kActualSizeIndex = 3;
    static constexpr int kGridFromIndex = 8; // 8x
    // A dragged edge this close to an opaque edge, in logical pixels, lands on it.
    static constexpr int kSnapDistance = 4;
    static constexpr int kHandleSize = 7;

    enum class TransparencyDisplay
    {
        KeyColour,
        Checkerboard,
        Desktop,
    };

    explicit CSkinImageView(QWidget* parent = nullptr);

    // Makes the view a visible child of pParent at an empty rectangle; the caller places it.
    bool CreateView(QWidget* pParent);

    // Drops the overlays. pImage may be null: then only the background and border show. The
    // bitmap is decoded here, once; the setters below only repaint or key it anew.
    void SetImage(const CDib* pImage, COLORREF crTransparent);
    void ClearImage();
    // A new transparent colour for the image given last, without decoding it again.
    void SetImageTransparent(COLORREF crTransparent);
    void ClearOverlays();
    // Moves overlay i, keeping its keyed copy.
    void SetOverlayRect(std::size_t i, const RECT& rc);
    // Drawn at its own size with its top-left at (nLeft, nTop) in image coordinates, above the
    // overlays added before it; right and bottom are kept but not used.
    void AddOverlay(const CDib* pImage, int nLeft, int nTop, int nRight, int nBottom,
                    COLORREF crTransparent);
    // Rectangles in image coordinates; an empty text or rectangle hides the sample. A null font
    // draws with the view's own font.
    void SetTitleSample(const std::string& strText, int nLeft, int nTop, int nRight, int nBottom,
                        const LOGFONT* pLogFont, COLORREF crText);
    void SetMessageSample(const std::string& strText, int nLeft, int nTop, int nRight, int nBottom,
                          const LOGFONT* pLogFont, COLORREF crText);
    // The message area is filled with this colour under its sample, as the note fills it.
    void SetMessageBackColour(COLORREF crBack);

    int GetZoomIndex() const { return m_nZoomIndex; }
    double GetZoom() const { return kZoomSteps.at(static_cast<std::size_t>(m_nZoomIndex)).Value(); }
    // The image point under anchor (a widget position; the view's centre by default) stays there
    // where the scroll range allows.
    void SetZoomIndex(int nIndex, std::optional<QPointF> anchor = {});
    void ZoomIn();
    void ZoomOut();
    void ZoomActualSize();
    // The largest step at which the whole image fits the view.
    void ZoomToFit();
    bool CanZoomIn() const { return m_nZoomIndex + 1 < static_cast<int>(kZoomSteps.size()); }
    bool CanZoomOut() const { return m_nZoomIndex > 0; }

    // Lines between image pixels from 8x up.
    void SetShowGrid(bool bShow);
    bool IsGridShown() const { return m_bShowGrid; }
    // What shows where the main image has its transparent colour.
    void SetTransparencyDisplay(TransparencyDisplay display);
    TransparencyDisplay GetTransparencyDisplay() const { return m_transparencyDisplay; }
    void SetSnapToOpaqueEdges(bool bSnap) { m_bSnapToOpaqueEdges = bSnap; }
    bool IsSnapToOpaqueEdges() const { return m_bSnapToOpaqueEdges; }
    const CViewTransform& GetTransform() const { return m_transform; }

    // Image coordinates. Does not repaint.
    void SetPickerRect(int nLeft, int nTop, int nRight, int nBottom);
    // 1 lets the picker answer the mouse; any other value turns it off. Does not repaint.
    void SetPickerMode(int nMode);
    void HidePicker(bool bHide);

    // What a screen reader says the view shows: the component and, when it has one, the
    // rectangle being placed (image coordinates). The accessible name stays "Image view".
    void DescribeShownPart(const QString& strComponent, const std::optional<RECT>& rc);

    // Which parts are painted; the owner repaints after changing it.
    int m_nShowParts = SHOW_NOTE_IMAGE;

    // What the view was last given, read back as given.
    const CDib* GetImage() const { return m_pImage; }
    COLORREF GetTransparentColour() const { return m_crTransparent; }
    std::size_t GetOverlayCount() const { return m_arOverlayImages.size(); }
    const CDib* GetOverlayImage(std::size_t i) const { return m_arOverlayImages.at(i); }
    RECT GetOverlayRect(std::size_t i) const { return m_arOverlayRects.at(i); }
    COLORREF GetOverlayTransparent(std::size_t i) const { return m_arOverlayTransparent.at(i); }
    const std::string& GetTitleText() const { return m_strTitleText; }
    RECT GetTitleArea() const { return m_rcTitleArea; }
    COLORREF GetTitleColour() const { return m_crTitleColour; }
    const std::string& GetMessageText() const { return m_strMessageText; }
    RECT GetMessageArea() const { return m_rcMessageArea; }
    COLORREF GetMessageColour() const { return m_crMessageColour; }
    std::optional<COLORREF> GetMessageBackColour() const { return m_crMessageBack; }
    RECT GetPickerRect() const { return m_rcPick; }
    int GetPickerMode() const { return m_nPickerMode; }
    bool IsPickerHidden() const { return m_bPickerHidden; }

signals:
    // The user dragged the picker to a different rectangle, given in image coordinates: always
    // normal (left <= right, top <= bottom), possibly beyond the image or negative. Emitted once
    // per drag, on release.
    void pickRectChanged(const RECT& rect);
    // An arrow key moved the picker (Alt: its right or bottom edge) by 1 image pixel, 10 with
    // Shift; the rectangle stays inside the image. One signal per key press.
    void pickRectNudged(const RECT& rect);
    void zoomChanged(double dZoom);
    // The image pixel under the pointer; nullopt off the image or when the pointer left.
    void cursorMoved(std::optional<QPoint> imagePixel);
    // The rectangle while a drag or nudge changes it, in image coordinates.
    void trackedRectChanged(const RECT& rect);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* pWatched, QEvent* event) override;

private:
    bool IsPickerArmed() const;
    void UpdateCursor(QPoint point, bool bEntering);
    void CancelTracking();
    void UpdateCursorPixel(QPoint point);
    // Repaints where the picker frame was and where it is now.
    void UpdateTrackerArea(const QRect& rcBefore);

    QSize ImageSize() const;
    QRect ViewportRect() const;
    void UpdateViewport();
    // Lays out the scroll bars and recomputes the mapping; every size, zoom, scroll or pixel
    // ratio change ends here.
    void Relayout();
    void OnScrolled();
    void OnScreenChanged();
    void SyncTrackerToPick();
    // The tracker's widget rectangle as whole image pixels, with opaque-edge snapping.
    RECT SnappedTrackedRect() const;
    int SnapEdge(int nEdge, bool bVertical, int nFrom, int nTo) const;
    bool IsOpaqueEdge(int nAt, bool bVertical, int nFrom, int nTo) const;
    void Nudge(int nKey, bool bBig, bool bResize);
    void Pan(QPoint ptDelta);
    QRgb KeyedBackground() const;
    QColor DesktopColour() const;
    QRgb FrameColour() const;
    void UpdateShownBackground();

    void DrawImage(QPainter& painter, const QRect& rcDirty) const;
    // A scaled copy of part of an image and what it was made from.
    struct ScaledPart
    {
        QImage image;
        QRect rcSource;
        qint64 nKey = 0;
        double dScale = 0;
        bool bGrid = false;
    };
    void DrawScaled(QPainter& painter, const QImage& image, QPoint ptAt, const QRect& rcDirty,
                    ScaledPart& part, bool bWholeView) const;
    void DrawSample(QPainter& painter, const CTextSample& sample, const RECT& rcArea,
                    COLORREF crText) const;
    void DrawOverlays(QPainter& painter, const QRect& rcDirty) const;
    void DrawMessageBack(QPainter& painter, const QRect& rcDirty) const;
    void DrawBorder(QPainter& painter) const;

    const CDib* m_pImage = nullptr;
    RECT m_rcTitleArea{};
    RECT m_rcMessageArea{};
    std::optional<QFont> m_fntTitle;
    std::optional<QFont> m_fntMessage;
    std::string m_strTitleText;
    std::string m_strMessageText;
    COLORREF m_crTitleColour = 0;
    COLORREF m_crMessageColour = 0;
    std::optional<COLORREF> m_crMessageBack;
    COLORREF m_crTransparent = 0;
    QCursor m_hPickerCursor;
    int m_nPickerMode = 1;
    RECT m_rcPick{};      // image coordinates, as given or dragged
    RECT m_rcDragStart{}; // image coordinates, normal
    bool m_bPickerHidden = true;
    int m_nZoomIndex = kActualSizeIndex;
    bool m_bShowGrid = false;
    bool m_bSnapToOpaqueEdges = false;
    TransparencyDisplay m_transparencyDisplay = TransparencyDisplay::Desktop;
    CViewTransform m_transform;
    QScrollBar* m_pHorzBar = nullptr;
    QScrollBar* m_pVertBar = nullptr;
    bool m_bRelayingOut = false;
    bool m_bSpaceDown = false;
    std::optional<QPoint> m_ptPanFrom;
    std::optional<QPoint> m_ptCursorPixel;
    int m_nWheelZoom = 0; // angle delta short of a whole notch
    std::vector<const CDib*> m_arOverlayImages;
    std::vector<RECT> m_arOverlayRects;
    std::vector<COLORREF> m_arOverlayTransparent;

    // Screen copies made when the images were handed over, never in a paint.
    CShownImage m_imgShown; // keyed pixels in the desktop or key colour: a paint blits it opaque
    QImage m_imgSeeThrough; // keyed pixels transparent, for the checkerboard only
    // Made in a paint as the scaled pixels are needed; each remembers what it shows.
    mutable ScaledPart m_scaledMain;
    mutable ScaledPart m_scaledOverlay;
    std::vector<QImage> m_arOverlayKeyed;
    CDottedFrame m_frame;
    CTextSample m_sampleTitle;
    CTextSample m_sampleMessage;
};
