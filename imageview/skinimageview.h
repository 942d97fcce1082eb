#pragma once

#include "dottedframe.h"
#include "recttracker.h"
#include "shownimage.h"
#include "textsample.h"
#include "wintypes.h"

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QImage>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class CDib;

// The "Image View" pane: the skin being edited drawn 1:1 and centred on the desktop colour, the
// close-button images laid over it, a dotted frame around it, title and message samples in their
// areas, and the rectangle picker with which the user places those areas.
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

    // Image coordinates, mapped with the origin of the last paint that drew the image. Does not
    // repaint.
    void SetPickerRect(int nLeft, int nTop, int nRight, int nBottom);
    // 1 lets the picker answer the mouse; any other value turns it off. Does not repaint.
    void SetPickerMode(int nMode);
    void HidePicker(bool bHide);

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
    RECT GetPickerRect() const { return OffsetRect(m_rect, -m_nOriginX, -m_nOriginY); }
    int GetPickerMode() const { return m_nPickerMode; }
    bool IsPickerHidden() const { return m_bPickerHidden; }

signals:
    // The user dragged the picker to a different rectangle, given in image coordinates: always
    // normal (left <= right, top <= bottom), possibly beyond the image or negative. Emitted once
    // per drag, on release.
    void pickRectChanged(const RECT& rect);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* pWatched, QEvent* event) override;

    void OnChangedRect(const RECT& rectOld) override;

private:
    bool IsPickerArmed() const;
    void UpdateCursor(QPoint point, bool bEntering);
    void CancelTracking();
    void NotifyRectChanged(const RECT& rect);
    // Repaints where the picker frame was and where it is now.
    void UpdateTrackerArea(const QRect& rcBefore);

    QRect PlaceImage() const;
    void DrawOverlays(QPainter& painter, const QRect& rcImage, const QRect& rcDirty) const;
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
    RECT m_rcTracked{};
    int m_nOriginX = 0;
    int m_nOriginY = 0;
    bool m_bOriginRecorded = false; // a paint has drawn the image and recorded its origin
    bool m_bPickerHidden = true;
    std::vector<const CDib*> m_arOverlayImages;
    std::vector<RECT> m_arOverlayRects;
    std::vector<COLORREF> m_arOverlayTransparent;

    // Screen copies made when the images were handed over, never in a paint.
    CShownImage m_imgShown; // keyed pixels in the desktop colour: a paint blits it opaque
    std::vector<QImage> m_arOverlayKeyed;
    CDottedFrame m_frame;
    CTextSample m_sampleTitle;
    CTextSample m_sampleMessage;
};
