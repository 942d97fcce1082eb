#include "bitmapfile.h"

#include "bytestream.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <system_error>

namespace {

const char* const kBadBmp = "It is damaged, or it is a kind of BMP file this program cannot hold.";

// Why the bitmap file cannot be opened, or nothing when it can.
std::optional<std::string> WhyNotReadable(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error) {
        return error.message() + ".";
    }
    if (std::filesystem::is_directory(status)) {
        return std::string("It is a folder.");
    }
    if (!std::filesystem::is_regular_file(status)) {
        return std::string("It is not a regular file.");
    }
    return std::nullopt;
}

BitmapFile Refused(std::string strWhy)
{
    return BitmapFile{nullptr, false, std::move(strWhy)};
}

} // namespace

BitmapFile ReadBitmapFile(const std::filesystem::path& path)
{
    if (std::optional<std::string> strWhy = WhyNotReadable(path)) {
        return Refused(std::move(*strWhy));
    }
    const FilePtr pFile = OpenFileForReading(path);
    if (!pFile) {
        return Refused(std::generic_category().message(errno) + ".");
    }
    std::array<char, 2> signature{};
    if (std::fread(signature.data(), 1, signature.size(), pFile.get()) != signature.size() ||
        signature != std::array<char, 2>{'B', 'M'}) {
        return BitmapFile{nullptr, true, {}};
    }
    CFileSource source(pFile.get());
    auto pImage = std::make_unique<CDib>();
    if (pImage->Read(source) == 0) {
        // The reader's own words say more than ours only when the image is too large.
        const std::string& strWhy = pImage->GetReadError();
        return Refused(pImage->IsBeyondLimits() ? "T" + strWhy.substr(1) + "."
                                                : std::string(kBadBmp));
    }
    return BitmapFile{std::move(pImage), false, {}};
}
