#include "colourpalettepopup.h"

#include "accessiblename.h"
#include "colourpaletteaccessible.h"
#include "drawedge.h"
#include "metrics.h"
#include "promptservice.h"
#include "qtconvert.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include <algorithm>

const std::array<PaletteColour, PALETTE_COLOUR_COUNT> PaletteColours = {{
    {0x00000000, QT_TRANSLATE_NOOP("CColourPalettePopup", "Black")},
    {0x00002AA5, QT_TRANSLATE_NOOP("CColourPalettePopup", "Brown")},
    {0x00404000, QT_TRANSLATE_NOOP("CColourPalettePopup", "Dark Olive Green")},
    {0x00005500, QT_TRANSLATE_NOOP("CColourPalettePopup", "Dark Green")},
    {0x005E0000, QT_TRANSLATE_NOOP("CColourPalettePopup", "Dark Teal")},
    {0x008B0000, QT_TRANSLATE_NOOP("CColourPalettePopup", "Dark blue")},
    {0x0082004B, QT_TRANSLATE_NOOP("CColourPalettePopup", "Indigo")},
    {0x00282828, QT_TRANSLATE_NOOP("CColourPalettePopup", "Dark grey")},
    {0x0000008B, QT_TRANSLATE_NOOP("CColourPalettePopup", "Dark red")},
    {0x002068FF, QT_TRANSLATE_NOOP("CColourPalettePopup", "Orange")},
    {0x00008B8B, QT_TRANSLATE_NOOP("CColourPalettePopup", "Dark yellow")},
    {0x00009300, QT_TRANSLATE_NOOP("CColourPalettePopup", "Green")},
    {0x008E8E38, QT_TRANSLATE_NOOP("CColourPalettePopup", "Teal")},
    {0x00FF0000, QT_TRANSLATE_NOOP("CColourPalettePopup", "Blue")},
    {0x00C07B7B, QT_TRANSLATE_NOOP("CColourPalettePopup", "Blue-grey")},
    {0x00666666, QT_TRANSLATE_NOOP("CColourPalettePopup", "Grey - 40")},
    {0x000000FF, QT_TRANSLATE_NOOP("CColourPalettePopup", "Red")},
    {0x005BADFF, QT_TRANSLATE_NOOP("CColourPalettePopup", "Light orange")},
    {0x0032CD32, QT_TRANSLATE_NOOP("CColourPalettePopup", "Lime")},
    {0x0071B33C, QT_TRANSLATE_NOOP("CColourPalettePopup", "Sea green")},
    {0x00D4FF7F, QT_TRANSLATE_NOOP("CColourPalettePopup", "Aqua")},
    {0x00C09E7D, QT_TRANSLATE_NOOP("CColourPalettePopup", "Light blue")},
    {0x00800080, QT_TRANSLATE_NOOP("CColourPalettePopup", "Violet")},
    {0x007F7F7F, QT_TRANSLATE_NOOP("CColourPalettePopup", "Grey - 50")},
    {0x00CBC0FF, QT_TRANSLATE_NOOP("CColourPalettePopup", "Pink")},
    {0x0000D7FF, QT_TRANSLATE_NOOP("CColourPalettePopup", "Gold")},
    {0x0000FFFF, QT_TRANSLATE_NOOP("CColourPalettePopup", "Yellow")},
    {0x0000FF00, QT_TRANSLATE_NOOP("CColourPalettePopup", "Bright green")},
    {0x00D0E040, QT_TRANSLATE_NOOP("CColourPalettePopup", "Turquoise")},
    {0x00FFFFC0, QT_TRANSLATE_NOOP("CColourPalettePopup", "Skyblue")},
    {0x00480048, QT_TRANSLATE_NOOP("CColourPalettePopup", "Plum")},
    {0x00C0C0C0, QT_TRANSLATE_NOOP("CColourPalettePopup", "Light grey")},
    {0x00E1E4FF, QT_TRANSLATE_NOOP("CColourPalettePopup", "Rose")},
    {0x008CB4D2, QT_TRANSLATE_NOOP("CColourPalettePopup", "Tan")},
    {0x00E0FFFF, QT_TRANSLATE_NOOP("CColourPalettePopup", "Light yellow")},
    {0x0098FB98, QT_TRANSLATE_NOOP("CColourPalettePopup", "Pale green ")},
    {0x00EEEEAF, QT_TRANSLATE_NOOP("CColourPalettePopup", "Pale turquoise")},
    {0x008B8368, QT_TRANSLATE_NOOP("CColourPalettePopup", "Pale blue")},
    {0x00FAE6E6, QT_TRANSLATE_NOOP("CColourPalettePopup", "Lavender")},
    {0x00FFFFFF, QT_TRANSLATE_NOOP("CColourPalettePopup", "White")},
}};

