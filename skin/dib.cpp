#include "dib.h"

#include "archive.h"
#include "bytestream.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kCoreHeaderSize = 12;
// Room for a colour table of up to 256 entries more than the file held; they read as zeros.
constexpr std::size_t kSpareBytes = 1024;
constexpr std::size_t kMaskBytes = 12;
constexpr DWORD kMaxColours = 256;

DWORD GetDWord(const std::uint8_t* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
           (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}

WORD GetWord(const std::uint8_t* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

void PutDWord(std::uint8_t* p, DWORD n)
{
    p[0] = static_cast<std::uint8_t>(n & 0xFF);
    p[1] = static_cast<std::uint8_t>((n >> 8) & 0xFF);
    p[2] = static_cast<std::uint8_t>((n >> 16) & 0xFF);
    p[3] = static_cast<std::uint8_t>(n >> 24);
}

BITMAPINFOHEADER ParseInfoHeader(const std::uint8_t* p)
{
    BITMAPINFOHEADER h;
    h.biSize = GetDWord(p);
    h.biWidth = static_cast<LONG>(GetDWord(p + 4));
    h.biHeight = static_cast<LONG>(GetDWord(p + 8));
    h.biPlanes = GetWord(p + 12);
    h.biBitCount = GetWord(p + 14);
    h.biCompression = GetDWord(p + 16);
    h.biSizeImage = GetDWord(p + 20);
    h.biXPelsPerMeter = static_cast<LONG>(GetDWord(p + 24));
    h.biYPelsPerMeter = static_cast<LONG>(GetDWord(p + 28));
    h.biClrUsed = GetDWord(p + 32);
    h.biClrImportant = GetDWord(p + 36);
    return h;
}

void StoreInfoHeader(const BITMAPINFOHEADER& h, std::uint8_t* p)
{
    PutDWord(p, h.biSize);
    PutDWord(p + 4, static_cast<DWORD>(h.biWidth));
    PutDWord(p + 8, static_cast<DWORD>(h.biHeight));
    p[12] = static_cast<std::uint8_t>(h.biPlanes & 0xFF);
    p[13] = static_cast<std::uint8_t>(h.biPlanes >> 8);
    p[14] = static_cast<std::uint8_t>(h.biBitCount & 0xFF);
    p[15] = static_cast<std::uint8_t>(h.biBitCount >> 8);
    PutDWord(p + 16, h.biCompression);
    PutDWord(p + 20, h.biSizeImage);
    PutDWord(p + 24, static_cast<DWORD>(h.biXPelsPerMeter));
    PutDWord(p + 28, static_cast<DWORD>(h.biYPelsPerMeter));
    PutDWord(p + 32, h.biClrUsed);
    PutDWord(p + 36, h.biClrImportant);
}

std::uint64_t StrideOf(const BITMAPINFOHEADER& h)
{
    return ((std::uint64_t{h.biBitCount} * static_cast<std::uint32_t>(h.biWidth) + 31) / 32) * 4;
}

std::uint64_t RowsOf(const BITMAPINFOHEADER& h)
{
    return h.biHeight < 0 ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(h.biHeight))
                          : static_cast<std::uint64_t>(h.biHeight);
}

bool IsRunLengthEncoded(DWORD nCompression)
{
    return nCompression == BI_RLE8 || nCompression == BI_RLE4;
}

DWORD DefaultColourCount(WORD nBitCount)
{
    return nBitCount <= 8 ? DWORD{1} << nBitCount : 0;
}

// What the header block of a file says, once brought into the 40-byte form.
struct ParsedHeader
{
    BITMAPINFOHEADER header;
    std::array<DWORD, 3> masks{};
    bool bKeepRaw = false;        // a 40-byte header: keep the file's bytes as they are
    std::size_t nTableOffset = 0; // where the file's colour table starts in the header block
    std::size_t nTableEntrySize = 4;
};

// Brings any known header form into the 40-byte one and refuses what contradicts itself or what
// no BMP reader of ours could show (embedded JPEG/PNG, Huffman, RLE24, unknown header sizes).
std::optional<ParsedHeader> ParseHeaderBlock(std::span<const std::uint8_t> block)
{
    if (block.size() < 4) {
        return std::nullopt;
    }
    const DWORD nHeaderSize = GetDWord(block.data());
    if (nHeaderSize > block.size()) {
        return std::nullopt;
    }

    ParsedHeader parsed;
    BITMAPINFOHEADER& h = parsed.header;
    switch (nHeaderSize) {
    case kCoreHeaderSize:
        h.biWidth = GetWord(block.data() + 4);
        h.biHeight = GetWord(block.data() + 6);
        h.biPlanes = GetWord(block.data() + 8);
        h.biBitCount = GetWord(block.data() + 10);
        h.biCompression = BI_RGB;
        parsed.nTableOffset = kCoreHeaderSize;
        parsed.nTableEntrySize = 3;
        break;
    case 16:
    case 64: {
        // OS/2 2.x: the 40-byte layout, cut short or followed by fields of its own.
        std::array<std::uint8_t, kInfoHeaderSize> full{};
        std::memcpy(full.data(), block.data(), std::min<std::size_t>(nHeaderSize, full.size()));
        h = ParseInfoHeader(full.data());
        // There compression 3 is Huffman and 4 is RLE24, not bit fields and JPEG.
        if (h.biCompression != BI_RGB && !IsRunLengthEncoded(h.biCompression)) {
            return std::nullopt;
        }
        parsed.nTableOffset = nHeaderSize;
        break;
    }
    case kInfoHeaderSize:
    case 52:
    case 56:
    case 108:
    case 124:
        h = ParseInfoHeader(block.data());
        parsed.bKeepRaw = nHeaderSize == kInfoHeaderSize;
        parsed.nTableOffset = nHeaderSize;
        if (h.biCompression == BI_BITFIELDS) {
            // Masks follow a 40-byte header; the longer headers hold them at the same place.
            if (nHeaderSize == kInfoHeaderSize) {
                if (block.size() < kInfoHeaderSize + kMaskBytes) {
                    return std::nullopt;
                }
                parsed.nTableOffset += kMaskBytes;
            }
            for (std::size_t n = 0; n < 3; ++n) {
                parsed.masks[n] = GetDWord(block.data() + kInfoHeaderSize + 4 * n);
            }
        }
        break;
    default:
        return std::nullopt;
    }
    h.biSize = kInfoHeaderSize;

    const WORD nBits = h.biBitCount;
    const bool bKnownDepth =
        nBits == 1 || nBits == 4 || nBits == 8 || nBits == 16 || nBits == 24 || nBits == 32;
    if (h.biPlanes != 1 || !bKnownDepth || h.biWidth <= 0 || h.biHeight == 0 ||
        h.biHeight == std::numeric_limits<LONG>::min()) {
        return std::nullopt;
    }
    switch (h.biCompression) {
    case BI_RGB:
        break;
    case BI_RLE8:
    case BI_RLE4:
        // Run-length data is bottom-up only, and each form has its one depth.
        if (h.biHeight < 0 || nBits != (h.biCompression == BI_RLE8 ? 8 : 4)) {
            return std::nullopt;
        }
        break;
    case BI_BITFIELDS: {
        if (nBits != 16 && nBits != 32) {
            return std::nullopt;
        }
        const DWORD nLimit = nBits == 16 ? 0xFFFFu : 0xFFFFFFFFu;
        for (const DWORD nMask : parsed.masks) {
            if (nMask == 0 || nMask > nLimit) {
                return std::nullopt;
            }
        }
        break;
    }
    default:
        return std::nullopt;
    }

    const DWORD nMaxUsed = nBits <= 8 ? DefaultColourCount(nBits) : kMaxColours;
    if (h.biClrUsed > nMaxUsed) {
        return std::nullopt;
    }
    if (nHeaderSize == kCoreHeaderSize) {
        // The core header has no count; a short palette is known only by where the pixels start.
        const DWORD nPresent =
            static_cast<DWORD>((block.size() - kCoreHeaderSize) / parsed.nTableEntrySize);
        const DWORD nDefault = DefaultColourCount(nBits);
        if (nPresent < nDefault) {
            if (nPresent == 0) {
                return std::nullopt;
            }
            h.biClrUsed = nPresent;
        }
    }
    return parsed;
}

// The 40-byte form's info block for a header that came in another form.
std::vector<std::uint8_t> BuildInfoBlock(const ParsedHeader& parsed,
                                         std::span<const std::uint8_t> block)
{
    const BITMAPINFOHEADER& h = parsed.header;
    const DWORD nColours = h.biClrUsed != 0 ? h.biClrUsed : DefaultColourCount(h.biBitCount);
    const std::size_t nMasks = h.biCompression == BI_BITFIELDS ? kMaskBytes : 0;
    std::vector<std::uint8_t> info(kInfoHeaderSize + nMasks + 4 * std::size_t{nColours}, 0);
    StoreInfoHeader(h, info.data());
    for (std::size_t n = 0; n < nMasks / 4; ++n) {
        PutDWord(info.data() + kInfoHeaderSize + 4 * n, parsed.masks[n]);
    }
    std::uint8_t* const pTable = info.data() + kInfoHeaderSize + nMasks;
    for (std::size_t n = 0; n < nColours; ++n) {
        const std::size_t nSource = parsed.nTableOffset + n * parsed.nTableEntrySize;
        if (nSource + 3 > block.size()) {
            break; // entries the file did not supply stay black
        }
        std::memcpy(pTable + 4 * n, block.data() + nSource, 3);
    }
    return info;
}

} // namespace

