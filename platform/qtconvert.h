#pragma once

#include "wintypes.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

class QPaintDevice;

// Named conversions between the skin's Win32-shaped values and Qt's, used at the boundary only.

QColor toQColor(COLORREF cr);
// Alpha is dropped: a COLORREF has none.
COLORREF toColorRef(const QColor& colour);

// Right and bottom are exclusive in a RECT; an inverted RECT gives a QRect of negative size,
// unchanged, as the skin keeps it. Coordinates beyond +-16777215 (as far as Qt places a widget)
// are clamped there.
QRect toQRect(const RECT& rc);
RECT toRect(const QRect& rc);

// Windows-1252 bytes of the skin to and from display text.
QString toQString(std::string_view cp1252);
std::string toCp1252(const QString& text);

// File system paths to and from Qt's strings, without a trip through the local 8-bit encoding.
QString pathToQString(const std::filesystem::path& path);
std::filesystem::path toPath(const QString& text);

// A negative lfHeight is the em height in pixels, a positive one the cell height (ascent plus
// descent), scaled to the em with the font's own proportions; 0 keeps the default size. Heights
// beyond DIB_MAX_SIDE pixels are clamped there.
// Weight, italic, underline, strike-out and the face name carry over.
QFont toQFont(const LOGFONT& logFont);

// What a font dialog chose, written over the fields it edits; every other field keeps the value
// of previous. The height becomes a negative pixel height at pDevice's logical DPI (the screen's
// when null); the face is cut to 31 bytes of Windows-1252.
LOGFONT toLogFont(const QFont& font, const LOGFONT& previous,
                  const QPaintDevice* pDevice = nullptr);
