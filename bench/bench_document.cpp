// The undo history's memory on a large skin: one 4096 x 3072 24-bit main image, 37.7 MB.
//
// Goal: 100 rectangle and colour edits add less than 1 MB to the heap (under 0.026 of one copy of
// the main image), and an image step, applied, undone and redone, adds no copy of the pixels: the
// history keeps the image it replaced, not a duplicate. The floor is the heap growth of one copy
// of the main image, measured the same way in the same run. Heap in use is glibc's count of
// allocated bytes (mallinfo2: small blocks plus mapped ones), so every allocation counts, Qt's
// included. Small blocks freed before a measurement and taken again during it can make it read a
// few hundred bytes low; a copy of the pixels never hides. The counter heap_bytes is the growth
// per iteration; the times are by-products.

#include "benchskin.h"
#include "skindocument.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr std::uint32_t kWidth = 4096;
constexpr std::uint32_t kHeight = 3072;
constexpr int kEdits = 100;

std::int64_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
}

// The large skin as a file, removed at exit, and opened as a document.
class CBenchSkin
{
public:
    CBenchSkin()
        : m_path(std::filesystem::temp_directory_path() /
                 ("tavelo-bench-document-" + std::to_string(std::random_device()()) + ".skn"))
    {
        CSkin skin;
        skin.SetMainImage(bench::MakeImage(kWidth, kHeight, 1));
        skin.SetCloseImage(bench::MakeImage(16, 16, 2));
        skin.SetCloseHoverImage(bench::MakeImage(16, 16, 3));
        skin.m_rcTitle = RECT{8, 8, 400, 40};
        skin.m_rcMessage = RECT{8, 48, 400, 300};
        skin.m_rcCloseButton = RECT{4000, 8, 4016, 24};
        CSkinFileStatus status;
        if (!skin.Save(m_path, &status, FileSync::None)) {
            throw std::runtime_error("cannot write the benchmark skin: " + status.Describe());
        }
    }
    ~CBenchSkin()
    {
        std::error_code error;
        std::filesystem::remove(m_path, error);
    }
    CBenchSkin(const CBenchSkin&) = delete;
    CBenchSkin& operator=(const CBenchSkin&) = delete;

    std::unique_ptr<CSkinDocument> Open() const
    {
        CSkinFileStatus status;
        auto pDocument = CSkinDocument::Open(m_path, status);
        if (!pDocument) {
            throw std::runtime_error("cannot open the benchmark skin: " + status.Describe());
        }
        return pDocument;
    }

private:
    std::filesystem::path m_path;
};

const CBenchSkin& Skin()
{
    static const CBenchSkin skin;
    return skin;
}

void SetHeapGrowth(benchmark::State& state, std::int64_t nGrowth)
{
    state.counters["heap_bytes"] =
        benchmark::Counter(static_cast<double>(nGrowth), benchmark::Counter::kAvgIterations);
}

void BM_Floor_ImageCopy(benchmark::State& state)
{
    const auto pDocument = Skin().Open();
    const CDib& image = *pDocument->GetSkin().GetMainImage();
    std::int64_t nGrowth = 0;
    for (auto _ : state) {
        const std::int64_t nBefore = HeapInUse();
        auto pCopy = std::make_unique<CDib>(image);
        nGrowth += HeapInUse() - nBefore;
        benchmark::DoNotOptimize(pCopy.get());
        state.PauseTiming();
        pCopy.reset();
        state.ResumeTiming();
    }
    SetHeapGrowth(state, nGrowth);
}

// Each iteration makes 100 edits that each change something. The history is never cleared in
// between: blocks it freed would be taken again from the allocator's per-thread cache, which
// mallinfo2 counts as in use, and the growth would read too low.
void BM_UndoHistory100Edits(benchmark::State& state)
{
    const auto pDocument = Skin().Open();
    constexpr std::array kRects{SkinRect::Title, SkinRect::Message, SkinRect::CloseButton};
    constexpr std::array kColours{SkinColour::MainTransparent, SkinColour::MessageText,
                                  SkinColour::MessageBack, SkinColour::TitleText,
                                  SkinColour::TitleBack};
    std::int64_t nGrowth = 0;
    LONG nStep = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::int64_t nBefore = HeapInUse();
        const int nSteps = pDocument->UndoStack().count();
        state.ResumeTiming();
        for (int nEdit = 0; nEdit < kEdits; nEdit += 2) {
            ++nStep;
            const SkinRect rect = kRects.at(static_cast<std::size_t>(nStep) % kRects.size());
            RECT rc = pDocument->GetRect(rect);
            rc.right = rc.left + 1 + nStep % 64;
            pDocument->SetRect(rect, rc);
            const SkinColour colour =
                kColours.at(static_cast<std::size_t>(nStep) % kColours.size());
            pDocument->SetColour(colour, RGB(nStep % 256, nStep / 256 % 256, 7));
        }
        state.PauseTiming();
        nGrowth += HeapInUse() - nBefore;
        if (pDocument->UndoStack().count() != nSteps + kEdits) {
            state.SkipWithError("an edit changed nothing");
            break;
        }
        state.ResumeTiming();
    }
    SetHeapGrowth(state, nGrowth);
}

// A new main image applied, undone and redone: the history keeps the other image itself.
void BM_ImageStepUndoRedo(benchmark::State& state)
{
    const auto pDocument = Skin().Open();
    std::int64_t nGrowth = 0;
    std::uint8_t nSeed = 10;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<CDib> pImage = bench::MakeImage(kWidth, kHeight, ++nSeed);
        const std::int64_t nBefore = HeapInUse();
        state.ResumeTiming();
        pDocument->ApplyComponent(COMPONENT_MAIN_WINDOW, ComponentEdit{{}, std::move(pImage), {}});
        pDocument->UndoStack().undo();
        pDocument->UndoStack().redo();
        state.PauseTiming();
        nGrowth += HeapInUse() - nBefore;
        state.ResumeTiming();
    }
    SetHeapGrowth(state, nGrowth);
}

} // namespace

BENCHMARK(BM_Floor_ImageCopy)->Iterations(5);
BENCHMARK(BM_UndoHistory100Edits)->Iterations(20);
BENCHMARK(BM_ImageStepUndoRedo)->Iterations(3);

BENCHMARK_MAIN();
