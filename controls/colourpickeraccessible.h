#pragma once

#include <QAccessibleWidget>

class CColourPicker;

// What a screen reader sees of a colour picker: a button that drops a palette down, named by its
// label (the owner sets the accessible name) and described by the colour it shows.
class CColourPickerAccessible : public QAccessibleWidget
{
public:
    explicit CColourPickerAccessible(CColourPicker* pPicker);
    ~CColourPickerAccessible() override = default;
    CColourPickerAccessible(const CColourPickerAccessible&) = delete;
    CColourPickerAccessible& operator=(const CColourPickerAccessible&) = delete;

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& strAction) override;

private:
    CColourPicker* Picker() const;
};

// Makes Qt's accessibility use CColourPickerAccessible for every colour picker; once is enough.
void InstallColourPickerAccessibility();
