#include "notemessagectrl.h"

#include <QDesktopServices>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

namespace {

LOGFONT Font(LONG nHeight, LONG nWeight, BYTE bItalic = 0, BYTE bUnderline = 0, BYTE bStrike = 0)
{
    LOGFONT lf;
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfItalic = bItalic;
    lf.lfUnderline = bUnderline;
    lf.lfStrikeOut = bStrike;
    return lf;
}

// The top-left corner of everything drawn darker than the background.
QPoint InkOrigin(QWidget& widget)
{
    const QImage image = widget.grab().toImage();
    QPoint origin(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                origin.setX(std::min(origin.x(), x));
                origin.setY(std::min(origin.y(), y));
            }
        }
    }
    return origin;
}

} // namespace

// Receives what the control hands to the desktop, so no browser opens.
class CUrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class tst_NoteMessageCtrl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void charFormat_data();
    void charFormat();
    void marginsMoveTheText();
    void coloursApplyToAllText();
    void typedAddressesBecomeLinks_data();
    void typedAddressesBecomeLinks();
    void linkClickLeavesTheCaretAndOpensTheAddress_data();
    void linkClickLeavesTheCaretAndOpensTheAddress();

private:
    CUrlCatcher m_catcher;
};

void tst_NoteMessageCtrl::initTestCase()
{
    for (const char* scheme : {"http", "https", "ftp", "mailto", "file"}) {
        QDesktopServices::setUrlHandler(scheme, &m_catcher, "open");
    }
}

void tst_NoteMessageCtrl::cleanupTestCase()
{
    for (const char* scheme : {"http", "https", "ftp", "mailto", "file"}) {
        QDesktopServices::unsetUrlHandler(scheme);
    }
}

void tst_NoteMessageCtrl::charFormat_data()
{
    QTest::addColumn<LOGFONT>("font");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::newRow("-16 px is 12 pt") << Font(-16, 400) << 12 << false << false << false;
    QTest::newRow("-13 px rounds to 10 pt") << Font(-13, 400) << 10 << false << false << false;
    QTest::newRow("700 is bold") << Font(-16, 700) << 12 << true << false << false;
    QTest::newRow("600 is not bold") << Font(-16, 600) << 12 << false << false << false;
    QTest::newRow("800 is not bold") << Font(-16, 800) << 12 << false << false << false;
    QTest::newRow("italic and underline") << Font(-16, 400, 1, 1) << 12 << false << true << true;
    QTest::newRow("strike-out dropped") << Font(-16, 400, 0, 0, 1) << 12 << false << false << false;
    QTest::newRow("cell height taken by size") << Font(16, 400) << 12 << false << false << false;
}

