#pragma once

// Value types shaped like the original platform's, so the skin model and the file format keep
// their established names. Standard C++ only: the skin library, the command-line tool and the
// fuzzers use them without a GUI.

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;

// 0x00BBGGRR; in files byte 0 is red.
using COLORREF = std::uint32_t;

// The colour picker's automatic entry; the editor treats it as a request for the colour chooser.
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF cr)
{
    return static_cast<BYTE>(cr & 0xFFu);
}
constexpr BYTE GetGValue(COLORREF cr)
{
    return static_cast<BYTE>((cr >> 8) & 0xFFu);
}
constexpr BYTE GetBValue(COLORREF cr)
{
    return static_cast<BYTE>((cr >> 16) & 0xFFu);
}

// Right and bottom are exclusive. Never normalised: an inverted rectangle is a legitimate value.
struct RECT
{
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;

    friend bool operator==(const RECT&, const RECT&) = default;
};

// The rectangle moved by (dx, dy).
constexpr RECT OffsetRect(const RECT& rc, LONG dx, LONG dy)
{
    return RECT{rc.left + dx, rc.top + dy, rc.right + dx, rc.bottom + dy};
}

inline constexpr int LF_FACESIZE = 32;

// The 60-byte ANSI logical-font record. The face name is Windows-1252, NUL-terminated, so it holds
// at most 31 characters.
struct LOGFONT
{
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};

    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};

static_assert(sizeof(LOGFONT) == 60, "LOGFONT must keep the platform's 60-byte layout");

inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_BOLD = 700;
inline constexpr BYTE DEFAULT_CHARSET = 1;

// Bitmap compression codes.
inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_RLE8 = 1;
inline constexpr DWORD BI_RLE4 = 2;
inline constexpr DWORD BI_BITFIELDS = 3;
inline constexpr DWORD BI_JPEG = 4;
inline constexpr DWORD BI_PNG = 5;

// The 40-byte bitmap info header, in memory order of the file.
struct BITMAPINFOHEADER
{
    DWORD biSize = 0;
    LONG biWidth = 0;
    LONG biHeight = 0;
    WORD biPlanes = 0;
    WORD biBitCount = 0;
    DWORD biCompression = 0;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};

static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER must keep its 40-byte layout");

struct PALETTEENTRY
{
    BYTE peRed = 0;
    BYTE peGreen = 0;
    BYTE peBlue = 0;
    BYTE peFlags = 0;

    friend bool operator==(const PALETTEENTRY&, const PALETTEENTRY&) = default;
};