namespace {

int Width(const RECT& rc)
{
    return rc.right - rc.left;
}

int Height(const RECT& rc)
{
    return rc.bottom - rc.top;
}

bool PtInRect(const RECT& rc, const QPoint& pt)
{
    return pt.x() >= rc.left && pt.x() < rc.right && pt.y() >= rc.top && pt.y() < rc.bottom;
}

} // namespace

QString PaletteEntryName(int nBox)
{
    if (nBox < 0 || nBox >= PALETTE_COLOUR_COUNT) {
        return {};
    }
    return QCoreApplication::translate("CColourPalettePopup",
                                       PaletteColours[static_cast<std::size_t>(nBox)].szName)
        .trimmed();
}

QString PaletteColourName(COLORREF crColour)
{
    const auto it =
        std::find_if(PaletteColours.begin(), PaletteColours.end(),
                     [crColour](const PaletteColour& entry) { return entry.crColour == crColour; });
    if (it != PaletteColours.end()) {
        return PaletteEntryName(static_cast<int>(it - PaletteColours.begin()));
    }
    return toQColor(crColour).name();
}

CColourPalettePopup::CColourPalettePopup(const QPoint& ptTopLeft, COLORREF crColour,
                                         QWidget* pOwner, const QString& strAutoText,
                                         const QString& strMoreText)
    : QWidget(pOwner, Qt::Popup | Qt::FramelessWindowHint), m_nMargin(GetSystemMetrics(SM_CXEDGE)),
      m_strAutoText(strAutoText), m_strMoreText(strMoreText),
      m_font(QApplication::font("QMessageBox")), m_crInitial(crColour), m_crResult(crColour)
{
    // Keep the colour square at least 5 pixels whatever the edge metric.
    if (m_nBoxSize - 2 * m_nMargin - 2 < 5) {
        m_nBoxSize = 2 * m_nMargin + 7;
    }
    InstallColourPaletteAccessibility();
    // A window takes the application's palette unless told to take its owner's: a themed picker
    // drops a popup of the same theme.
    setAttribute(Qt::WA_WindowPropagation);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(tr("Colours"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFont(m_font);
    move(ptTopLeft);
    LayoutWindow(pOwner != nullptr ? pOwner->height() : 0);
    SelectBoxForColour(m_crInitial);
    // The keyboard starts from the current colour, so the arrows move from what the button shows.
    if (m_nChosenBox >= 0) {
        m_nHotBox = m_nChosenBox;
    }
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive) {
                    FinishPick(Finish::Cancel);
                }
            });
}

