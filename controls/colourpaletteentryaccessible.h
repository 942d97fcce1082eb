#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class CColourPalettePopup;

// One entry of the palette popup for a screen reader: a list item named after its colour (or its
// text), focused and selected while the keyboard is on it. It has no object of its own.
class CColourPaletteEntryAccessible : public QAccessibleInterface
{
public:
    CColourPaletteEntryAccessible(CColourPalettePopup* pPopup, int nBox);

    int Box() const { return m_nBox; }

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int nIndex) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* pChild) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& strText) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

private:
    QPointer<CColourPalettePopup> m_pPopup;
    int m_nBox;
};
