#pragma once

#include "skintext.h"
#include "wintypes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CArchive;
class CByteSink;
class CByteSource;

// The largest image any reader takes. Run-length data declares any size in a few bytes, and
// every screen copy costs 4 bytes a pixel; at these limits one copy stays at 64 MB, while a note
// as large as a 5K screen still fits.
inline constexpr LONG DIB_MAX_SIDE = 16384;
inline constexpr std::uint64_t DIB_MAX_PIXELS = std::uint64_t{4096} * 4096;

bool IsWithinDibLimits(LONG nWidth, LONG nHeight);
// What a reader tells the user about an image of nWidth x nHeight beyond the limits.
std::string DescribeDibLimits(LONG nWidth, LONG nHeight);
SkinText DibLimitsText(LONG nWidth, LONG nHeight);

// One bitmap in the form of a .bmp file: the info block (40-byte header, colour masks when the
// bitmap uses them, colour table), the pixel rows and a palette made from the colour table.
//
// Headers of other sizes (OS/2 12/16/64 bytes, 52/56/108/124 bytes) are turned into the 40-byte
// form on reading, so every chunk written is one any BMP reader takes. A bitmap that came with a
// 40-byte header keeps its header, colour table and pixel rows byte for byte; only biSizeImage is
// recomputed on writing, for bitmaps that are not run-length encoded.
class CDib
{
public:
    CDib() = default;
    CDib(const CDib&) = default;
    CDib& operator=(const CDib&) = default;
    CDib(CDib&&) noexcept = default;
    CDib& operator=(CDib&&) noexcept = default;
    virtual ~CDib() = default;

    void Free();

    // Reads one bitmap chunk from the current position and returns its total size, or 0 when the
    // bytes are not a bitmap this program can hold (then the object holds none, and GetReadError
    // says why). Every size in the headers is checked against the bytes left and the image
    // against the limits before anything is allocated.
    DWORD Read(CByteSource& file);
    // Why the last Read failed, in words for the user; empty after a successful one.
    std::string GetReadError() const { return m_readError.English(); }
    const SkinText& GetReadErrorText() const { return m_readError; }
    // The last Read failed on the pixel limits alone, so GetReadError gives the image's size.
    bool IsBeyondLimits() const { return m_bBeyondLimits; }
    // Writes the bitmap chunk and returns its size; writes nothing and returns 0 without a bitmap.
    DWORD Write(CByteSink& file) const;
    // Write when storing, Read when loading; the result is not passed on.
    virtual void Serialize(CArchive& ar);

    bool CreatePalette();

    bool HasBitmap() const { return m_pBMI.has_value(); }

    LONG GetWidth() const;
    // Rows in the image; a top-down bitmap (negative biHeight) has as many as its absolute value.
    LONG GetHeight() const;
    WORD GetColorCount() const;
    WORD GetColorTableSize() const;
    WORD GetBitCount() const;
    DWORD GetCompression() const;
    // Red, green and blue masks of a 16- or 32-bit bitmap: its own with BI_BITFIELDS, otherwise
    // the defaults (5-5-5, 8-8-8); all zero for other depths.
    std::array<DWORD, 3> GetColorMasks() const;
    bool IsTopDown() const;
    // Bytes per pixel row, padded to whole 32-bit words.
    DWORD GetStride() const;
    DWORD GetPixelDataSize() const;
    // The size Write produces.
    DWORD GetChunkSize() const;

    BITMAPINFOHEADER GetInfoHeader() const;
    // Entries of 4 bytes: blue, green, red, 0.
    std::span<const std::uint8_t> GetColorTable() const;
    std::span<const std::uint8_t> GetBits() const;
    // Null without a palette (no bitmap, or no colour table).
    const std::vector<PALETTEENTRY>* GetPalette() const;

    // The chunk as a complete .bmp file image; empty without a bitmap.
    std::vector<std::uint8_t> GetChunk() const;

private:
    DWORD ReadChunk(CByteSource& file);
    DWORD GetMaskBytes() const;
    DWORD GetInfoSize() const;

    std::optional<std::vector<std::uint8_t>> m_pBMI;
    std::optional<std::vector<std::uint8_t>> m_pBits;
    std::optional<std::vector<PALETTEENTRY>> m_pPalette;
    SkinText m_readError;
    bool m_bBeyondLimits = false;
};
