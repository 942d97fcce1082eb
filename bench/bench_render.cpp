// tavelo-skn render of a skin whose main image is a one-pixel checkerboard (the most rectangles
// a shape can have), beside ImageMagick converting the same bitmap to PNG. Both run as processes,
// so each includes its program's start.

#include "bytestream.h"
#include "skin.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

void PutDWord(std::uint8_t* p, std::uint32_t n)
{
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>(n >> (8 * i));
    }
}

// 1 bit a pixel: colour 0 dark, colour 1 the key, alternating along rows and columns.
std::vector<std::uint8_t> CheckerboardFile(std::uint32_t nSide)
{
    const std::uint32_t nStride = (nSide + 31) / 32 * 4;
    const std::uint32_t nOffset = 14 + 40 + 8;
    std::vector<std::uint8_t> bytes(nOffset + std::size_t{nStride} * nSide, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutDWord(&bytes[2], static_cast<std::uint32_t>(bytes.size()));
    PutDWord(&bytes[10], nOffset);
    PutDWord(&bytes[14], 40);
    PutDWord(&bytes[18], nSide);
    PutDWord(&bytes[22], nSide);
    bytes[26] = 1; // planes
    bytes[28] = 1; // bits per pixel
    PutDWord(&bytes[46], 2);
    const std::uint8_t table[] = {20, 20, 20, 0, 255, 0, 255, 0};
    std::copy(std::begin(table), std::end(table), bytes.begin() + 54);
    for (std::uint32_t y = 0; y < nSide; ++y) {
        for (std::uint32_t x = y % 2; x < nSide; x += 2) {
            bytes[nOffset + y * nStride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    return bytes;
}

std::unique_ptr<CDib> ReadDib(const std::vector<std::uint8_t>& bytes)
{
    CMemorySource source(bytes);
    auto pDib = std::make_unique<CDib>();
    if (pDib->Read(source) == 0) {
        throw std::runtime_error("the benchmark bitmap did not read");
    }
    return pDib;
}

// The checkerboard as a .bmp file and as the main image of a skin, in a folder removed at exit.
class CBenchFiles
{
public:
    CBenchFiles()
    {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int n = 0; m_folder.empty(); ++n) {
            const std::filesystem::path candidate =
                base / ("tavelo-bench-render-" + std::to_string(n));
            if (std::filesystem::create_directory(candidate)) {
                m_folder = candidate;
            }
        }
    }
    ~CBenchFiles()
    {
        std::error_code error;
        std::filesystem::remove_all(m_folder, error);
    }
    CBenchFiles(const CBenchFiles&) = delete;
    CBenchFiles& operator=(const CBenchFiles&) = delete;

    // The skin and the bitmap of a checkerboard nSide pixels square.
    std::pair<std::string, std::string> Files(std::uint32_t nSide)
    {
        const std::string strName = "checker" + std::to_string(nSide);
        const std::filesystem::path skinPath = m_folder / (strName + ".skn");
        const std::filesystem::path bitmapPath = m_folder / (strName + ".bmp");
        if (!std::filesystem::exists(skinPath)) {
            const std::vector<std::uint8_t> bytes = CheckerboardFile(nSide);
            CSkin skin;
            skin.SetMainImage(ReadDib(bytes));
            skin.SetCloseImage(ReadDib(CheckerboardFile(8)));
            skin.SetCloseHoverImage(ReadDib(CheckerboardFile(8)));
            skin.m_crMainTransparent = RGB(255, 0, 255);
            skin.m_crCloseTransparent = RGB(255, 0, 255);
            skin.m_crCloseHoverTransparent = RGB(255, 0, 255);
            skin.m_rcCloseButton = RECT{0, 0, 8, 8};
            skin.m_rcTitle = RECT{10, 10, 200, 30};
            skin.m_rcMessage = RECT{10, 40, 200, 200};
            CMemorySink sink;
            if (!skin.Save(skinPath, nullptr, FileSync::None) ||
                !skin.GetMainImage()->Write(sink)) {
                throw std::runtime_error("the benchmark files cannot be written");
            }
            const std::vector<std::uint8_t>& chunk = sink.GetBytes();
            std::FILE* const pFile = std::fopen(bitmapPath.c_str(), "wb");
            if (pFile == nullptr ||
                std::fwrite(chunk.data(), 1, chunk.size(), pFile) != chunk.size()) {
                throw std::runtime_error("the benchmark bitmap cannot be written");
            }
            std::fclose(pFile);
        }
        return {skinPath.string(), bitmapPath.string()};
    }

    std::string Output(const char* pszName) const { return (m_folder / pszName).string(); }

private:
    std::filesystem::path m_folder;
};

CBenchFiles& Files()
{
    static CBenchFiles files;
    return files;
}

// Each iteration's time is the processor time (user and system) of the program it starts: a
// machine shared with other work stretches the wall clock of both sides unevenly.
void RunToExit(benchmark::State& state, std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start the program");
            return;
        }
        int nStatus = 0;
        rusage usage{};
        wait4(pid, &nStatus, 0, &usage);
        if (!WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0) {
            state.SkipWithError("the program failed");
            return;
        }
        const auto Seconds = [](const timeval& time) {
            return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
        };
        state.SetIterationTime(Seconds(usage.ru_utime) + Seconds(usage.ru_stime));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

void BM_ImageMagickConvert(benchmark::State& state)
{
    const auto [strSkin, strBitmap] = Files().Files(static_cast<std::uint32_t>(state.range(0)));
    RunToExit(state, {TAVELO_CONVERT_PROGRAM, strBitmap, Files().Output("convert.png")});
}

void BM_RenderCheckerboard(benchmark::State& state)
{
    const auto [strSkin, strBitmap] = Files().Files(static_cast<std::uint32_t>(state.range(0)));
    RunToExit(state, {TAVELO_SKN_PROGRAM, "render", strSkin, Files().Output("render.png")});
}

} // namespace

BENCHMARK(BM_ImageMagickConvert)
    ->Arg(400)
    ->Arg(1600)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
// 16 x 16: what starting the program and Qt costs, whatever the image.
BENCHMARK(BM_RenderCheckerboard)
    ->Arg(16)
    ->Arg(400)
    ->Arg(1600)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

BENCHMARK_MAIN();
