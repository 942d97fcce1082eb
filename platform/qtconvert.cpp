#include "qtconvert.h"

#include "codepage.h"
#include "fontex.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QScreen>

#include <algorithm>
#include <cmath>

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
    return QRect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
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
    if (logFont.lfHeight < 0) {
        font.setPixelSize(-logFont.lfHeight);
    } else if (logFont.lfHeight > 0) {
        // The cell height includes the internal leading; find the em that gives that cell.
        font.setPixelSize(logFont.lfHeight);
        const qreal cell = QFontMetricsF(font).height();
        if (cell > 0) {
            const qreal em = logFont.lfHeight * logFont.lfHeight / cell;
            font.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
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