void CColourPalettePopup::LayoutWindow(int nOwnerHeight)
{
    const int m = m_nMargin;
    const int B = m_nBoxSize;
    int nTextWidth = 0;
    int nTextHeight = 0;
    if (HasAuto() || HasMore()) {
        const QFontMetrics metrics(m_font);
        int tx = 0;
        int ty = 0;
        for (const QString* pText : {&m_strMoreText, &m_strAutoText}) {
            if (!pText->isEmpty()) {
                tx = std::max(tx, metrics.horizontalAdvance(*pText));
                ty = std::max(ty, metrics.height());
            }
        }
        nTextWidth = tx + 2 * m;
        nTextHeight = ty + 4 * m + 2;
    }

    m_nColumns = 8;
    m_nRows = m_nBoxCount / m_nColumns + (m_nBoxCount % m_nColumns != 0 ? 1 : 0);

    const QPoint ptTopLeft = pos();
    m_rcWindow = RECT{ptTopLeft.x(), ptTopLeft.y(), ptTopLeft.x() + m_nColumns * B + 2 * m,
                      ptTopLeft.y() + m_nRows * B + 2 * m};
    if (HasAuto()) {
        m_rcWindow.right = std::max(m_rcWindow.right, m_rcWindow.left + nTextWidth);
        m_rcAutoBox = RECT{m, m, Width(m_rcWindow) - m, nTextHeight + 2 * m};
        m_rcWindow.bottom += nTextHeight + 3 * m;
    }
    if (HasMore()) {
        m_rcWindow.right = std::max(m_rcWindow.right, m_rcWindow.left + nTextWidth);
        const int H = Height(m_rcWindow);
        m_rcMoreBox = RECT{m, H, Width(m_rcWindow) - m, H + m + nTextHeight};
        m_rcWindow.bottom += nTextHeight + 3 * m;
    }

    const QScreen* pScreen = QGuiApplication::screenAt(ptTopLeft);
    if (pScreen == nullptr) {
        pScreen = QGuiApplication::primaryScreen();
    }
    if (pScreen != nullptr) {
        const QRect rcScreen = pScreen->geometry();
        const int nScreenRight = rcScreen.x() + rcScreen.width();
        const int nScreenBottom = rcScreen.y() + rcScreen.height();
        if (m_rcWindow.right > nScreenRight) {
            m_rcWindow = OffsetRect(m_rcWindow, nScreenRight - m_rcWindow.right, 0);
        }
        if (m_rcWindow.left < rcScreen.x()) {
            m_rcWindow = OffsetRect(m_rcWindow, rcScreen.x() - m_rcWindow.left, 0);
        }
        if (m_rcWindow.bottom > nScreenBottom) {
            m_rcWindow = OffsetRect(m_rcWindow, 0, -(Height(m_rcWindow) + nOwnerHeight));
        }
    }
    setGeometry(toQRect(m_rcWindow));
}

void CColourPalettePopup::SelectBoxForColour(COLORREF crColour)
{
    if (crColour == CLR_DEFAULT && HasAuto()) {
        m_nChosenBox = BOX_AUTO;
        return;
    }
    const auto it =
        std::find_if(PaletteColours.begin(), PaletteColours.end(),
                     [crColour](const PaletteColour& entry) { return entry.crColour == crColour; });
    if (it != PaletteColours.end()) {
        m_nChosenBox = static_cast<int>(it - PaletteColours.begin());
    } else {
        m_nChosenBox = HasMore() ? BOX_MORE : BOX_NONE;
    }
}

int CColourPalettePopup::RowOfBox(int nBox) const
{
    if (nBox == BOX_MORE) {
        return HasMore() ? BOX_MORE : -1;
    }
    if (nBox == BOX_AUTO) {
        return HasAuto() ? BOX_AUTO : -1;
    }
    return nBox >= 0 && nBox < m_nBoxCount ? nBox / m_nColumns : -1;
}

int CColourPalettePopup::ColumnOfBox(int nBox) const
{
    if (nBox == BOX_MORE) {
        return HasMore() ? BOX_MORE : -1;
    }
    if (nBox == BOX_AUTO) {
        return HasAuto() ? BOX_AUTO : -1;
    }
    return nBox >= 0 && nBox < m_nBoxCount ? nBox % m_nColumns : -1;
}

int CColourPalettePopup::BoxFromRowColumn(int nRow, int nColumn) const
{
    if ((nRow == BOX_MORE || nColumn == BOX_MORE) && HasMore()) {
        return BOX_MORE;
    }
    if ((nRow == BOX_AUTO || nColumn == BOX_AUTO) && HasAuto()) {
        return BOX_AUTO;
    }
    if (nRow >= 0 && nRow < m_nRows && nColumn >= 0 && nColumn < m_nColumns) {
        const int nBox = nRow * m_nColumns + nColumn;
        if (nBox < m_nBoxCount) {
            return nBox;
        }
    }
    return BOX_NONE;
}

int CColourPalettePopup::EntryCount() const
{
    return m_nBoxCount + (HasAuto() ? 1 : 0) + (HasMore() ? 1 : 0);
}

int CColourPalettePopup::BoxOfEntry(int nEntry) const
{
    if (HasAuto()) {
        if (nEntry == 0) {
            return BOX_AUTO;
        }
        --nEntry;
    }
    if (nEntry >= 0 && nEntry < m_nBoxCount) {
        return nEntry;
    }
    return nEntry == m_nBoxCount && HasMore() ? BOX_MORE : BOX_NONE;
}

