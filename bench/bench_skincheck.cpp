// The skin checker on a 4096 x 4096 24-bit skin whose main image holds no pixel of its key colour:
// the worst case, every pixel looked at before the "no transparent pixel" warning. Timed in turns
// with its floor, one CSkin::Load of the same file (bench/timeagainstfloor.h). Goal: the check
// costs less than the load, so the editor can run it after every change.

#include "benchskin.h"
#include "skin.h"
#include "skincheck.h"
#include "timeagainstfloor.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <vector>

namespace {

constexpr std::uint32_t kSide = 4096;
constexpr std::size_t kHeaderBytes = 54;

// The benchmark bitmap with red kept below 128, so no pixel, its corners included, lies near the
// magenta key.
std::unique_ptr<CDib> MakeKeylessImage()
{
    std::vector<std::uint8_t> file = bench::MakeBitmapFile(kSide, kSide, 1);
    const std::size_t nStride = (std::size_t{kSide} * 3 + 3) / 4 * 4;
    for (std::size_t y = 0; y < kSide; ++y) {
        for (std::size_t x = 0; x < kSide; ++x) {
            file[kHeaderBytes + y * nStride + x * 3 + 2] &= 0x7F;
        }
    }
    return bench::DibFromBitmapFile(file);
}

class CBenchSkin
{
public:
    CBenchSkin()
    {
        bench::WriteSkin(GetPath(), kSide);
        CSkin skin;
        if (!skin.Load(GetPath())) {
            throw std::runtime_error("cannot read the benchmark skin");
        }
        skin.SetMainImage(MakeKeylessImage());
        CSkinFileStatus status;
        if (!skin.Save(GetPath(), &status, FileSync::None)) {
            throw std::runtime_error("cannot write the benchmark skin: " + status.Describe());
        }
    }

    std::filesystem::path GetPath() const { return m_folder.GetPath() / "keyless.skn"; }

private:
    bench::CTempFolder m_folder{"tavelo-bench-skincheck-"};
};

void BM_CheckSkin(benchmark::State& state)
{
    static const CBenchSkin file;
    CSkin skin;
    if (!skin.Load(file.GetPath())) {
        state.SkipWithError("cannot load the benchmark skin");
        return;
    }
    if (CheckSkin(skin).size() != 1) {
        state.SkipWithError(
            "the benchmark skin should give exactly the no-transparent-pixel issue");
        return;
    }
    bench::TimeAgainstFloor(
        state,
        [&] {
            const std::vector<SkinIssue> issues = CheckSkin(skin);
            benchmark::DoNotOptimize(issues.data());
            return true;
        },
        [&] {
            CSkin loaded;
            if (!loaded.Load(file.GetPath())) {
                state.SkipWithError("cannot load the benchmark skin");
                return false;
            }
            benchmark::DoNotOptimize(loaded.GetMainImage());
            return true;
        });
}

} // namespace

BENCHMARK(BM_CheckSkin)->Unit(benchmark::kMillisecond)->UseManualTime();

BENCHMARK_MAIN();
