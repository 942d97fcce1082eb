#pragma once

#include "wintypes.h"

#include <QPointer>
#include <QPushButton>
#include <QString>

class CColourPalettePopup;

// A push button showing a colour swatch with a drop-down arrow; a click drops the colour palette
// down under it and the button takes the colour picked there. Every notification carries the
// colour and the button's control id. The height is fixed by the arrow size, whatever a layout
// asks for.
class CColourPicker : public QPushButton
{
    Q_OBJECT

public:
    explicit CColourPicker(QWidget* pParent = nullptr);
    ~CColourPicker() override;
    CColourPicker(const CColourPicker&) = delete;
    CColourPicker& operator=(const CColourPicker&) = delete;

    COLORREF GetColour() const { return m_crColour; }
    void SetColour(COLORREF crColour);
    void SetCaptionColour(COLORREF crColour);
    // An empty text leaves the automatic entry out of the palette.
    void SetAutoText(const QString& strText);
    // What a screen reader says of the colour: its palette name, or its hex code.
    QString ColourName() const;
    int GetDlgCtrlID() const { return m_nID; }
    void SetDlgCtrlID(int nID) { m_nID = nID; }

    RECT GetArrowRect() const { return m_rcArrow; }
    bool IsDroppedDown() const { return m_bDroppedDown; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The palette's hot entry changed; the swatch does not follow it.
    void colourChanged(COLORREF crColour, int nID);
    // The palette has just opened; carries the current colour.
    void dropDown(COLORREF crColour, int nID);
    // The palette ended, always just before colourOk or colourCancel.
    void closeUp(COLORREF crColour, int nID);
    // A colour was chosen, possibly CLR_DEFAULT (the automatic entry).
    void colourOk(COLORREF crColour, int nID);
    // The pick was cancelled; carries the colour from before the click.
    void colourCancel(COLORREF crColour, int nID);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    void AdjustSize();
    int ArrowSize() const;
    void OnClicked();
    void OnSelEndOK(COLORREF crColour);
    void OnSelEndCancel(COLORREF crColour);
    void OnSelChange(COLORREF crColour);
    void OnPopupDestroyed(QObject* pPopup);
    // Stops listening to the popup (it may outlive its result) and forgets it.
    void ForgetPopup();

    bool m_bDroppedDown = false;
    COLORREF m_crColour;
    COLORREF m_crCaption;
    RECT m_rcArrow;
    QString m_strAutoText;
    QString m_strMoreText;
    QPointer<CColourPalettePopup> m_pPopup;
    int m_nID = 0;
};
