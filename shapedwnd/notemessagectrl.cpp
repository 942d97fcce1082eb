#include "notemessagectrl.h"

#include "qtconvert.h"
#include "shellopen.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QPaintDevice>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QUrl>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kNoDevicePoints = 12;

// What the note marks as a link: an address of a known scheme, or starting with "www.", up to the
// next white space.
const QRegularExpression& LinkPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"((?:https?://|ftp://|mailto:|www\.)[^\s<>"]+)"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// Only addresses the desktop opens as web pages or mail go out; "www." means the web.
QUrl LinkTarget(const QString& link)
{
    const QString address =
        link.startsWith(QLatin1String("www."), Qt::CaseInsensitive) ? "http://" + link : link;
    QUrl url(address, QUrl::StrictMode);
    static const QStringList kSchemes = {"http", "https", "ftp", "mailto"};
    if (!url.isValid() || !kSchemes.contains(url.scheme().toLower())) {
        return {};
    }
    return url;
}

// Marks links in the layout only, so the document stays plain text and the marks follow every
// edit without entering the undo history.
class CLinkMarker final : public QSyntaxHighlighter
{
public:
    explicit CLinkMarker(QColor crLink)
        : QSyntaxHighlighter(static_cast<QObject*>(nullptr)), m_crLink(crLink)
    {
    }

protected:
    void highlightBlock(const QString& text) override
    {
        QTextCharFormat link;
        link.setFontUnderline(true);
        link.setForeground(m_crLink);
        QRegularExpressionMatchIterator it = LinkPattern().globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            setFormat(static_cast<int>(match.capturedStart()),
                      static_cast<int>(match.capturedLength()), link);
        }
    }

private:
    QColor m_crLink;
};

} // namespace

QTextCharFormat LogFontToCharFormat(const QPaintDevice* pDevice, const LOGFONT& lf)
{
    QTextCharFormat cf;
    cf.setFontFamilies({toQString(GetFaceName(lf))});
    int nPoints = kNoDevicePoints;
    if (pDevice != nullptr && lf.lfHeight != 0) {
        // A positive height is a cell height, which would give a negative size; the magnitude is
        // the nearest sensible reading.
        nPoints = static_cast<int>(std::lround(72.0 * std::abs(static_cast<double>(lf.lfHeight)) /
                                               pDevice->logicalDpiY()));
    }
    cf.setFontPointSize(nPoints);
    cf.setFontWeight(lf.lfWeight == FW_BOLD ? QFont::Bold : QFont::Normal);
    cf.setFontItalic(lf.lfItalic != 0);
    cf.setFontUnderline(lf.lfUnderline != 0);
    return cf;
}

CNoteMessageCtrl::CNoteMessageCtrl(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setAutoFillBackground(true);
    document()->setDocumentMargin(0);
    m_pLinkMarker = std::make_unique<CLinkMarker>(palette().color(QPalette::Link));
    m_pLinkMarker->setDocument(document());
    SetMargins(m_rcMargins);
    SetCharFormatAll(BuildCharFormat());
    SetBackColor(m_crBack);
}

CNoteMessageCtrl::~CNoteMessageCtrl() = default;

bool CNoteMessageCtrl::SetTextFont(const LOGFONT* pLogFont)
{
    if (pLogFont != nullptr) {
        m_lf = *pLogFont;
    }
    SetCharFormatAll(BuildCharFormat());
    return true;
}

bool CNoteMessageCtrl::SetTextColor(COLORREF cr)
{
    m_crText = cr;
    SetCharFormatAll(BuildCharFormat());
    return true;
}

bool CNoteMessageCtrl::SetBackColor(COLORREF cr)
{
    m_crBack = cr;
    QPalette colours = palette();
    // The margins lie outside the text area proper and take the same colour.
    colours.setColor(QPalette::Base, toQColor(cr));
    colours.setColor(QPalette::Window, toQColor(cr));
    setPalette(colours);
    return true;
}

void CNoteMessageCtrl::SetMargins(const RECT& rcMargins)
{
    m_rcMargins = rcMargins;
    setViewportMargins(rcMargins.left, rcMargins.top, rcMargins.right, rcMargins.bottom);
}

QTextCharFormat CNoteMessageCtrl::BuildCharFormat() const
{
    QTextCharFormat cf = LogFontToCharFormat(this, m_lf);
    cf.setForeground(toQColor(m_crText));
    return cf;
}

void CNoteMessageCtrl::SetCharFormatAll(const QTextCharFormat& cf)
{
    // The widget's font and text colour are the document's defaults, which all plain text takes.
    setFont(cf.font());
    QPalette colours = palette();
    colours.setColor(QPalette::Text, cf.foreground().color());
    setPalette(colours);
}

QString CNoteMessageCtrl::LinkAt(QPoint ptViewport) const
{
    const QPoint ptDocument =
        ptViewport + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const int nPosition = document()->documentLayout()->hitTest(ptDocument, Qt::ExactHit);
    if (nPosition < 0) {
        return {};
    }
    const QTextBlock block = document()->findBlock(nPosition);
    const int nInBlock = nPosition - block.position();
    QRegularExpressionMatchIterator it = LinkPattern().globalMatch(block.text());
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        if (nInBlock >= match.capturedStart() && nInBlock < match.capturedEnd()) {
            return match.captured();
        }
    }
    return {};
}

void CNoteMessageCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}

void CNoteMessageCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QString link = LinkAt(event->position().toPoint());
        if (!link.isEmpty()) {
            // Taken here, so the caret and the selection stay where they were.
            m_bLinkPressed = true;
            event->accept();
            if (const QUrl url = LinkTarget(link); url.isValid()) {
                ShellOpen(url);
            }
            return;
        }
    }
    QTextEdit::mousePressEvent(event);
}

void CNoteMessageCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_bLinkPressed && event->button() == Qt::LeftButton) {
        m_bLinkPressed = false;
        event->accept();
        return;
    }
    QTextEdit::mouseReleaseEvent(event);
}

void CNoteMessageCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !LinkAt(event->position().toPoint()).isEmpty()) {
        event->accept();
        return;
    }
    QTextEdit::mouseDoubleClickEvent(event);
}

void CNoteMessageCtrl::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bLinkPressed) {
        event->accept();
        return;
    }
    const bool bOverLink = !LinkAt(event->position().toPoint()).isEmpty();
    viewport()->setCursor(bOverLink ? Qt::PointingHandCursor : Qt::IBeamCursor);
    QTextEdit::mouseMoveEvent(event);
}
