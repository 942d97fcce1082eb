#include "dialogscreenpicker.h"

#include "colourportal.h"

#include <QBoxLayout>
#include <QColorDialog>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

// The layout that holds widget directly, searched from layout down.
QBoxLayout* BoxLayoutHolding(QLayout* pLayout, QWidget* pWidget)
{
    if (pLayout == nullptr) {
        return nullptr;
    }
    if (auto* const pBox = qobject_cast<QBoxLayout*>(pLayout);
        pBox && pBox->indexOf(pWidget) >= 0) {
        return pBox;
    }
    for (int n = 0; n < pLayout->count(); ++n) {
        if (QBoxLayout* const pFound = BoxLayoutHolding(pLayout->itemAt(n)->layout(), pWidget)) {
            return pFound;
        }
    }
    return nullptr;
}

} // namespace

CDialogScreenPicker::CDialogScreenPicker(QColorDialog* pDialog, const QDBusConnection& connection)
    : QObject(pDialog), m_pDialog(pDialog), m_pPortal(new CColourPortal(connection, this))
{
    connect(m_pPortal, &CColourPortal::availabilityKnown, this,
            &CDialogScreenPicker::OnPortalAvailability);
    connect(m_pPortal, &CColourPortal::colourPicked, this, &CDialogScreenPicker::OnColourPicked);
    connect(m_pPortal, &CColourPortal::pickCancelled, this, &CDialogScreenPicker::OnPickEnded);
    connect(m_pPortal, &CColourPortal::pickFailed, this, &CDialogScreenPicker::OnPickFailed);
}

QPushButton* CDialogScreenPicker::FindPickScreenButton(const QColorDialog& dialog)
{
    // Qt's own translation context, so the text matches in whatever language Qt speaks.
    const QString strText = QCoreApplication::translate("QColorDialog", "&Pick Screen Color");
    const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    const auto it = std::find_if(buttons.begin(), buttons.end(), [&](const QPushButton* pButton) {
        return pButton->text() == strText;
    });
    return it == buttons.end() ? nullptr : *it;
}

void CDialogScreenPicker::Start(const ScreenPickContext& context)
{
    m_context = context;
    m_context.bPortalOffersPick = false;
    m_pPickButton = FindPickScreenButton(*m_pDialog);
    if (ChooseScreenPickMethod(m_context) == ScreenPickMethod::QtGrab) {
        Choose(ScreenPickMethod::QtGrab);
        return;
    }
    if (m_pPickButton != nullptr) {
        // Qt's picker would grab a screen it cannot read; the button is ours from here on.
        disconnect(m_pPickButton, &QAbstractButton::clicked, nullptr, nullptr);
        connect(m_pPickButton, &QAbstractButton::clicked, this,
                &CDialogScreenPicker::OnPickClicked);
        m_pPickButton->setEnabled(false);
    }
    m_pPortal->QueryAvailability();
}

void CDialogScreenPicker::OnPortalAvailability(bool bOffersPick)
{
    m_context.bPortalOffersPick = bOffersPick;
    Choose(ChooseScreenPickMethod(m_context));
}

void CDialogScreenPicker::Choose(ScreenPickMethod method)
{
    m_method = method;
    if (m_pPickButton != nullptr) {
        if (method == ScreenPickMethod::Portal) {
            m_pPickButton->setEnabled(true);
        } else if (method == ScreenPickMethod::Unavailable) {
            const QString strWhy = tr("Picking a colour from the screen needs the desktop portal, "
                                      "which this session does not offer.");
            m_pPickButton->setEnabled(false);
            m_pPickButton->setToolTip(strWhy);
            ShowStatus(strWhy);
        }
    }
    emit methodChosen(method);
}

void CDialogScreenPicker::OnPickClicked()
{
    if (m_method != ScreenPickMethod::Portal || !m_pPortal->PickColour(ParentWindowName())) {
        return;
    }
    m_pPickButton->setEnabled(false);
    ShowStatus({});
}

void CDialogScreenPicker::OnColourPicked(const QColor& colour)
{
    m_pDialog->setCurrentColor(colour);
    OnPickEnded();
}

void CDialogScreenPicker::OnPickEnded()
{
    if (m_pPickButton != nullptr) {
        m_pPickButton->setEnabled(true);
    }
}

void CDialogScreenPicker::OnPickFailed(const QString& strMessage)
{
    OnPickEnded();
    ShowStatus(strMessage);
}

void CDialogScreenPicker::ShowStatus(const QString& strText)
{
    if (m_pStatus == nullptr) {
        if (strText.isEmpty()) {
            return;
        }
        m_pStatus = new QLabel(m_pDialog);
        m_pStatus->setWordWrap(true);
        // Beside the button it explains; at the foot of the dialog when that place is unknown.
        QBoxLayout* const pLayout =
            m_pPickButton ? BoxLayoutHolding(m_pDialog->layout(), m_pPickButton) : nullptr;
        if (pLayout != nullptr) {
            pLayout->insertWidget(pLayout->indexOf(m_pPickButton) + 1, m_pStatus);
        } else if (m_pDialog->layout() != nullptr) {
            m_pDialog->layout()->addWidget(m_pStatus);
        }
    }
    m_pStatus->setText(strText);
    m_pStatus->setVisible(!strText.isEmpty());
}

QString CDialogScreenPicker::ParentWindowName() const
{
    // The portal can stack its picker over an X11 window; a Wayland surface would need an
    // exported handle that Qt does not offer.
    if (m_context.strPlatform == QLatin1String("xcb")) {
        return QStringLiteral("x11:%1").arg(static_cast<qulonglong>(m_pDialog->winId()), 0, 16);
    }
    return {};
}
