#include "colourportal.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr QLatin1String kService("org.freedesktop.portal.Desktop");
constexpr QLatin1String kObjectPath("/org/freedesktop/portal/desktop");
constexpr QLatin1String kScreenshotInterface("org.freedesktop.portal.Screenshot");
constexpr QLatin1String kRequestInterface("org.freedesktop.portal.Request");

// PickColor came with version 2 of the Screenshot interface.
constexpr uint kFirstVersionWithPickColor = 2;

enum PortalResponse : uint
{
    kResponseSuccess = 0,
    kResponseCancelled = 1,
};

std::optional<int> ToChannel(double fValue)
{
    if (!std::isfinite(fValue)) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(std::clamp(fValue, 0.0, 1.0) * 255.0));
}

// results["color"] is a (ddd) structure of red, green and blue from 0 to 1.
std::optional<QColor> ColourFromResults(const QVariantMap& results)
{
    const QVariant value = results.value(QStringLiteral("color"));
    if (value.metaType() != QMetaType::fromType<QDBusArgument>()) {
        return std::nullopt;
    }
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)")) {
        return std::nullopt;
    }
    double fRed = 0;
    double fGreen = 0;
    double fBlue = 0;
    argument.beginStructure();
    argument >> fRed >> fGreen >> fBlue;
    argument.endStructure();
    const std::optional<int> nRed = ToChannel(fRed);
    const std::optional<int> nGreen = ToChannel(fGreen);
    const std::optional<int> nBlue = ToChannel(fBlue);
    if (!nRed || !nGreen || !nBlue) {
        return std::nullopt;
    }
    return QColor(*nRed, *nGreen, *nBlue);
}

} // namespace

CColourPortal::CColourPortal(const QDBusConnection& connection, QObject* pParent)
    : QObject(pParent), m_connection(connection)
{
    // A portal that stops mid-pick never answers; without this the pick would wait for ever.
    auto* const pWatcher = new QDBusServiceWatcher(
        kService, m_connection, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(pWatcher, &QDBusServiceWatcher::serviceUnregistered, this,
            &CColourPortal::OnPortalGone);
}

CColourPortal::~CColourPortal()
{
    if (m_bPicking && !m_strRequestPath.isEmpty()) {
        m_connection.send(QDBusMessage::createMethodCall(
            kService, m_strRequestPath, kRequestInterface, QStringLiteral("Close")));
    }
}

void CColourPortal::QueryAvailability()
{
    if (!m_connection.isConnected()) {
        // A call on no bus neither answers nor fails.
        QMetaObject::invokeMethod(this, "OnNoBusForQuery", Qt::QueuedConnection);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    call << kScreenshotInterface << QStringLiteral("version");
    // Asking also starts an activatable portal; a missing one answers with an error.
    auto* const pWatcher = new QDBusPendingCallWatcher(m_connection.asyncCall(call), this);
    connect(pWatcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* pFinished) {
                pFinished->deleteLater();
                const QDBusPendingReply<QDBusVariant> reply = *pFinished;
                bool bOk = false;
                const uint nVersion = reply.isError() ? 0 : reply.value().variant().toUInt(&bOk);
                emit availabilityKnown(bOk && nVersion >= kFirstVersionWithPickColor);
            });
}

bool CColourPortal::PickColour(const QString& strParentWindow)
{
    if (m_bPicking) {
        return false;
    }
    m_bPicking = true;
    const int nPick = ++m_nPick;
    if (!m_connection.isConnected()) {
        QMetaObject::invokeMethod(this, "OnNoBusForPick", Qt::QueuedConnection);
        return true;
    }
    // The portal may answer before PickColor's reply arrives, so listen first, on the path
    // that the token makes predictable.
    const QString strToken = QStringLiteral("tintary%1").arg(nPick);
    ListenOn(RequestPath(strToken));

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kObjectPath, kScreenshotInterface,
                                                       QStringLiteral("PickColor"));
    call << strParentWindow << QVariantMap{{QStringLiteral("handle_token"), strToken}};
    auto* const pWatcher = new QDBusPendingCallWatcher(m_connection.asyncCall(call), this);
    connect(pWatcher, &QDBusPendingCallWatcher::finished, this,
            [this, nPick](QDBusPendingCallWatcher* pFinished) {
                OnPickCallFinished(pFinished, nPick);
            });
    return true;
}

void CColourPortal::OnPickCallFinished(QDBusPendingCallWatcher* pWatcher, int nPick)
{
    pWatcher->deleteLater();
    if (!m_bPicking || nPick != m_nPick) {
        return;
    }
    const QDBusPendingReply<QDBusObjectPath> reply = *pWatcher;
    if (reply.isError()) {
        Fail(tr("The desktop portal refused the pick: %1").arg(reply.error().message()));
        return;
    }
    // Older portals choose the request path themselves.
    const QString strHandle = reply.value().path();
    if (strHandle != m_strRequestPath) {
        StopListening();
        ListenOn(strHandle);
    }
}

void CColourPortal::OnResponse(uint nResponse, const QVariantMap& results)
{
    if (!m_bPicking) {
        return;
    }
    EndPick();
    switch (nResponse) {
    case kResponseSuccess:
        if (const std::optional<QColor> colour = ColourFromResults(results)) {
            emit colourPicked(*colour);
        } else {
            emit pickFailed(tr("The desktop portal answered without a usable colour."));
        }
        break;
    case kResponseCancelled:
        emit pickCancelled();
        break;
    default:
        emit pickFailed(tr("The desktop portal ended the pick without a colour."));
        break;
    }
}

void CColourPortal::OnNoBusForQuery()
{
    emit availabilityKnown(false);
}

void CColourPortal::OnNoBusForPick()
{
    Fail(tr("There is no session bus to reach the desktop portal."));
}

void CColourPortal::OnPortalGone()
{
    if (m_bPicking) {
        Fail(tr("The desktop portal stopped before it answered."));
    }
}

void CColourPortal::ListenOn(const QString& strRequestPath)
{
    m_strRequestPath = strRequestPath;
    m_connection.connect(kService, m_strRequestPath, kRequestInterface, QStringLiteral("Response"),
                         this, SLOT(OnResponse(uint, QVariantMap)));
}

void CColourPortal::StopListening()
{
    if (m_strRequestPath.isEmpty()) {
        return;
    }
    m_connection.disconnect(kService, m_strRequestPath, kRequestInterface,
                            QStringLiteral("Response"), this, SLOT(OnResponse(uint, QVariantMap)));
    m_strRequestPath.clear();
}

void CColourPortal::EndPick()
{
    StopListening();
    m_bPicking = false;
}

void CColourPortal::Fail(const QString& strMessage)
{
    EndPick();
    emit pickFailed(strMessage);
}

QString CColourPortal::RequestPath(const QString& strToken) const
{
    // The unique name ":1.42" becomes "1_42".
    QString strSender = m_connection.baseService();
    if (strSender.startsWith(QLatin1Char(':'))) {
        strSender.remove(0, 1);
    }
    strSender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(strSender, strToken);
}