bool IsWithinDibLimits(LONG nWidth, LONG nHeight)
{
    return nWidth > 0 && nHeight > 0 && nWidth <= DIB_MAX_SIDE && nHeight <= DIB_MAX_SIDE &&
           std::uint64_t{static_cast<std::uint32_t>(nWidth)} *
                   static_cast<std::uint32_t>(nHeight) <=
               DIB_MAX_PIXELS;
}

std::string DescribeDibLimits(LONG nWidth, LONG nHeight)
{
    return DibLimitsText(nWidth, nHeight).English();
}

SkinText DibLimitsText(LONG nWidth, LONG nHeight)
{
    return Phrase(QT_TRANSLATE_NOOP("Skin",
                                    "the image is %1 x %2 pixels; an image may have at most "
                                    "%3 pixels a side and %4 pixels in all"),
                  {Literal(std::to_string(nWidth)), Literal(std::to_string(nHeight)),
                   Literal(std::to_string(DIB_MAX_SIDE)), Literal(std::to_string(DIB_MAX_PIXELS))});
}

void CDib::Free()
{
    m_pBits.reset();
    m_pBMI.reset();
    m_pPalette.reset();
}

DWORD CDib::Read(CByteSource& file)
{
    Free();
    m_readError = {};
    m_bBeyondLimits = false;
    const DWORD nSize = ReadChunk(file);
    if (nSize == 0 && m_readError.strText.empty()) {
        m_readError = Phrase(QT_TRANSLATE_NOOP("Skin", "not a bitmap that can be read"));
    }
    return nSize;
}

