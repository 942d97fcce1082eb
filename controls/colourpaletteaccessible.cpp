#include "colourpaletteaccessible.h"

#include "colourpaletteentryaccessible.h"
#include "colourpalettepopup.h"

#include <memory>

namespace {

QAccessibleInterface* ColourPaletteFactory(const QString& /*strClassName*/, QObject* pObject)
{
    auto* const pPopup = qobject_cast<CColourPalettePopup*>(pObject);
    if (pPopup == nullptr) {
        return nullptr;
    }
    return std::make_unique<CColourPaletteAccessible>(pPopup).release();
}

} // namespace

CColourPaletteAccessible::CColourPaletteAccessible(CColourPalettePopup* pPopup)
    : QAccessibleWidget(pPopup, QAccessible::List)
{
}

CColourPaletteAccessible::~CColourPaletteAccessible()
{
    for (const auto& [nBox, id] : m_mapEntryIds) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

CColourPalettePopup* CColourPaletteAccessible::Popup() const
{
    return static_cast<CColourPalettePopup*>(widget());
}

int CColourPaletteAccessible::childCount() const
{
    return Popup()->EntryCount();
}

QAccessibleInterface* CColourPaletteAccessible::child(int nIndex) const
{
    const int nBox = Popup()->BoxOfEntry(nIndex);
    if (nBox == BOX_NONE) {
        return nullptr;
    }
    if (const auto it = m_mapEntryIds.find(nBox); it != m_mapEntryIds.end()) {
        return QAccessible::accessibleInterface(it->second);
    }
    auto* const pEntry = std::make_unique<CColourPaletteEntryAccessible>(Popup(), nBox).release();
    m_mapEntryIds.emplace(nBox, QAccessible::registerAccessibleInterface(pEntry));
    return pEntry;
}

int CColourPaletteAccessible::indexOfChild(const QAccessibleInterface* pChild) const
{
    const auto* const pEntry = dynamic_cast<const CColourPaletteEntryAccessible*>(pChild);
    if (pEntry == nullptr || pEntry->parent() != this) {
        return -1;
    }
    return Popup()->EntryOfBox(pEntry->Box());
}

QAccessibleInterface* CColourPaletteAccessible::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface* const pChild = child(i);
        if (pChild != nullptr && pChild->rect().contains(x, y)) {
            return pChild;
        }
    }
    return nullptr;
}

QAccessibleInterface* CColourPaletteAccessible::focusChild() const
{
    const int nEntry = Popup()->EntryOfBox(Popup()->HotBox());
    return nEntry >= 0 ? child(nEntry) : nullptr;
}

void InstallColourPaletteAccessibility()
{
    static const bool s_bInstalled = [] {
        QAccessible::installFactory(&ColourPaletteFactory);
        return true;
    }();
    Q_UNUSED(s_bInstalled);
}
