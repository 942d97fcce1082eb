#pragma once

#include "screenpickmethod.h"

#include <QObject>

class CColourPortal;
class QColorDialog;
class QDBusConnection;
class QLabel;
class QPushButton;

// Gives a QColorDialog's "Pick Screen Color" button the way of picking that works in this
// session: Qt's own picker where Qt can read the screen, the desktop portal's picker elsewhere,
// and where neither works a disabled button with the reason beside it.
class CDialogScreenPicker : public QObject
{
    Q_OBJECT

public:
    // Belongs to the dialog; the portal, when needed, is asked on connection.
    CDialogScreenPicker(QColorDialog* pDialog, const QDBusConnection& connection);

    // Decides for context (whose portal field is ignored: the portal is asked here when the
    // decision depends on it). methodChosen tells when the decision is made.
    void Start(const ScreenPickContext& context);

    // Unavailable until methodChosen.
    ScreenPickMethod Method() const { return m_method; }

    // Qt's button, or null when this Qt's dialog has none that can be recognised.
    static QPushButton* FindPickScreenButton(const QColorDialog& dialog);

signals:
    void methodChosen(ScreenPickMethod method);

private:
    void OnPortalAvailability(bool bOffersPick);
    void OnPickClicked();
    void OnColourPicked(const QColor& colour);
    void OnPickEnded();
    void OnPickFailed(const QString& strMessage);
    void Choose(ScreenPickMethod method);
    void ShowStatus(const QString& strText);
    QString ParentWindowName() const;

    QColorDialog* m_pDialog;
    QPushButton* m_pPickButton = nullptr;
    QLabel* m_pStatus = nullptr;
    CColourPortal* m_pPortal;
    ScreenPickContext m_context;
    ScreenPickMethod m_method = ScreenPickMethod::Unavailable;
};