DWORD CDib::ReadChunk(CByteSource& file)
{
    std::array<std::uint8_t, kFileHeaderSize> fileHeader{};
    if (file.Read(fileHeader.data(), fileHeader.size()) != fileHeader.size() ||
        fileHeader[0] != 'B' || fileHeader[1] != 'M') {
        return 0;
    }
    const DWORD nTotalSize = GetDWord(fileHeader.data() + 2);
    const DWORD nPixelOffset = GetDWord(fileHeader.data() + 10);
    if (nPixelOffset < kFileHeaderSize + kCoreHeaderSize || nTotalSize < nPixelOffset ||
        nTotalSize - kFileHeaderSize > file.GetRemaining()) {
        return 0;
    }

    std::vector<std::uint8_t> block(nPixelOffset - kFileHeaderSize);
    if (file.Read(block.data(), block.size()) != block.size()) {
        return 0;
    }
    const std::optional<ParsedHeader> parsed = ParseHeaderBlock(block);
    if (!parsed) {
        return 0;
    }

    const BITMAPINFOHEADER& h = parsed->header;
    const auto nRows = static_cast<LONG>(RowsOf(h));
    if (!IsWithinDibLimits(h.biWidth, nRows)) {
        m_readError = DibLimitsText(h.biWidth, nRows);
        m_bBeyondLimits = true;
        return 0;
    }
    const DWORD nPixelBytes = nTotalSize - nPixelOffset;
    if (IsRunLengthEncoded(h.biCompression)) {
        if (h.biSizeImage == 0 || h.biSizeImage > nPixelBytes) {
            return 0;
        }
    } else {
        const std::uint64_t nStride = StrideOf(h);
        if (nStride > nPixelBytes || RowsOf(h) > nPixelBytes / nStride) {
            return 0;
        }
    }

    std::vector<std::uint8_t> bits(nPixelBytes);
    if (file.Read(bits.data(), bits.size()) != bits.size()) {
        return 0;
    }

    if (parsed->bKeepRaw) {
        block.resize(block.size() + kSpareBytes, 0);
        m_pBMI = std::move(block);
    } else {
        m_pBMI = BuildInfoBlock(*parsed, block);
    }
    m_pBits = std::move(bits);
    CreatePalette();
    return nTotalSize;
}

DWORD CDib::Write(CByteSink& file) const
{
    if (!HasBitmap()) {
        return 0;
    }
    const DWORD nInfoSize = GetInfoSize();
    const DWORD nPixelSize = GetPixelDataSize();
    const DWORD nTotal = kFileHeaderSize + nInfoSize + nPixelSize;

    std::array<std::uint8_t, kFileHeaderSize> fileHeader{};
    fileHeader[0] = 'B';
    fileHeader[1] = 'M';
    PutDWord(fileHeader.data() + 2, nTotal);
    PutDWord(fileHeader.data() + 10, kFileHeaderSize + nInfoSize);
    file.Write(fileHeader.data(), fileHeader.size());

    std::array<std::uint8_t, kInfoHeaderSize> infoHeader{};
    std::memcpy(infoHeader.data(), m_pBMI->data(), infoHeader.size());
    if (!IsRunLengthEncoded(GetCompression())) {
        PutDWord(infoHeader.data() + 20, nPixelSize);
    }
    file.Write(infoHeader.data(), infoHeader.size());
    file.Write(m_pBMI->data() + kInfoHeaderSize, nInfoSize - kInfoHeaderSize);
    file.Write(m_pBits->data(), nPixelSize);
    return nTotal;
}

