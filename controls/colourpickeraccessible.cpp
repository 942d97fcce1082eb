#include "colourpickeraccessible.h"

#include "colourpicker.h"

#include <memory>

namespace {

QAccessibleInterface* ColourPickerFactory(const QString& /*strClassName*/, QObject* pObject)
{
    auto* const pPicker = qobject_cast<CColourPicker*>(pObject);
    if (pPicker == nullptr) {
        return nullptr;
    }
    return std::make_unique<CColourPickerAccessible>(pPicker).release();
}

} // namespace

CColourPickerAccessible::CColourPickerAccessible(CColourPicker* pPicker)
    : QAccessibleWidget(pPicker, QAccessible::Button)
{
}

CColourPicker* CColourPickerAccessible::Picker() const
{
    return static_cast<CColourPicker*>(widget());
}

QString CColourPickerAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        if (QString strName = QAccessibleWidget::text(t); !strName.isEmpty()) {
            return strName;
        }
        return CColourPicker::tr("Colour");
    case QAccessible::Description:
        return Picker()->ColourName();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State CColourPickerAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.hasPopup = true;
    state.expandable = true;
    state.expanded = Picker()->IsDroppedDown();
    state.pressed = Picker()->isDown();
    return state;
}

QStringList CColourPickerAccessible::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void CColourPickerAccessible::doAction(const QString& strAction)
{
    if (strAction == pressAction()) {
        if (Picker()->isEnabled()) {
            Picker()->click();
        }
        return;
    }
    QAccessibleWidget::doAction(strAction);
}

void InstallColourPickerAccessibility()
{
    static const bool s_bInstalled = [] {
        QAccessible::installFactory(&ColourPickerFactory);
        return true;
    }();
    Q_UNUSED(s_bInstalled);
}
