#pragma once

// What the benchmarks that need skin files share: a temporary folder of their own, 24-bit bitmaps
// with a pattern in them, and skins made of such bitmaps.

#include "bytestream.h"
#include "skin.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace bench {

constexpr COLORREF kKey = RGB(255, 0, 255);

inline void PutDWord(std::uint8_t* p, std::uint32_t n)
{
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>((n >> (8 * i)) & 0xFF);
    }
}

// A 24-bit .bmp file with a pattern in it, so the pixels are not all alike, and its four corners in
// kKey, as a skin with rounded corners has them.
inline std::vector<std::uint8_t> MakeBitmapFile(std::uint32_t nWidth, std::uint32_t nHeight,
                                                std::uint8_t nSeed)
{
    const std::uint32_t nStride = (nWidth * 3 + 3) / 4 * 4;
    const std::uint32_t nPixels = nStride * nHeight;
    std::vector<std::uint8_t> bytes(54 + std::size_t{nPixels}, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutDWord(&bytes[2], 54 + nPixels);
    PutDWord(&bytes[10], 54);
    PutDWord(&bytes[14], 40);
    PutDWord(&bytes[18], nWidth);
    PutDWord(&bytes[22], nHeight);
    bytes[26] = 1;  // planes
    bytes[28] = 24; // bits per pixel
    PutDWord(&bytes[34], nPixels);
    const std::uint32_t nCorner = std::min(nWidth, nHeight) / 16;
    for (std::uint32_t y = 0; y < nHeight; ++y) {
        std::uint8_t* const pRow = &bytes[54 + std::size_t{nStride} * y];
        const bool bCornerRow = y < nCorner || y >= nHeight - nCorner;
        for (std::uint32_t x = 0; x < nWidth; ++x) {
            std::uint8_t* const p = pRow + std::size_t{x} * 3;
            if (bCornerRow && (x < nCorner || x >= nWidth - nCorner)) {
                p[0] = 255;
                p[1] = 0;
                p[2] = 255;
            } else {
                p[0] = static_cast<std::uint8_t>(x * 31 + nSeed);
                p[1] = static_cast<std::uint8_t>(y * 7 + nSeed);
                p[2] = static_cast<std::uint8_t>(x + y);
            }
        }
    }
    return bytes;
}

// The bitmap a .bmp file's bytes hold; throws when they do not read.
inline std::unique_ptr<CDib> DibFromBitmapFile(const std::vector<std::uint8_t>& file)
{
    CMemorySource source(file);
    auto pDib = std::make_unique<CDib>();
    if (pDib->Read(source) == 0) {
        throw std::runtime_error("the benchmark bitmap did not read");
    }
    return pDib;
}

inline std::unique_ptr<CDib> MakeImage(std::uint32_t nWidth, std::uint32_t nHeight,
                                       std::uint8_t nSeed)
{
    return DibFromBitmapFile(MakeBitmapFile(nWidth, nHeight, nSeed));
}

// A complete skin: a square main image of nSide pixels, 32 x 32 close images in its top right
// corner, and title and message areas inside it. Written without a flush: it is only read back.
inline void WriteSkin(const std::filesystem::path& path, std::uint32_t nSide)
{
    CSkin skin;
    skin.SetMainImage(MakeImage(nSide, nSide, 1));
    skin.SetCloseImage(MakeImage(32, 32, 2));
    skin.SetCloseHoverImage(MakeImage(32, 32, 3));
    const auto nRight = static_cast<LONG>(nSide);
    skin.m_rcCloseButton = RECT{nRight - 48, 16, nRight - 16, 48};
    skin.m_rcTitle = RECT{24, 16, nRight - 64, 48};
    skin.m_rcMessage = RECT{24, 64, nRight - 24, nRight - 24};
    skin.m_crMainTransparent = kKey;
    skin.m_crCloseTransparent = kKey;
    skin.m_crCloseHoverTransparent = kKey;
    skin.m_strTitle = "Benchmark";
    CSkinFileStatus status;
    if (!skin.Save(path, &status, FileSync::None)) {
        throw std::runtime_error("cannot write the benchmark skin: " + status.Describe());
    }
}

// A new folder under the temporary folder, removed with everything in it when dropped.
class CTempFolder
{
public:
    explicit CTempFolder(const std::string& strPrefix)
    {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int n = 0; m_path.empty(); ++n) {
            const std::filesystem::path candidate = base / (strPrefix + std::to_string(n));
            if (std::filesystem::create_directory(candidate)) {
                m_path = candidate;
            }
        }
    }

    ~CTempFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }

    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::filesystem::path& GetPath() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace bench