void CDib::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        Write(ar.GetSink());
    } else {
        Read(ar.GetSource());
    }
}

bool CDib::CreatePalette()
{
    if (!HasBitmap()) {
        return false;
    }
    const WORD nColours = GetColorCount();
    if (nColours == 0) {
        return true;
    }
    const std::span<const std::uint8_t> table = GetColorTable();
    std::vector<PALETTEENTRY> palette(nColours);
    for (std::size_t n = 0; n < palette.size(); ++n) {
        palette[n] = PALETTEENTRY{table[4 * n + 2], table[4 * n + 1], table[4 * n], 0};
    }
    m_pPalette = std::move(palette);
    return true;
}

BITMAPINFOHEADER CDib::GetInfoHeader() const
{
    return HasBitmap() ? ParseInfoHeader(m_pBMI->data()) : BITMAPINFOHEADER{};
}

LONG CDib::GetWidth() const
{
    return GetInfoHeader().biWidth;
}

LONG CDib::GetHeight() const
{
    return static_cast<LONG>(RowsOf(GetInfoHeader()));
}

bool CDib::IsTopDown() const
{
    return GetInfoHeader().biHeight < 0;
}

WORD CDib::GetBitCount() const
{
    return GetInfoHeader().biBitCount;
}

DWORD CDib::GetCompression() const
{
    return GetInfoHeader().biCompression;
}

std::array<DWORD, 3> CDib::GetColorMasks() const
{
    const WORD nBits = GetBitCount();
    if (nBits != 16 && nBits != 32) {
        return {};
    }
    if (GetCompression() == BI_BITFIELDS) {
        const std::uint8_t* const pMasks = m_pBMI->data() + kInfoHeaderSize;
        return {GetDWord(pMasks), GetDWord(pMasks + 4), GetDWord(pMasks + 8)};
    }
    if (nBits == 16) {
        return {0x7C00, 0x03E0, 0x001F};
    }
    return {0x00FF0000, 0x0000FF00, 0x000000FF};
}

WORD CDib::GetColorCount() const
{
    if (!HasBitmap()) {
        return 0;
    }
    const BITMAPINFOHEADER h = GetInfoHeader();
    return static_cast<WORD>(h.biClrUsed != 0 ? h.biClrUsed : DefaultColourCount(h.biBitCount));
}

WORD CDib::GetColorTableSize() const
{
    return static_cast<WORD>(4 * GetColorCount());
}

DWORD CDib::GetStride() const
{
    return static_cast<DWORD>(StrideOf(GetInfoHeader()));
}

DWORD CDib::GetPixelDataSize() const
{
    if (!HasBitmap()) {
        return 0;
    }
    const BITMAPINFOHEADER h = GetInfoHeader();
    if (IsRunLengthEncoded(h.biCompression)) {
        return h.biSizeImage;
    }
    return static_cast<DWORD>(StrideOf(h) * RowsOf(h));
}

DWORD CDib::GetMaskBytes() const
{
    return GetCompression() == BI_BITFIELDS ? kMaskBytes : 0;
}

DWORD CDib::GetInfoSize() const
{
    return kInfoHeaderSize + GetMaskBytes() + GetColorTableSize();
}

DWORD CDib::GetChunkSize() const
{
    return HasBitmap() ? kFileHeaderSize + GetInfoSize() + GetPixelDataSize() : 0;
}

std::span<const std::uint8_t> CDib::GetColorTable() const
{
    if (!HasBitmap()) {
        return {};
    }
    return std::span<const std::uint8_t>(*m_pBMI).subspan(kInfoHeaderSize + GetMaskBytes(),
                                                          GetColorTableSize());
}

std::span<const std::uint8_t> CDib::GetBits() const
{
    if (!HasBitmap()) {
        return {};
    }
    return std::span<const std::uint8_t>(*m_pBits).first(GetPixelDataSize());
}

const std::vector<PALETTEENTRY>* CDib::GetPalette() const
{
    return m_pPalette ? &*m_pPalette : nullptr;
}

std::vector<std::uint8_t> CDib::GetChunk() const
{
    CMemorySink sink;
    Write(sink);
    return sink.TakeBytes();
}