int CColourPalettePopup::EntryOfBox(int nBox) const
{
    const int nFirst = HasAuto() ? 1 : 0;
    if (nBox == BOX_AUTO) {
        return HasAuto() ? 0 : -1;
    }
    if (nBox == BOX_MORE) {
        return HasMore() ? nFirst + m_nBoxCount : -1;
    }
    return nBox >= 0 && nBox < m_nBoxCount ? nFirst + nBox : -1;
}

QString CColourPalettePopup::BoxName(int nBox) const
{
    if (nBox == BOX_AUTO) {
        return AccessibleNameFromLabel(m_strAutoText);
    }
    if (nBox == BOX_MORE) {
        return AccessibleNameFromLabel(m_strMoreText);
    }
    return PaletteEntryName(nBox);
}

bool CColourPalettePopup::GetBoxRect(int nBox, RECT& rc) const
{
    if (nBox == BOX_MORE) {
        rc = m_rcMoreBox;
        return true;
    }
    if (nBox == BOX_AUTO) {
        rc = m_rcAutoBox;
        return true;
    }
    if (nBox < 0 || nBox >= m_nBoxCount) {
        return false;
    }
    rc.left = ColumnOfBox(nBox) * m_nBoxSize + m_nMargin;
    rc.top = RowOfBox(nBox) * m_nBoxSize + m_nMargin;
    if (HasAuto()) {
        rc.top += Height(m_rcAutoBox) + m_nMargin;
    }
    rc.right = rc.left + m_nBoxSize;
    rc.bottom = rc.top + m_nBoxSize;
    return true;
}

// The box the mouse points at, or BOX_NONE. Division truncates toward zero, so points just above
// or left of the grid still count as its first row or column.
int CColourPalettePopup::BoxAt(const QPoint& ptClient) const
{
    QPoint pt = ptClient - QPoint(m_nMargin, m_nMargin);
    if (HasMore() && PtInRect(m_rcMoreBox, pt)) {
        return BOX_MORE;
    }
    if (HasAuto() && PtInRect(m_rcAutoBox, pt)) {
        return BOX_AUTO;
    }
    if (HasAuto()) {
        pt.ry() -= Height(m_rcAutoBox);
    }
    const int nBox = BoxFromRowColumn(pt.y() / m_nBoxSize, pt.x() / m_nBoxSize);
    return nBox >= 0 && nBox < m_nBoxCount ? nBox : BOX_NONE;
}

// Left and right run through a ring (automatic entry, the boxes row by row, custom entry); up
// and down stay in a column and leave the grid to the entries.
int CColourPalettePopup::NextBoxForKey(int nKey) const
{
    const int nLast = m_nBoxCount - 1;
    const int nAfterGrid = HasMore() ? BOX_MORE : (HasAuto() ? BOX_AUTO : 0);
    const int nBeforeGrid = HasAuto() ? BOX_AUTO : (HasMore() ? BOX_MORE : nLast);
    const int nAutoOrFirst = HasAuto() ? BOX_AUTO : 0;
    const int nMoreOrLast = HasMore() ? BOX_MORE : nLast;
    const bool bForward = nKey == Qt::Key_Down || nKey == Qt::Key_Right;

    if (m_nHotBox == BOX_AUTO) {
        return bForward ? 0 : nMoreOrLast;
    }
    if (m_nHotBox == BOX_MORE) {
        return bForward ? nAutoOrFirst : nLast;
    }
    const int nRow = RowOfBox(m_nHotBox);
    const int nColumn = ColumnOfBox(m_nHotBox);
    int nBox = BOX_NONE;
    switch (nKey) {
    case Qt::Key_Down:
        nBox = BoxFromRowColumn(nRow + 1, nColumn);
        return nBox >= 0 ? nBox : nAfterGrid;
    case Qt::Key_Up:
        return nRow > 0 ? BoxFromRowColumn(nRow - 1, nColumn) : nBeforeGrid;
    case Qt::Key_Right:
        nBox = nColumn < m_nColumns - 1 ? BoxFromRowColumn(nRow, nColumn + 1)
                                        : BoxFromRowColumn(nRow + 1, 0);
        return nBox >= 0 ? nBox : nAfterGrid;
    default: // Qt::Key_Left
        if (nColumn > 0) {
            return BoxFromRowColumn(nRow, nColumn - 1);
        }
        return nRow > 0 ? BoxFromRowColumn(nRow - 1, m_nColumns - 1) : nBeforeGrid;
    }
}

