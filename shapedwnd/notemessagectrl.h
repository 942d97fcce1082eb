#pragma once

#include "fontex.h"
#include "wintypes.h"

#include <QTextCharFormat>
#include <QTextEdit>

#include <memory>

class QPaintDevice;
class QSyntaxHighlighter;

// The character format a LOGFONT gives the message text: the face, italic and underline, bold
// only for weight 700 exactly, and the size in whole points at pDevice's logical DPI (12 points
// without a device). Strike-out is not carried over.
QTextCharFormat LogFontToCharFormat(const QPaintDevice* pDevice, const LOGFONT& lf);

// The message area of the note preview: editable plain text in one font, one text colour and one
// background colour. Web addresses are marked as links while typing; a left click on one leaves
// the caret alone and opens the address through the desktop.
class CNoteMessageCtrl : public QTextEdit
{
    Q_OBJECT

public:
    explicit CNoteMessageCtrl(QWidget* parent = nullptr);
    ~CNoteMessageCtrl() override;

    bool SetTextFont(const LOGFONT* pLogFont);
    bool SetTextColor(COLORREF cr);
    bool SetBackColor(COLORREF cr);
    // Distances between the edges and the text; (2, 2, 2, 2) until set.
    void SetMargins(const RECT& rcMargins);
    RECT GetMargins() const { return m_rcMargins; }

    // The address of the link under a point of the viewport, empty when there is none.
    QString LinkAt(QPoint ptViewport) const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QTextCharFormat BuildCharFormat() const;
    void SetCharFormatAll(const QTextCharFormat& cf);

    bool m_bLinkPressed = false;
    COLORREF m_crText = 0;
    COLORREF m_crBack = 0x00FFFFFF;
    LOGFONT m_lf = GetDefaultGuiFont();
    RECT m_rcMargins{2, 2, 2, 2};
    std::unique_ptr<QSyntaxHighlighter> m_pLinkMarker;
};
