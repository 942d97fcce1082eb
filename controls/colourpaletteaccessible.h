#pragma once

#include <QAccessibleWidget>

#include <map>

class CColourPalettePopup;

// What a screen reader sees of the palette popup: a list whose items are its entries in reading
// order, the keyboard's entry focused and selected.
class CColourPaletteAccessible : public QAccessibleWidget
{
public:
    explicit CColourPaletteAccessible(CColourPalettePopup* pPopup);
    ~CColourPaletteAccessible() override;
    CColourPaletteAccessible(const CColourPaletteAccessible&) = delete;
    CColourPaletteAccessible& operator=(const CColourPaletteAccessible&) = delete;

    int childCount() const override;
    QAccessibleInterface* child(int nIndex) const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

private:
    CColourPalettePopup* Popup() const;

    // Entries are made when first asked for and registered with Qt, which hands them out by id;
    // they go with this interface.
    mutable std::map<int, QAccessible::Id> m_mapEntryIds;
};

// Makes Qt's accessibility use CColourPaletteAccessible for every palette popup; once is enough.
void InstallColourPaletteAccessibility();
