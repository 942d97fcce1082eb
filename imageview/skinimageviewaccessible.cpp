#include "skinimageviewaccessible.h"

#include "skinimageview.h"

#include <memory>

namespace {

QAccessibleInterface* SkinImageViewFactory(const QString& /*strClassName*/, QObject* pObject)
{
    auto* const pView = qobject_cast<CSkinImageView*>(pObject);
    if (pView == nullptr) {
        return nullptr;
    }
    return std::make_unique<CSkinImageViewAccessible>(pView).release();
}

} // namespace

CSkinImageViewAccessible::CSkinImageViewAccessible(CSkinImageView* pView)
    : QAccessibleWidget(pView, QAccessible::Canvas)
{
}

// A name cleared by mistake still leaves the view a name.
QString CSkinImageViewAccessible::text(QAccessible::Text t) const
{
    QString strText = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && strText.isEmpty()) {
        strText = CSkinImageView::tr("Image view");
    }
    return strText;
}

void InstallSkinImageViewAccessibility()
{
    static const bool s_bInstalled = [] {
        QAccessible::installFactory(&SkinImageViewFactory);
        return true;
    }();
    Q_UNUSED(s_bInstalled);
}
