#include "colourpicker.h"

#include "colourpalettepopup.h"
#include "colourpickeraccessible.h"
#include "drawedge.h"
#include "metrics.h"
#include "qtconvert.h"
#include "syscolors.h"

#include <QAccessible>
#include <QPainter>

#include <algorithm>
#include <memory>

CColourPicker::CColourPicker(QWidget* pParent)
    : QPushButton(pParent), m_crColour(GetSysColor(COLOR_BTNFACE)),
      m_crCaption(GetSysColor(COLOR_BTNTEXT)), m_strAutoText(tr("Automatic")),
      m_strMoreText(tr("More..."))
{
    InstallColourPickerAccessibility();
    AdjustSize();
    connect(this, &QPushButton::clicked, this, &CColourPicker::OnClicked);
}

CColourPicker::~CColourPicker()
{
    // The popup is our child and goes with us; it must not report back to a half-destroyed button.
    ForgetPopup();
}

// Painted with the next paint of the window, once however many changes come before it.
void CColourPicker::SetColour(COLORREF crColour)
{
    if (crColour != m_crColour) {
        m_crColour = crColour;
        update();
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

QString CColourPicker::ColourName() const
{
    if (m_crColour == CLR_DEFAULT) {
        return m_strAutoText.isEmpty() ? tr("Automatic") : m_strAutoText;
    }
    return PaletteColourName(m_crColour);
}

void CColourPicker::SetCaptionColour(COLORREF crColour)
{
    if (crColour != m_crCaption) {
        m_crCaption = crColour;
        update();
    }
}

void CColourPicker::SetAutoText(const QString& strText)
{
    m_strAutoText = strText;
}

// The arrow area is a square sized like a scroll bar's arrow, at least five edges.
int CColourPicker::ArrowSize() const
{
    const int cx = GetSystemMetrics(SM_CXEDGE);
    const int cy = GetSystemMetrics(SM_CYEDGE);
    const int nArrowWidth = std::max(GetSystemMetrics(SM_CXHTHUMB), 5 * cx);
    const int nArrowHeight = std::max(GetSystemMetrics(SM_CYVTHUMB), 5 * cy);
    return std::max(nArrowWidth, nArrowHeight);
}

void CColourPicker::AdjustSize()
{
    const int s = ArrowSize();
    setFixedHeight(s + 2 * GetSystemMetrics(SM_CYEDGE));
    setMinimumWidth(2 * (s + GetSystemMetrics(SM_CXEDGE)));
    const int cx = GetSystemMetrics(SM_CXEDGE);
    const int cy = GetSystemMetrics(SM_CYEDGE);
    m_rcArrow = RECT{width() - s - cx, cy, width() - cx, height() - cy};
}

QSize CColourPicker::sizeHint() const
{
    const int s = ArrowSize();
    return {std::max(QPushButton::sizeHint().width(), 2 * (s + GetSystemMetrics(SM_CXEDGE))),
            s + 2 * GetSystemMetrics(SM_CYEDGE)};
}

QSize CColourPicker::minimumSizeHint() const
{
    return {2 * (ArrowSize() + GetSystemMetrics(SM_CXEDGE)),
            ArrowSize() + 2 * GetSystemMetrics(SM_CYEDGE)};
}

void CColourPicker::resizeEvent(QResizeEvent* pEvent)
{
    QPushButton::resizeEvent(pEvent);
    AdjustSize();
}

void CColourPicker::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const bool bSelected = isDown() || m_bDroppedDown;
    const bool bDisabled = !isEnabled();

    DrawScrollDownButton(painter, colours, m_rcArrow, bSelected, bDisabled);

    RECT rc = toRect(rect());
    DrawEdge(painter, colours, rc, EDGE_SUNKEN);
    rc = InflatedRect(rc, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    rc.right -= m_rcArrow.right - m_rcArrow.left;

    const bool bFace = bDisabled || m_crColour == CLR_DEFAULT;
    painter.fillRect(toQRect(rc),
                     bFace ? ChromeColour(colours, QPalette::Button) : toQColor(m_crColour));

    if (!text().isEmpty()) {
        const QRect rcText = toQRect(rc);
        const int nFlags = Qt::AlignCenter | Qt::TextSingleLine;
        if (bDisabled) {
            painter.setPen(ChromeColour(colours, QPalette::Light));
            painter.drawText(rcText.translated(1, 1), nFlags, text());
            painter.setPen(ChromeColour(colours, QPalette::Mid));
            painter.drawText(rcText, nFlags, text());
        } else {
            painter.setPen(m_crCaption == CLR_DEFAULT ? ChromeColour(colours, QPalette::ButtonText)
                                                      : toQColor(m_crCaption));
            painter.drawText(rcText, nFlags, text());
        }
    }

    if (hasFocus()) {
        DrawFocusFrame(painter, colours, toQRect(rc));
    }
}

void CColourPicker::OnClicked()
{
    m_bDroppedDown = true;
    repaint();
    const QPoint ptBottomLeft = mapToGlobal(QPoint(0, height()));
    // The popup deletes itself when it ends; we only watch it.
    m_pPopup = std::make_unique<CColourPalettePopup>(ptBottomLeft, GetColour(), this, m_strAutoText,
                                                     m_strMoreText)
                   .release();
    connect(m_pPopup, &CColourPalettePopup::colourOk, this, &CColourPicker::OnSelEndOK);
    connect(m_pPopup, &CColourPalettePopup::colourCancel, this, &CColourPicker::OnSelEndCancel);
    connect(m_pPopup, &CColourPalettePopup::colourChanged, this, &CColourPicker::OnSelChange);
    connect(m_pPopup, &QObject::destroyed, this, &CColourPicker::OnPopupDestroyed);
    m_pPopup->show();
    m_pPopup->setFocus();
    emit dropDown(GetColour(), m_nID);
    // A palette that did not open must not leave the button waiting for it.
    if (m_pPopup && !m_pPopup->isVisible()) {
        m_pPopup->deleteLater();
    }
}

void CColourPicker::ForgetPopup()
{
    // An ended popup may live on until its deferred deletion, even past this button: it must not
    // call back into us.
    if (m_pPopup) {
        m_pPopup->disconnect(this);
    }
    m_pPopup = nullptr;
}

void CColourPicker::OnSelEndOK(COLORREF crColour)
{
    m_bDroppedDown = false;
    SetColour(crColour);
    ForgetPopup();
    emit closeUp(crColour, m_nID);
    emit colourOk(crColour, m_nID);
}

void CColourPicker::OnSelEndCancel(COLORREF crColour)
{
    m_bDroppedDown = false;
    SetColour(crColour);
    ForgetPopup();
    emit closeUp(crColour, m_nID);
    emit colourCancel(crColour, m_nID);
}

void CColourPicker::OnSelChange(COLORREF crColour)
{
    emit colourChanged(crColour, m_nID);
}

// A palette that went away without a result closes up as cancelled.
void CColourPicker::OnPopupDestroyed(QObject* /*pPopup*/)
{
    // Half destroyed already: forget it without looking at it.
    m_pPopup = nullptr;
    if (m_bDroppedDown) {
        OnSelEndCancel(m_crColour);
    }
}
