// How tintary picks a colour from the screen: the choice of picker for a session, and the desktop
// portal's picker against a stand-in portal on a private bus that the test starts.
#include "colourportal.h"
#include "dialogscreenpicker.h"
#include "screenpickmethod.h"

#include <QColorDialog>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kOwnPath = QStringLiteral("/org/freedesktop/portal/desktop/request/own/1");

QVariantMap ColourResults(double fRed, double fGreen, double fBlue)
{
    QDBusArgument colour;
    colour.beginStructure();
    colour << fRed << fGreen << fBlue;
    colour.endStructure();
    return {{QStringLiteral("color"), QVariant::fromValue(colour)}};
}

// The text the dialog shows about picking from the screen, beside Qt's own labels.
QString StatusShown(const QColorDialog& dialog)
{
    for (const QLabel* pLabel : dialog.findChildren<QLabel*>()) {
        if (!pLabel->isHidden() && pLabel->text().contains("portal")) {
            return pLabel->text();
        }
    }
    return {};
}

QDBusConnection NoBus()
{
    return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"), "none");
}

} // namespace

// org.freedesktop.portal.Screenshot as the portal offers it, answering every PickColor with the
// response it was given.
class CStandInScreenshot : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
    Q_PROPERTY(uint version READ version)

public:
    CStandInScreenshot(QObject* pHost, const QDBusConnection& connection)
        : QDBusAbstractAdaptor(pHost), m_connection(connection)
    {
    }

    uint version() const { return m_nVersion; }

    uint m_nVersion = 4;
    uint m_nResponse = 0;
    QVariantMap m_results = ColourResults(1.0, 0.5, 0.0);
    // Older portals: the request lives on a path of the portal's choosing, and the answer
    // waits for Respond().
    bool m_bOwnPath = false;

    void Respond() { Send(kOwnPath); }

public slots:
    QDBusObjectPath PickColor(const QString&, const QVariantMap& options,
                              const QDBusMessage& message)
    {
        m_strClient = message.service();
        if (m_bOwnPath) {
            return QDBusObjectPath(kOwnPath);
        }
        QString strSender = m_strClient.mid(1);
        strSender.replace('.', '_');
        const QString strPath = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                                    .arg(strSender, options.value("handle_token").toString());
        // The answer goes out before the reply, as a quick portal's can arrive.
        Send(strPath);
        return QDBusObjectPath(strPath);
    }

private:
    void Send(const QString& strPath)
    {
        QDBusMessage response = QDBusMessage::createTargetedSignal(
            m_strClient, strPath, QStringLiteral("org.freedesktop.portal.Request"),
            QStringLiteral("Response"));
        response << m_nResponse << m_results;
        m_connection.send(response);
    }

    QDBusConnection m_connection;
    QString m_strClient;
};

class tst_ScreenPicking : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void chooseMethod_data();
    void chooseMethod();
    void availability_data();
    void availability();
    void pick_data();
    void pick();
    void pickOnPortalsOwnPath_data();
    void pickOnPortalsOwnPath();
    void dialogTakesPortalColour();
    void dialogWithoutPortalSaysWhy();

private:
    // Puts the stand-in portal on the bus.
    CStandInScreenshot& Serve();

    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_strAddress;
    int m_nConnection = 0;
    std::unique_ptr<QDBusConnection> m_pServer;
    std::unique_ptr<QDBusConnection> m_pClient;
    std::unique_ptr<QObject> m_pHost;
};

void tst_ScreenPicking::initTestCase()
{
    const QString strDaemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (strDaemon.isEmpty()) {
        return;
    }
    // No service folders: a portal installed on this machine must not start on the test's bus.
    QFile config(m_dir.filePath("bus.conf"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(R"(<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>
<auth>EXTERNAL</auth><policy context="default"><allow send_destination="*"/>
<allow receive_sender="*"/><allow own="*"/></policy></busconfig>)");
    config.close();
    m_daemon.start(strDaemon,
                   {"--config-file=" + config.fileName(), "--nofork", "--print-address=1"});
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead()) {
    }
    m_strAddress = QString::fromUtf8(m_daemon.readLine()).trimmed();
    QVERIFY2(!m_strAddress.isEmpty(), m_daemon.readAllStandardError().constData());
}

void tst_ScreenPicking::init()
{
    if (m_strAddress.isEmpty()) {
        const QByteArray strTest = QTest::currentTestFunction();
        if (strTest != "chooseMethod" && strTest != "dialogWithoutPortalSaysWhy") {
            QSKIP("dbus-daemon is not installed");
        }
        return;
    }
    const QString strNumber = QString::number(++m_nConnection);
    m_pServer = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(m_strAddress, "portal" + strNumber));
    m_pClient = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(m_strAddress, "client" + strNumber));
    QVERIFY(m_pServer->isConnected() && m_pClient->isConnected());
}