void tst_NoteMessageCtrl::charFormat()
{
    QFETCH(LOGFONT, font);
    QFETCH(int, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    CNoteMessageCtrl ctrl;
    // The rule is written for a 96 DPI screen; scale the expectation to the one in use.
    const int nExpected = qRound(points * 96.0 / ctrl.logicalDpiY());
    const QTextCharFormat cf = LogFontToCharFormat(&ctrl, font);
    QCOMPARE(qRound(cf.fontPointSize()), nExpected);
    QCOMPARE(cf.fontWeight() == QFont::Bold, bold);
    QCOMPARE(cf.fontItalic(), italic);
    QCOMPARE(cf.fontUnderline(), underline);
    QVERIFY(!cf.fontStrikeOut());

    ctrl.SetTextFont(&font);
    QCOMPARE(ctrl.font().bold(), bold);
    QCOMPARE(ctrl.font().italic(), italic);
    QCOMPARE(ctrl.font().underline(), underline);
    QVERIFY(!ctrl.font().strikeOut());
    QCOMPARE(qRound(ctrl.font().pointSizeF()), nExpected);
    QCOMPARE(qRound(LogFontToCharFormat(nullptr, font).fontPointSize()), 12);
}

void tst_NoteMessageCtrl::marginsMoveTheText()
{
    const LOGFONT font = Font(-16, 700);
    QPoint origins[2];
    for (int n = 0; n < 2; ++n) {
        CNoteMessageCtrl ctrl;
        if (n == 0) {
            ctrl.SetMargins(RECT{0, 0, 0, 0});
        }
        ctrl.resize(120, 60);
        ctrl.SetTextFont(&font);
        ctrl.SetTextColor(RGB(0, 0, 0));
        ctrl.SetBackColor(RGB(255, 255, 255));
        ctrl.setPlainText("Hello");
        origins[n] = InkOrigin(ctrl);
    }
    QCOMPARE(origins[1] - origins[0], QPoint(2, 2));
}

void tst_NoteMessageCtrl::coloursApplyToAllText()
{
    CNoteMessageCtrl ctrl;
    ctrl.resize(100, 40);
    ctrl.SetBackColor(RGB(10, 200, 30));
    ctrl.SetTextColor(RGB(250, 250, 250));
    ctrl.setPlainText("before");
    const QImage image = ctrl.grab().toImage();
    QCOMPARE(QColor(image.pixel(99, 39)), QColor(10, 200, 30));
    bool bTextColour = false;
    for (int y = 0; y < image.height() && !bTextColour; ++y) {
        for (int x = 0; x < image.width() && !bTextColour; ++x) {
            bTextColour = qRed(image.pixel(x, y)) > 200 && qBlue(image.pixel(x, y)) > 200;
        }
    }
    QVERIFY(bTextColour);
}

void tst_NoteMessageCtrl::typedAddressesBecomeLinks_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("link");
    QTest::newRow("https") << "see https://example.org/a now"
                           << "example"
                           << "https://example.org/a";
    QTest::newRow("www") << "go www.example.com"
                         << "example"
                         << "www.example.com";
    QTest::newRow("mailto") << "to mailto:ana@example.org"
                            << "ana"
                            << "mailto:ana@example.org";
    QTest::newRow("ftp") << "ftp://files.example.net"
                         << "files"
                         << "ftp://files.example.net";
    QTest::newRow("plain word") << "just example.com"
                                << "example"
                                << "";
}

void tst_NoteMessageCtrl::typedAddressesBecomeLinks()
{
    QFETCH(QString, typed);
    QFETCH(QString, word);
    QFETCH(QString, link);
    CNoteMessageCtrl ctrl;
    ctrl.resize(400, 60);
    ctrl.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ctrl));
    QTest::keyClicks(&ctrl, typed);
    QCOMPARE(ctrl.toPlainText(), typed);
    QTextCursor cursor(ctrl.document());
    cursor.setPosition(static_cast<int>(typed.indexOf(word)) + 1);
    QCOMPARE(ctrl.LinkAt(ctrl.cursorRect(cursor).center()), link);
    cursor.setPosition(1);
    QCOMPARE(ctrl.LinkAt(ctrl.cursorRect(cursor).center()),
             typed.startsWith("ftp") ? link : QString());
}

void tst_NoteMessageCtrl::linkClickLeavesTheCaretAndOpensTheAddress_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("opened");
    QTest::newRow("www opens the web") << "see www.example.com here"
                                       << "http://www.example.com";
    QTest::newRow("https") << "see https://example.com/x here"
                           << "https://example.com/x";
}

void tst_NoteMessageCtrl::linkClickLeavesTheCaretAndOpensTheAddress()
{
    QFETCH(QString, text);
    QFETCH(QString, opened);
    m_catcher.urls.clear();
    CNoteMessageCtrl ctrl;
    ctrl.resize(400, 60);
    ctrl.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ctrl));
    ctrl.setPlainText(text);
    QTextCursor caret(ctrl.document());
    caret.setPosition(1);
    ctrl.setTextCursor(caret);

    QTextCursor onLink(ctrl.document());
    onLink.setPosition(10);
    const QPoint ptLink = ctrl.cursorRect(onLink).center();
    QTest::mouseClick(ctrl.viewport(), Qt::LeftButton, {}, ptLink);
    QCOMPARE(ctrl.textCursor().position(), 1);
    QVERIFY(!ctrl.textCursor().hasSelection());
    QCOMPARE(m_catcher.urls, QList<QUrl>{QUrl(opened)});

    // A click beside the link moves the caret as usual.
    onLink.setPosition(2);
    QTest::mouseClick(ctrl.viewport(), Qt::LeftButton, {}, ctrl.cursorRect(onLink).center());
    QVERIFY(ctrl.textCursor().position() != 1);
    QCOMPARE(m_catcher.urls.size(), 1);
}

QTEST_MAIN(tst_NoteMessageCtrl)
#include "tst_notemessagectrl.moc"
