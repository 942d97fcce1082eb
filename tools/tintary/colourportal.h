#pragma once

#include <QColor>
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

class QDBusPendingCallWatcher;

// The desktop portal's screen colour picker (org.freedesktop.portal.Screenshot.PickColor) on the
// given bus. Everything is asynchronous: the caller's event loop keeps running, and its windows
// keep answering, while the portal shows its picker.
class CColourPortal : public QObject
{
    Q_OBJECT

public:
    explicit CColourPortal(const QDBusConnection& connection, QObject* pParent = nullptr);
    // A pick still running is closed, so the portal's picker does not outlive the chooser.
    ~CColourPortal() override;

    // Asks whether the portal is there and can pick colours; availabilityKnown answers, always
    // after this returns.
    void QueryAvailability();

    // Starts a pick; it ends with exactly one of colourPicked, pickCancelled and pickFailed.
    // parent_window is the portal's name of the window to stack the picker over ("" for none).
    // Returns false, and signals nothing, while another pick runs.
    bool PickColour(const QString& strParentWindow);
    bool IsPicking() const { return m_bPicking; }

signals:
    void availabilityKnown(bool bOffersPick);
    void colourPicked(const QColor& colour);
    void pickCancelled();
    void pickFailed(const QString& strMessage);

private slots:
    // A slot by signature, as QDBusConnection::connect needs.
    void OnResponse(uint nResponse, const QVariantMap& results);
    // Queued by name, so that the answer always comes after the call returns.
    void OnNoBusForQuery();
    void OnNoBusForPick();

private:
    void OnPickCallFinished(QDBusPendingCallWatcher* pWatcher, int nPick);
    void OnPortalGone();
    void ListenOn(const QString& strRequestPath);
    void StopListening();
    void EndPick();
    void Fail(const QString& strMessage);
    QString RequestPath(const QString& strToken) const;

    QDBusConnection m_connection;
    bool m_bPicking = false;
    int m_nPick = 0;          // counts picks, so an answer to an earlier one is ignored
    QString m_strRequestPath; // where the running pick's Response is listened for
};
