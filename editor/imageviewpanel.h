#pragma once

#include "elidedlabel.h"
#include "skindocument.h"
#include "skinimageview.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <optional>
#include <vector>

// "Image View": the skin drawn as stored, with the picker button beside it. It follows the
// document's changes: a new image is decoded once, anything else only repaints. While the
// current component names a bitmap file not applied yet, that file shows in its place.
class CImageViewPanel : public QWidget
{
    Q_OBJECT

public:
    explicit CImageViewPanel(QWidget* pParent = nullptr);
    ~CImageViewPanel() override;
    CImageViewPanel(const CImageViewPanel&) = delete;
    CImageViewPanel& operator=(const CImageViewPanel&) = delete;

    void SetDocument(CSkinDocument* pDocument);
    // The component being edited, and the image of its path field when that is not applied
    // (bPending true; pPending null when the file cannot be read).
    void SetComponent(int nComponent, const CDib* pPending, bool bPending);
    // Set Box: the typed rectangle in the picker, which shows if it can.
    void ShowTypedRect(const RECT& rc);
    // Turns the picker on, on the component's rectangle, where the component has one.
    void ShowPicker();
    // The component's name, for the description a screen reader gives of the view.
    void SetComponentName(const QString& strName);

    // A message in the status line, until the next one or another component replaces it.
    void ShowMessage(const QString& strText);
    QString GetMessage() const { return m_labelMessage.text(); }

    const CSkinImageView& View() const { return m_wndImageView; }
    CSkinImageView& View() { return m_wndImageView; }

private:
    // One close-button image laid over the main image, and the colour that keys it.
    struct Overlay
    {
        const CDib* pImage;
        SkinColour transparent;
    };

    void OnDocumentChanged(SkinChanges what);
    void OnPickRectChanged(const RECT& rect);
    void OnPickRectNudged(const RECT& rect);
    // The status line: the pixel under the pointer, the component's rectangle, the zoom, and
    // a message.
    void ShowCursor(std::optional<QPoint> pixel);
    void ShowRect(const RECT* pRect);
    void ShowZoom(double dZoom);
    // The path field's file stands for the main image, not over it.
    bool IsPendingMain() const;
    // Hands the images over again: the only place the view decodes.
    void ShowImages();
    void ShowOverlays();
    void ShowSamples(SkinChanges what);
    void PlacePicker();
    void DescribeView();
    void UpdatePickerButton();

    QPointer<CSkinDocument> m_pDocument;
    int m_nComponent = COMPONENT_MAIN_WINDOW;
    const CDib* m_pPending = nullptr;
    bool m_bPending = false;
    std::vector<Overlay> m_overlays;
    QString m_strComponentName;

    QLabel m_labelImageView;
    QFrame m_wndViewLine;
    QPushButton m_btnPicker;
    QFrame m_wndViewFrame;
    CSkinImageView m_wndImageView;
    QLabel m_labelCursor;
    QLabel m_labelRect;
    QLabel m_labelZoom;
    CElidedLabel m_labelMessage;
    // A layout owns the layouts added to it: each child is declared after its parent.
    QGridLayout m_layout;
    QHBoxLayout m_layoutStatus;
};