void tst_ScreenPicking::cleanup()
{
    m_pHost.reset();
    for (std::unique_ptr<QDBusConnection>* ppConnection : {&m_pServer, &m_pClient}) {
        if (*ppConnection) {
            QDBusConnection::disconnectFromBus((*ppConnection)->name());
            ppConnection->reset();
        }
    }
}

void tst_ScreenPicking::cleanupTestCase()
{
    m_daemon.kill();
    m_daemon.waitForFinished();
}

CStandInScreenshot& tst_ScreenPicking::Serve()
{
    m_pHost = std::make_unique<QObject>();
    auto* const pPortal = new CStandInScreenshot(m_pHost.get(), *m_pServer);
    m_pServer->registerObject(kPortalPath, m_pHost.get());
    m_pServer->registerService(kPortalService);
    return *pPortal;
}

void tst_ScreenPicking::chooseMethod_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("sessionType");
    QTest::addColumn<QString>("waylandDisplay");
    QTest::addColumn<bool>("portalOffersPick");
    QTest::addColumn<ScreenPickMethod>("expected");

    const auto row = [](const char* pszName, const char* pszPlatform, const char* pszSession,
                        const char* pszDisplay, bool bPortal, ScreenPickMethod expected) {
        QTest::newRow(pszName) << QString(pszPlatform) << QString(pszSession) << QString(pszDisplay)
                               << bPortal << expected;
    };
    const auto qt = ScreenPickMethod::QtGrab;
    const auto portal = ScreenPickMethod::Portal;
    const auto none = ScreenPickMethod::Unavailable;
    row("X11", "xcb", "x11", "", true, qt);
    row("X11, no session type", "xcb", "", "", false, qt);
    row("X11 session, stray Wayland display", "xcb", "x11", "wayland-0", false, qt);
    row("XWayland", "xcb", "wayland", "wayland-0", true, portal);
    row("XWayland, session type in capitals", "xcb", "Wayland", "", true, portal);
    row("XWayland, no portal", "xcb", "wayland", "wayland-0", false, none);
    row("XWayland, only the display", "xcb", "", "wayland-0", true, portal);
    row("Wayland", "wayland", "", "", true, portal);
    row("Wayland, no portal", "wayland", "wayland", "wayland-0", false, none);
    row("Windows", "windows", "", "", false, qt);
    row("macOS", "cocoa", "", "", false, qt);
    row("offscreen", "offscreen", "x11", "", true, portal);
    row("offscreen, no portal", "offscreen", "", "", false, none);
}

void tst_ScreenPicking::chooseMethod()
{
    QFETCH(QString, platform);
    QFETCH(QString, sessionType);
    QFETCH(QString, waylandDisplay);
    QFETCH(bool, portalOffersPick);
    QFETCH(ScreenPickMethod, expected);
    QCOMPARE(ChooseScreenPickMethod({platform, sessionType, waylandDisplay, portalOffersPick}),
             expected);
}

void tst_ScreenPicking::availability_data()
{
    QTest::addColumn<int>("version"); // 0: no portal on the bus, -1: no bus
    QTest::addColumn<bool>("offered");
    QTest::newRow("no bus") << -1 << false;
    QTest::newRow("no portal") << 0 << false;
    QTest::newRow("version 1, before PickColor") << 1 << false;
    QTest::newRow("version 2") << 2 << true;
}

void tst_ScreenPicking::availability()
{
    QFETCH(int, version);
    QFETCH(bool, offered);
    if (version > 0) {
        Serve().m_nVersion = static_cast<uint>(version);
    }
    CColourPortal portal(version < 0 ? NoBus() : *m_pClient);
    QSignalSpy known(&portal, &CColourPortal::availabilityKnown);
    portal.QueryAvailability();
    QVERIFY(known.wait());
    QCOMPARE(known.constFirst().constFirst().toBool(), offered);
}

void tst_ScreenPicking::pick_data()
{
    QTest::addColumn<bool>("served");
    QTest::addColumn<uint>("response");
    QTest::addColumn<QVariantMap>("results");
    QTest::addColumn<QString>("outcome"); // a colour name, "cancelled" or "failed"

    QTest::newRow("picked") << true << 0u << ColourResults(1.0, 0.5, 0.0) << "#ff8000";
    QTest::newRow("picked, out of range")
        << true << 0u << ColourResults(1.5, -0.5, 0.2) << "#ff0033";
    QTest::newRow("cancelled") << true << 1u << QVariantMap() << "cancelled";
    QTest::newRow("ended otherwise") << true << 2u << QVariantMap() << "failed";
    QTest::newRow("no colour") << true << 0u << QVariantMap() << "failed";
    QTest::newRow("colour of the wrong type")
        << true << 0u << QVariantMap{{"color", QStringLiteral("#ff0000")}} << "failed";
    QTest::newRow("colour not a number") << true << 0u << ColourResults(qQNaN(), 0, 0) << "failed";
    QTest::newRow("no portal") << false << 0u << QVariantMap() << "failed";
}

