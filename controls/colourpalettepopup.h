#pragma once

#include "wintypes.h"

#include <QFont>
#include <QString>
#include <QWidget>

#include <array>

// One entry of the fixed palette; the name, translated, is the box's tooltip and what a screen
// reader calls it.
struct PaletteColour
{
    COLORREF crColour;
    const char* szName;
};

inline constexpr int PALETTE_COLOUR_COUNT = 40;
extern const std::array<PaletteColour, PALETTE_COLOUR_COUNT> PaletteColours;

// The translated name of palette entry nBox, without the stray blanks of the table.
QString PaletteEntryName(int nBox);
// The palette name of a colour, or its "#rrggbb" code when the palette does not hold it.
QString PaletteColourName(COLORREF crColour);

// Boxes that are not colour boxes.
inline constexpr int BOX_NONE = -1;
inline constexpr int BOX_MORE = -2; // the custom entry
inline constexpr int BOX_AUTO = -3; // the automatic entry, standing for CLR_DEFAULT

// The borderless palette that drops down under a colour picker: an optional automatic entry, 40
// colour boxes in 8 columns and an optional custom entry that asks the prompt service for any
// colour. Follows the mouse and the arrow keys, ends with OK (release inside, Enter, Space) or
// cancel (release outside, Escape, the application losing activation, any other close), then
// deletes itself. An empty text leaves its entry out.
class CColourPalettePopup : public QWidget
{
    Q_OBJECT

public:
    // ptTopLeft in screen coordinates; the popup opens above pOwner instead when it would leave
    // the screen at the bottom. Call show() to open it.
    CColourPalettePopup(const QPoint& ptTopLeft, COLORREF crColour, QWidget* pOwner,
                        const QString& strAutoText, const QString& strMoreText);

    int HotBox() const { return m_nHotBox; }
    int ChosenBox() const { return m_nChosenBox; }
    int Rows() const { return m_nRows; }
    int Columns() const { return m_nColumns; }
    int Margin() const { return m_nMargin; }
    int BoxSize() const { return m_nBoxSize; }
    RECT AutoBoxRect() const { return m_rcAutoBox; }
    RECT MoreBoxRect() const { return m_rcMoreBox; }
    // The client rectangle of a colour box or an entry; false for any other index.
    bool GetBoxRect(int nBox, RECT& rc) const;
    // The boxes in reading order, as a screen reader lists them: the automatic entry, the colour
    // boxes, the custom entry; only the entries shown.
    int EntryCount() const;
    int BoxOfEntry(int nEntry) const;
    int EntryOfBox(int nBox) const;
    QString BoxName(int nBox) const;

signals:
    // The hot box changed: its colour, CLR_DEFAULT for the automatic entry, the initial colour
    // for the custom entry.
    void colourChanged(COLORREF crColour);
    // The pick ended; the popup is deleted right after. OK carries the chosen colour (possibly
    // CLR_DEFAULT), cancel the colour the popup opened with.
    void colourOk(COLORREF crColour);
    void colourCancel(COLORREF crColour);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    bool event(QEvent* pEvent) override;

private:
    enum class Finish
    {
        Ok,
        Cancel,
    };

    bool HasAuto() const { return !m_strAutoText.isEmpty(); }
    bool HasMore() const { return !m_strMoreText.isEmpty(); }
    void LayoutWindow(int nOwnerHeight);
    void SelectBoxForColour(COLORREF crColour);
    int RowOfBox(int nBox) const;
    int ColumnOfBox(int nBox) const;
    int BoxFromRowColumn(int nRow, int nColumn) const;
    int BoxAt(const QPoint& pt) const;
    int NextBoxForKey(int nKey) const;
    void MoveHotBox(int nBox);
    void FinishPick(Finish finish);
    void DrawBox(QPainter& painter, int nBox) const;
    void DrawEntry(QPainter& painter, int nBox) const;
    void DrawColourBox(QPainter& painter, int nBox) const;
    // Tells a screen reader which entry the keyboard is on now.
    void AnnounceHotBox();

    int m_nBoxCount = PALETTE_COLOUR_COUNT;
    int m_nColumns = 0;
    int m_nRows = 0;
    int m_nBoxSize = 18;
    int m_nMargin = 0;
    int m_nHotBox = BOX_NONE;
    int m_nChosenBox = BOX_NONE;
    QString m_strAutoText;
    QString m_strMoreText;
    RECT m_rcMoreBox;
    RECT m_rcAutoBox;
    RECT m_rcWindow;
    QFont m_font;
    COLORREF m_crInitial = 0;
    COLORREF m_crResult = 0;
    bool m_bFinished = false;
};