void CColourPalettePopup::MoveHotBox(int nBox)
{
    if (nBox > m_nBoxCount) {
        nBox = BOX_MORE;
    }
    RECT rc;
    if (GetBoxRect(m_nHotBox, rc)) {
        update(toQRect(rc));
    }
    m_nHotBox = nBox;
    if (GetBoxRect(m_nHotBox, rc)) {
        update(toQRect(rc));
    }

    AnnounceHotBox();
    if (nBox == BOX_MORE) {
        emit colourChanged(m_crInitial);
    } else if (nBox == BOX_AUTO) {
        m_crResult = CLR_DEFAULT;
        emit colourChanged(CLR_DEFAULT);
    } else if (nBox >= 0 && nBox < m_nBoxCount) {
        m_crResult = PaletteColours[static_cast<std::size_t>(nBox)].crColour;
        emit colourChanged(m_crResult);
    }
}

void CColourPalettePopup::AnnounceHotBox()
{
    const int nEntry = EntryOfBox(m_nHotBox);
    if (nEntry < 0 || !QAccessible::isActive()) {
        return;
    }
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(nEntry);
    QAccessible::updateAccessibility(&focus);
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(nEntry);
    QAccessible::updateAccessibility(&selection);
}

// A screen reader learns where the keyboard is when the popup takes the focus.
void CColourPalettePopup::focusInEvent(QFocusEvent* pEvent)
{
    QWidget::focusInEvent(pEvent);
    AnnounceHotBox();
}

void CColourPalettePopup::FinishPick(Finish finish)
{
    if (m_bFinished) {
        return;
    }
    m_bFinished = true;
    // Out of the way before the colour dialog opens, as the captured mouse was released.
    hide();
    if (finish == Finish::Ok && m_nHotBox == BOX_MORE) {
        const std::optional<COLORREF> crChosen = Prompts().ChooseColour(m_crInitial);
        if (crChosen) {
            m_crResult = *crChosen;
        } else {
            finish = Finish::Cancel;
        }
    }
    if (finish == Finish::Cancel) {
        m_crResult = m_crInitial;
        emit colourCancel(m_crResult);
    } else {
        emit colourOk(m_crResult);
    }
    deleteLater();
}

void CColourPalettePopup::mouseMoveEvent(QMouseEvent* pEvent)
{
    const int nBox = BoxAt(pEvent->position().toPoint());
    if (nBox != BOX_NONE && nBox != m_nHotBox) {
        MoveHotBox(nBox);
    }
    QWidget::mouseMoveEvent(pEvent);
}

void CColourPalettePopup::mousePressEvent(QMouseEvent* pEvent)
{
    // A popup closes on a press outside by default; here the release decides.
    pEvent->accept();
}

void CColourPalettePopup::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton) {
        return;
    }
    const bool bInside = rect().contains(pEvent->position().toPoint());
    FinishPick(bInside ? Finish::Ok : Finish::Cancel);
}

void CColourPalettePopup::keyPressEvent(QKeyEvent* pEvent)
{
    switch (pEvent->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        FinishPick(Finish::Ok);
        return;
    case Qt::Key_Escape:
        FinishPick(Finish::Cancel);
        return;
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Left:
        MoveHotBox(NextBoxForKey(pEvent->key()));
        return;
    default:
        QWidget::keyPressEvent(pEvent);
    }
}

void CColourPalettePopup::closeEvent(QCloseEvent* pEvent)
{
    // Closed from outside (another popup, the window system): a cancel.
    FinishPick(Finish::Cancel);
    QWidget::closeEvent(pEvent);
}

bool CColourPalettePopup::event(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::ToolTip) {
        const auto* pHelp = static_cast<QHelpEvent*>(pEvent);
        for (int nBox = 0; nBox < m_nBoxCount; ++nBox) {
            RECT rc;
            if (GetBoxRect(nBox, rc) && PtInRect(rc, pHelp->pos())) {
                QToolTip::showText(pHelp->globalPos(), PaletteEntryName(nBox), this, toQRect(rc));
                return true;
            }
        }
        QToolTip::hideText();
        pEvent->ignore();
        return true;
    }
    return QWidget::event(pEvent);
}

