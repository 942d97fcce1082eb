// Reading and writing a large skin file: three 2048 x 2048 24-bit images, about 37.7 MB.
//
// Goals: CSkin::Load within 2x of the plain read, the time it takes to read the same file into
// memory with one fread. CSkin::Save as Ctrl+S runs it, flushed to the disk, within 1.5x of the
// plain write: the same bytes written into a new file, flushed alike and renamed over the old
// file, the least a safe save does; the two are timed in turns. The memcpy of as many bytes shows
// what the memory itself costs. Compare ratios, never the absolute times. Wall-clock time
// throughout: a save that waits for the disk is slow for its user even when the processor is idle.

#include "atomicfile.h"
#include "benchskin.h"
#include "bytestream.h"
#include "skin.h"
#include "timeagainstfloor.h"

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

// The large skin file every benchmark works on, and a place to save copies of it.
class CBenchFiles
{
public:
    CBenchFiles()
    {
        CSkin skin;
        skin.SetMainImage(bench::MakeImage(kSide, kSide, 1));
        skin.SetCloseImage(bench::MakeImage(kSide, kSide, 2));
        skin.SetCloseHoverImage(bench::MakeImage(kSide, kSide, 3));
        skin.m_strTitle = "Benchmark";
        CSkinFileStatus status;
        if (!skin.Save(GetSkinPath(), &status, FileSync::None)) {
            throw std::runtime_error("cannot write the benchmark skin: " + status.Describe());
        }
        m_nSize = std::filesystem::file_size(GetSkinPath());
    }

    std::filesystem::path GetSkinPath() const { return m_folder.GetPath() / "large.skn"; }
    std::filesystem::path GetSavePath() const { return m_folder.GetPath() / "saved.skn"; }
    std::filesystem::path GetPlainPath() const { return m_folder.GetPath() / "plain.skn"; }
    std::uint64_t GetSize() const { return m_nSize; }

private:
    bench::CTempFolder m_folder{"tavelo-bench-skinfile-"};
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
    for ([[maybe_unused]] auto _ : state) {
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
    for ([[maybe_unused]] auto _ : state) {
        std::memcpy(target.data(), source.data(), nSize);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    SetThroughput(state);
}

void BM_SkinLoad(benchmark::State& state)
{
    const std::filesystem::path path = Files().GetSkinPath();
    CSkin skin;
    for ([[maybe_unused]] auto _ : state) {
        if (!skin.Load(path)) {
            state.SkipWithError("cannot load the benchmark skin");
            break;
        }
        benchmark::DoNotOptimize(skin.GetMainImage());
    }
    SetThroughput(state);
}

// The least a safe save does with the same bytes: one write into a new file, flushed to the disk,
// renamed over the old file, and the folder flushed, as CSkin::Save with FileSync::Flush does.
class CPlainWrite
{
public:
    explicit CPlainWrite(benchmark::State& state) : m_state(state)
    {
        if (!ReadWholeFile(Files().GetSkinPath(), m_bytes)) {
            throw std::runtime_error("cannot read the benchmark skin");
        }
        m_temporary += ".tmp";
    }

    bool operator()()
    {
        std::FILE* const pFile = std::fopen(m_temporary.c_str(), "wb");
        const bool bWritten =
            pFile != nullptr &&
            std::fwrite(m_bytes.data(), 1, m_bytes.size(), pFile) == m_bytes.size() &&
            std::fflush(pFile) == 0 && SyncToDisk(pFile);
        const bool bClosed = pFile != nullptr && std::fclose(pFile) == 0;
        std::error_code error;
        std::filesystem::rename(m_temporary, m_path, error);
        SyncFolder(m_path.parent_path());
        if (!bWritten || !bClosed || error) {
            m_state.SkipWithError("cannot write the plain copy");
            return false;
        }
        return true;
    }

private:
    benchmark::State& m_state;
    std::vector<std::uint8_t> m_bytes;
    std::filesystem::path m_path = Files().GetPlainPath();
    std::filesystem::path m_temporary = m_path;
};

// What Ctrl+S does, flush to the disk included, in turns with the plain write.
void BM_SkinSave(benchmark::State& state)
{
    CSkin skin;
    if (!skin.Load(Files().GetSkinPath())) {
        state.SkipWithError("cannot load the benchmark skin");
        return;
    }
    const std::filesystem::path path = Files().GetSavePath();
    bench::TimeAgainstFloor(
        state,
        [&] {
            CSkinFileStatus status;
            if (!skin.Save(path, &status, FileSync::Flush)) {
                state.SkipWithError(status.Describe().c_str());
                return false;
            }
            return true;
        },
        CPlainWrite(state));
    SetThroughput(state);
}

} // namespace

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SkinLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SkinSave)->Unit(benchmark::kMillisecond)->UseManualTime();

BENCHMARK_MAIN();
