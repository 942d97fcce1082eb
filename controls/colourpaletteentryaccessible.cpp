#include "colourpaletteentryaccessible.h"

#include "colourpalettepopup.h"
#include "qtconvert.h"

#include <QWidget>
#include <QWindow>

CColourPaletteEntryAccessible::CColourPaletteEntryAccessible(CColourPalettePopup* pPopup, int nBox)
    : m_pPopup(pPopup), m_nBox(nBox)
{
}

bool CColourPaletteEntryAccessible::isValid() const
{
    return m_pPopup != nullptr && m_pPopup->EntryOfBox(m_nBox) >= 0;
}

QObject* CColourPaletteEntryAccessible::object() const
{
    return nullptr;
}

QWindow* CColourPaletteEntryAccessible::window() const
{
    return m_pPopup != nullptr ? m_pPopup->windowHandle() : nullptr;
}

QAccessibleInterface* CColourPaletteEntryAccessible::parent() const
{
    return m_pPopup != nullptr ? QAccessible::queryAccessibleInterface(m_pPopup) : nullptr;
}

QAccessibleInterface* CColourPaletteEntryAccessible::child(int /*nIndex*/) const
{
    return nullptr;
}

int CColourPaletteEntryAccessible::childCount() const
{
    return 0;
}

int CColourPaletteEntryAccessible::indexOfChild(const QAccessibleInterface* /*pChild*/) const
{
    return -1;
}

QAccessibleInterface* CColourPaletteEntryAccessible::childAt(int /*x*/, int /*y*/) const
{
    return nullptr;
}

QAccessibleInterface* CColourPaletteEntryAccessible::focusChild() const
{
    return nullptr;
}

QString CColourPaletteEntryAccessible::text(QAccessible::Text t) const
{
    if (m_pPopup == nullptr || t != QAccessible::Name) {
        return {};
    }
    return m_pPopup->BoxName(m_nBox);
}

void CColourPaletteEntryAccessible::setText(QAccessible::Text /*t*/, const QString& /*strText*/) {}

QRect CColourPaletteEntryAccessible::rect() const
{
    RECT rc;
    if (m_pPopup == nullptr || !m_pPopup->GetBoxRect(m_nBox, rc)) {
        return {};
    }
    const QRect rcBox = toQRect(rc);
    return rcBox.translated(m_pPopup->mapToGlobal(QPoint(0, 0)));
}

QAccessible::Role CColourPaletteEntryAccessible::role() const
{
    return QAccessible::ListItem;
}

QAccessible::State CColourPaletteEntryAccessible::state() const
{
    QAccessible::State state;
    if (m_pPopup == nullptr) {
        state.invalid = true;
        return state;
    }
    const bool bHot = m_pPopup->HotBox() == m_nBox;
    state.focusable = true;
    state.selectable = true;
    state.selected = bHot;
    state.focused = bHot && m_pPopup->hasFocus();
    state.invisible = !m_pPopup->isVisible();
    return state;
}
