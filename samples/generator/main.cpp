// tavelo-samplegen: draws the sample skins and writes them as .skn files.
//
//   tavelo-samplegen [--bmp] OUTDIR
//
// With --bmp the three bitmaps of each skin are written beside it as well, for looking at them.

#include "samples.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    const FilePtr pFile(std::fopen(path.string().c_str(), "wb"));
    return pFile && std::fwrite(bytes.data(), 1, bytes.size(), pFile.get()) == bytes.size() &&
           std::fflush(pFile.get()) == 0;
}

bool WriteBitmaps(const CSkin& skin, const std::filesystem::path& skinPath)
{
    const std::string strStem = skinPath.stem().string();
    const std::filesystem::path folder = skinPath.parent_path();
    return WriteFile(folder / (strStem + "-main.bmp"), skin.GetMainImage()->GetChunk()) &&
           WriteFile(folder / (strStem + "-close.bmp"), skin.GetCloseImage()->GetChunk()) &&
           WriteFile(folder / (strStem + "-close-hover.bmp"),
                     skin.GetCloseHoverImage()->GetChunk());
}

int Run(const std::filesystem::path& outDir, bool bBitmaps)
{
    std::error_code error;
    std::filesystem::create_directories(outDir, error);
    if (error) {
        std::fprintf(stderr, "tavelo-samplegen: cannot create %s: %s\n", outDir.string().c_str(),
                     error.message().c_str());
        return 1;
    }
    for (const SampleSkin& sample : GetSampleSkins()) {
        const std::unique_ptr<CSkin> pSkin = sample.make();
        const std::filesystem::path path = outDir / sample.strFileName;
        CSkinFileStatus status;
        if (!pSkin->Save(path, &status)) {
            std::fprintf(stderr, "tavelo-samplegen: %s: %s\n", path.string().c_str(),
                         status.Describe().c_str());
            return 1;
        }
        if (bBitmaps && !WriteBitmaps(*pSkin, path)) {
            std::fprintf(stderr, "tavelo-samplegen: cannot write the bitmaps of %s\n",
                         path.string().c_str());
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    bool bBitmaps = false;
    std::vector<std::string_view> folders;
    for (const std::string_view arg : args) {
        if (arg == "--bmp") {
            bBitmaps = true;
        } else {
            folders.push_back(arg);
        }
    }
    if (folders.size() != 1 || folders.front().starts_with("-")) {
        std::fprintf(stderr, "usage: tavelo-samplegen [--bmp] OUTDIR\n");
        return 2;
    }
    try {
        return Run(std::filesystem::path(folders.front()), bBitmaps);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavelo-samplegen: %s\n", e.what());
        return 1;
    }
}
