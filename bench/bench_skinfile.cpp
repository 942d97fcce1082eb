// Reading and writing a large skin file: three 2048 x 2048 24-bit images, about 37.7 MB.
//
// Goal: CSkin::Load and CSkin::Save each within 2x of the plain read, the time it takes to read
// the same file into memory with one fread. The memcpy of as many bytes shows what the memory
// itself costs; the plain write (one fwrite into a new file renamed over the old one, the least a
// safe save does) shows what the file system charges for writing. Compare the runs'
// bytes_per_second, never the absolute times. Wall-clock time throughout: a save that waits for
// the disk is slow for its user even when the processor is idle.

#include "bytestream.h"
#include "skin.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr std::uint32_t kSide = 2048;

void PutDWord(std::uint8_t* p, std::uint32_t n)
{
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>((n >> (8 * i)) & 0xFF);
    }
}

// A square 24-bit .bmp file with a pattern in it, so the pixels are not all alike.
std::vector<std::uint8_t> MakeBitmapFile(std::uint32_t nSide, std::uint8_t nSeed)
{
    const std::uint32_t nStride = (nSide * 3 + 3) / 4 * 4;
    const std::uint32_t nPixels = nStride * nSide;
    std::vector<std::uint8_t> bytes(54 + std::size_t{nPixels}, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutDWord(&bytes[2], 54 + nPixels);
    PutDWord(&bytes[10], 54);
    PutDWord(&bytes[14], 40);
    PutDWord(&bytes[18], nSide);
    PutDWord(&bytes[22], nSide);
    bytes[26] = 1;  // planes
    bytes[28] = 24; // bits per pixel
    PutDWord(&bytes[34], nPixels);
    for (std::size_t n = 54; n < bytes.size(); ++n) {
        bytes[n] = static_cast<std::uint8_t>(n * 31 + nSeed);
    }
    return bytes;
}

std::unique_ptr<CDib> MakeImage(std::uint8_t nSeed)
{
    const std::vector<std::uint8_t> file = MakeBitmapFile(kSide, nSeed);
    CMemorySource source(file);
    auto pDib = std::make_unique<CDib>();
    if (pDib->Read(source) == 0) {
        throw std::runtime_error("the benchmark bitmap did not read");
    }
    return pDib;
}

// A new folder under the temporary folder, removed with everything in it when dropped.
class CTempFolder
{
public:
    CTempFolder()
    {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int n = 0; m_path.empty(); ++n) {
            const std::filesystem::path candidate =
                base / ("tavelo-bench-skinfile-" + std::to_string(n));
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

// The large skin file every benchmark works on, and a place to save copies of it.
class CBenchFiles
{
public:
    CBenchFiles()
    {
        CSkin skin;
        skin.SetMainImage(MakeImage(1));
        skin.SetCloseImage(MakeImage(2));
        skin.SetCloseHoverImage(MakeImage(3));
        skin.m_strTitle = "Benchmark";
        CSkinFileStatus status;
        if (!skin.Save(GetSkinPath(), &status, FileSync::None)) {
            throw std::runtime_error("cannot write the benchmark skin: " + status.Describe());
        }
        m_nSize = std::filesystem::file_size(GetSkinPath());
    }

    std::filesystem::path GetSkinPath() const { return m_folder.GetPath() / "large.skn"; }
    std::filesystem::path GetSavePath() const { return m_folder.GetPath() / "saved.skn"; }
    std::uint64_t GetSize() const { return m_nSize; }

private:
    CTempFolder m_folder;
    std::uint64_t m_nSize = 0;
};

const CBenchFiles& Files()
{
    static const CBenchFiles files;
    return files;
}

void SetThroughput(benchmark::State& state)
{
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Files().GetSize()));
}

void BM_PlainRead(benchmark::State& state)
{
    const std::filesystem::path path = Files().GetSkinPath();
    const auto nSize = static_cast<std::size_t>(Files().GetSize());
    for (auto _ : state) {
        const FilePtr pFile(std::fopen(path.c_str(), "rb"));
        // Memory as fresh as Load's: allocated for each read, not kept warm between reads.
        const auto pBuffer = std::make_unique_for_overwrite<std::uint8_t[]>(nSize);
        if (!pFile || std::fread(pBuffer.get(), 1, nSize, pFile.get()) != nSize) {
            state.SkipWithError("cannot read the benchmark skin");
            break;
        }
        benchmark::DoNotOptimize(pBuffer.get());
        benchmark::ClobberMemory();
    }
    SetThroughput(state);
}

void BM_Memcpy(benchmark::State& state)
{
    const auto nSize = static_cast<std::size_t>(Files().GetSize());
    const std::vector<std::uint8_t> source(nSize, 0x5A);
    std::vector<std::uint8_t> target(nSize, 0);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), nSize);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    SetThroughput(state);
}

void BM_PlainWrite(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(Files().GetSkinPath(), bytes)) {
        state.SkipWithError("cannot read the benchmark skin");
        return;
    }
    const std::filesystem::path path = Files().GetSavePath();
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    for (auto _ : state) {
        std::FILE* const pFile = std::fopen(temporary.c_str(), "wb");
        const bool bWritten =
            pFile != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
        const bool bClosed = pFile != nullptr && std::fclose(pFile) == 0;
        std::error_code error;
        std::filesystem::rename(temporary, path, error);
        if (!bWritten || !bClosed || error) {
            state.SkipWithError("cannot write the plain copy");
            break;
        }
    }
    SetThroughput(state);
}

void BM_SkinLoad(benchmark::State& state)
{
    const std::filesystem::path path = Files().GetSkinPath();
    CSkin skin;
    for (auto _ : state) {
        if (!skin.Load(path)) {
            state.SkipWithError("cannot load the benchmark skin");
            break;
        }
        benchmark::DoNotOptimize(skin.GetMainImage());
    }
    SetThroughput(state);
}

void BM_SkinSave(benchmark::State& state)
{
    CSkin skin;
    if (!skin.Load(Files().GetSkinPath())) {
        state.SkipWithError("cannot load the benchmark skin");
        return;
    }
    const std::filesystem::path path = Files().GetSavePath();
    for (auto _ : state) {
        CSkinFileStatus status;
        if (!skin.Save(path, &status, FileSync::None)) {
            state.SkipWithError(status.Describe().c_str());
            break;
        }
    }
    SetThroughput(state);
}

} // namespace

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SkinLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SkinSave)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