void CColourPalettePopup::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), ChromeColour(palette(), QPalette::Button));
    painter.setFont(m_font);
    if (HasAuto()) {
        DrawBox(painter, BOX_AUTO);
    }
    for (int nBox = 0; nBox < m_nBoxCount; ++nBox) {
        DrawBox(painter, nBox);
    }
    if (HasMore()) {
        DrawBox(painter, BOX_MORE);
    }
    DrawEdge(painter, palette(), toRect(rect()), EDGE_RAISED);
}

void CColourPalettePopup::DrawBox(QPainter& painter, int nBox) const
{
    if (nBox == BOX_MORE || nBox == BOX_AUTO) {
        DrawEntry(painter, nBox);
    } else {
        DrawColourBox(painter, nBox);
    }
}

// The two text entries: a recessed face when chosen, the focus frame while hot.
void CColourPalettePopup::DrawEntry(QPainter& painter, int nBox) const
{
    const QPalette& colours = palette();
    const int m = m_nMargin;
    const bool bHot = nBox == m_nHotBox;
    const bool bChosen = nBox == m_nChosenBox;
    const QPalette::ColorRole face = bChosen && !bHot ? QPalette::Midlight : QPalette::Button;
    RECT rc;
    if (nBox == BOX_MORE) {
        rc = m_rcMoreBox;
        rc.top += 2 * m;
        FillChrome(painter, colours, rc, QPalette::Button);
        const int nLeft = m_rcMoreBox.left + 2 * m;
        const int nRight = nLeft + Width(m_rcMoreBox) - 4 * m - 1;
        painter.setPen(ChromeColour(colours, QPalette::Mid));
        painter.drawLine(nLeft, m_rcMoreBox.top, nRight, m_rcMoreBox.top);
        painter.setPen(ChromeColour(colours, QPalette::Light));
        painter.drawLine(nLeft, m_rcMoreBox.top + 1, nRight, m_rcMoreBox.top + 1);
        rc = InflatedRect(rc, -1, -1);
        FillChrome(painter, colours, rc, face);
    } else {
        FillChrome(painter, colours, m_rcAutoBox, QPalette::Button);
        rc = InflatedRect(m_rcAutoBox, -1, -1);
        FillChrome(painter, colours, rc, face);
        const RECT rcOutline = InflatedRect(rc, -2 * m, -2 * m);
        painter.setPen(ChromeColour(colours, QPalette::Mid));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(
            QRect(rcOutline.left, rcOutline.top, Width(rcOutline) - 1, Height(rcOutline) - 1));
    }
    if (bHot) {
        DrawFocusFrame(painter, colours, toQRect(rc));
    } else if (bChosen) {
        DrawEdge(painter, colours, rc, BDR_SUNKENOUTER);
    }
    painter.setPen(ChromeColour(colours, QPalette::ButtonText));
    painter.drawText(toQRect(rc), Qt::AlignCenter | Qt::TextSingleLine,
                     nBox == BOX_MORE ? m_strMoreText : m_strAutoText);
}

// A hot box wears the focus frame, the chosen one is recessed on a lighter face.
void CColourPalettePopup::DrawColourBox(QPainter& painter, int nBox) const
{
    RECT rc;
    if (!GetBoxRect(nBox, rc)) {
        return;
    }
    const QPalette& colours = palette();
    const bool bHot = nBox == m_nHotBox;
    const bool bChosen = nBox == m_nChosenBox;
    FillChrome(painter, colours, rc, bChosen && !bHot ? QPalette::Light : QPalette::Button);
    if (bHot) {
        DrawFocusFrame(painter, colours, toQRect(rc));
    } else if (bChosen) {
        DrawEdge(painter, colours, rc, BDR_SUNKENOUTER);
    }
    const RECT rcSwatch = InflatedRect(rc, -(m_nMargin + 1), -(m_nMargin + 1));
    painter.setPen(ChromeColour(colours, QPalette::Mid));
    painter.setBrush(toQColor(PaletteColours[static_cast<std::size_t>(nBox)].crColour));
    painter.drawRect(QRect(rcSwatch.left, rcSwatch.top, Width(rcSwatch) - 1, Height(rcSwatch) - 1));
}
