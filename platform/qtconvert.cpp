#include "qtconvert.h"

#include "codepage.h"
#include "dib.h"
#include "fontex.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

// A rectangle or font from a file may hold any 32-bit value; Qt's geometry arithmetic stays
// within int only up to how far it lets a widget reach (QWIDGETSIZE_MAX).
constexpr LONG kMaxCoordinate = (1 << 24) - 1;
// Text taller than the largest image could show nothing more.
constexpr LONG kMaxFontPixels = DIB_MAX_SIDE;

int ClampCoordinate(LONG n)
{
    return std::clamp(n, -kMaxCoordinate, kMaxCoordinate);
}

} // namespace

QColor toQColor(COLORREF cr)
{
    return QColor(GetRValue(cr), GetGValue(cr), GetBValue(cr));
}

COLORREF toColorRef(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return RGB(static_cast<BYTE>(rgb.red()), static_cast<BYTE>(rgb.green()),
               static_cast<BYTE>(rgb.blue()));
}

QRect toQRect(const RECT& rc)
{
    const int nLeft = ClampCoordinate(rc.left);
    const int nTop = ClampCoordinate(rc.top);
    return QRect(nLeft, nTop, ClampCoordinate(rc.right) - nLeft, ClampCoordinate(rc.bottom) - nTop);
}

RECT toRect(const QRect& rc)
{
    return RECT{rc.x(), rc.y(), rc.x() + rc.width(), rc.y() + rc.height()};
}

QString toQString(std::string_view cp1252)
{
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

std::string toCp1252(const QString& text)
{
    return Utf8ToCp1252(text.toStdString());
}

QString pathToQString(const std::filesystem::path& path)
{
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QString::fromStdString(path.native());
#endif
}

std::filesystem::path toPath(const QString& text)
{
#ifdef _WIN32
    return std::filesystem::path(text.toStdWString());
#else
    return std::filesystem::path(text.toStdString());
#endif
}

QFont toQFont(const LOGFONT& logFont)
{
    QFont font(toQString(GetFaceName(logFont)));
    const LONG nHeight = std::clamp(logFont.lfHeight, -kMaxFontPixels, kMaxFontPixels);
    if (nHeight < 0) {
        font.setPixelSize(-nHeight);
    } else if (nHeight > 0) {
        // The cell height includes the internal leading; find the em that gives that cell.
        font.setPixelSize(nHeight);
        const qreal cell = QFontMetricsF(font).height();
        if (cell > 0) {
            const qreal em = static_cast<qreal>(nHeight) * nHeight / cell;
            font.setPixelSize(
                static_cast<int>(std::clamp<qreal>(std::round(em), 1, kMaxFontPixels)));
        }
    }
    if (logFont.lfWeight > 0) {
        font.setWeight(static_cast<QFont::Weight>(std::clamp<LONG>(logFont.lfWeight, 1, 1000)));
    }
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    return font;
}

LOGFONT toLogFont(const QFont& font, const LOGFONT& previous, const QPaintDevice* pDevice)
{
    LOGFONT logFont = previous;
    if (font.pixelSize() > 0) {
        logFont.lfHeight = -font.pixelSize();
    } else if (font.pointSizeF() > 0) {
        qreal dpi = 96;
        if (pDevice != nullptr) {
            dpi = pDevice->logicalDpiY();
        } else if (const QScreen* pScreen = QGuiApplication::primaryScreen()) {
            dpi = pScreen->logicalDotsPerInchY();
        }
        logFont.lfHeight = -static_cast<LONG>(std::lround(font.pointSizeF() * dpi / 72.0));
    }
    logFont.lfWeight = static_cast<LONG>(font.weight());
    logFont.lfItalic = font.italic() ? 1 : 0;
    logFont.lfUnderline = font.underline() ? 1 : 0;
    logFont.lfStrikeOut = font.strikeOut() ? 1 : 0;
    SetFaceName(logFont, toCp1252(font.family()));
    return logFont;
}