void tst_ScreenPicking::pick()
{
    QFETCH(bool, served);
    QFETCH(uint, response);
    QFETCH(QVariantMap, results);
    QFETCH(QString, outcome);
    if (served) {
        CStandInScreenshot& standIn = Serve();
        standIn.m_nResponse = response;
        standIn.m_results = results;
    }
    CColourPortal portal(*m_pClient);
    QSignalSpy picked(&portal, &CColourPortal::colourPicked);
    QSignalSpy cancelled(&portal, &CColourPortal::pickCancelled);
    QSignalSpy failed(&portal, &CColourPortal::pickFailed);
    QVERIFY(portal.PickColour(QStringLiteral("x11:1c")));
    QVERIFY(!portal.PickColour({}));
    QTRY_COMPARE(picked.count() + cancelled.count() + failed.count(), 1);
    QVERIFY(!portal.IsPicking());
    if (outcome == "cancelled") {
        QCOMPARE(cancelled.count(), 1);
    } else if (outcome == "failed") {
        QCOMPARE(failed.count(), 1);
        QVERIFY(!failed.constFirst().constFirst().toString().isEmpty());
    } else {
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.constFirst().constFirst().value<QColor>().name(), outcome);
    }
}

void tst_ScreenPicking::pickOnPortalsOwnPath_data()
{
    QTest::addColumn<bool>("portalStops");
    QTest::newRow("answered") << false;
    QTest::newRow("portal stops first") << true;
}

void tst_ScreenPicking::pickOnPortalsOwnPath()
{
    QFETCH(bool, portalStops);
    CStandInScreenshot& standIn = Serve();
    standIn.m_bOwnPath = true;
    CColourPortal portal(*m_pClient);
    QSignalSpy picked(&portal, &CColourPortal::colourPicked);
    QSignalSpy failed(&portal, &CColourPortal::pickFailed);
    QVERIFY(portal.PickColour({}));
    // Answered after PickColor's reply: the availability question is answered after it too.
    QSignalSpy known(&portal, &CColourPortal::availabilityKnown);
    portal.QueryAvailability();
    QVERIFY(known.wait());
    if (portalStops) {
        m_pServer->unregisterService(kPortalService);
        QVERIFY(failed.wait());
    } else {
        standIn.Respond();
        QVERIFY(picked.wait());
        QCOMPARE(picked.constFirst().constFirst().value<QColor>(), QColor(255, 128, 0));
    }
    QVERIFY(!portal.IsPicking());
}

void tst_ScreenPicking::dialogTakesPortalColour()
{
    CStandInScreenshot& standIn = Serve();
    standIn.m_nResponse = 2;
    QColorDialog dialog(Qt::white);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    auto* const pPicker = new CDialogScreenPicker(&dialog, *m_pClient);
    QSignalSpy chosen(pPicker, &CDialogScreenPicker::methodChosen);
    pPicker->Start({QStringLiteral("wayland"), QStringLiteral("wayland"), {}, false});
    QVERIFY(chosen.wait());
    QCOMPARE(pPicker->Method(), ScreenPickMethod::Portal);

    QPushButton* const pButton = CDialogScreenPicker::FindPickScreenButton(dialog);
    QVERIFY(pButton != nullptr && pButton->isEnabled());
    pButton->click();
    // Qt's own picker would have grabbed the mouse for a screen it cannot read.
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QVERIFY(!pButton->isEnabled());
    // A failed pick is told in the dialog and changes nothing.
    QTRY_VERIFY(pButton->isEnabled());
    QCOMPARE(dialog.currentColor(), QColor(Qt::white));
    QVERIFY(StatusShown(dialog).contains("ended the pick"));

    standIn.m_nResponse = 0;
    pButton->click();
    QTRY_COMPARE(dialog.currentColor(), QColor(255, 128, 0));
    QVERIFY(StatusShown(dialog).isEmpty());
}

void tst_ScreenPicking::dialogWithoutPortalSaysWhy()
{
    QColorDialog dialog;
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    auto* const pPicker = new CDialogScreenPicker(&dialog, NoBus());
    QSignalSpy chosen(pPicker, &CDialogScreenPicker::methodChosen);
    pPicker->Start({QStringLiteral("xcb"), QStringLiteral("wayland"), {}, false});
    QVERIFY(chosen.wait());
    QCOMPARE(pPicker->Method(), ScreenPickMethod::Unavailable);
    const QPushButton* const pButton = CDialogScreenPicker::FindPickScreenButton(dialog);
    QVERIFY(pButton != nullptr && !pButton->isEnabled());
    QVERIFY(pButton->toolTip().contains("desktop portal"));
    QCOMPARE(StatusShown(dialog), pButton->toolTip());
}

QTEST_MAIN(tst_ScreenPicking)
#include "tst_screenpicking.moc"
