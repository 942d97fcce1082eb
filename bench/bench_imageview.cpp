// Painting the image view with a 1920 x 1080 skin: two 64 x 64 close-button overlays, both
// samples and the picker shown, into an image the size of the view.
//
// Floor: one QPainter::drawImage of the same image, opaque and in the screen copy's own format,
// into the same target, timed in turns with each paint (timeagainstfloor.h). Goals: a warm full
// paint (images already handed over) within 1.5x of the floor. The cold paint also hands the
// images over (decoding and colour keying them) before painting: what showing a newly chosen skin
// costs once. The drag paint repaints only the picker's area, as a drag step does.

#include "bytestream.h"
#include "dib.h"
#include "dibimage.h"
#include "skinimageview.h"
#include "timeagainstfloor.h"

#include <QApplication>
#include <QPainter>
#include <QWheelEvent>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kOverlay = 64;
constexpr COLORREF kKey = RGB(255, 0, 255);

void PutDWord(std::vector<std::uint8_t>& bytes, std::size_t nAt, std::uint32_t n)
{
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[nAt + i] = static_cast<std::uint8_t>((n >> (8 * i)) & 0xFF);
    }
}

// A 24-bit bitmap with a gradient, keyed in its four corners as a skin with rounded corners is.
std::unique_ptr<CDib> MakeSkinImage(int nWidth, int nHeight, int nCorner)
{
    const auto nStride = static_cast<std::uint32_t>((nWidth * 3 + 3) / 4 * 4);
    const std::uint32_t nPixels = nStride * static_cast<std::uint32_t>(nHeight);
    std::vector<std::uint8_t> bytes(54 + std::size_t{nPixels}, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutDWord(bytes, 2, 54 + nPixels);
    PutDWord(bytes, 10, 54);
    PutDWord(bytes, 14, 40);
    PutDWord(bytes, 18, static_cast<std::uint32_t>(nWidth));
    PutDWord(bytes, 22, static_cast<std::uint32_t>(nHeight));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x) {
            const bool bCorner =
                (x < nCorner || x >= nWidth - nCorner) && (y < nCorner || y >= nHeight - nCorner);
            const std::size_t nAt = 54 + std::size_t{nStride} * static_cast<std::size_t>(y) +
                                    static_cast<std::size_t>(x) * 3;
            bytes[nAt] = bCorner ? 255 : static_cast<std::uint8_t>(x);
            bytes[nAt + 1] = bCorner ? 0 : static_cast<std::uint8_t>(y);
            bytes[nAt + 2] = bCorner ? 255 : static_cast<std::uint8_t>(x + y);
        }
    }
    auto pDib = std::make_unique<CDib>();
    CMemorySource source(bytes);
    if (pDib->Read(source) == 0) {
        return nullptr;
    }
    return pDib;
}

struct Fixture
{
    std::unique_ptr<CDib> pMain = MakeSkinImage(kWidth, kHeight, 24);
    std::unique_ptr<CDib> pClose = MakeSkinImage(kOverlay, kOverlay, 6);
    std::unique_ptr<CDib> pCloseHover = MakeSkinImage(kOverlay, kOverlay, 6);
    CSkinImageView view;
    QImage target{kWidth + 20, kHeight + 20, QImage::Format_ARGB32_Premultiplied};

    Fixture()
    {
        view.resize(target.size());
        view.m_nShowParts = 0xF;
        LOGFONT font;
        font.lfHeight = -14;
        font.lfWeight = FW_BOLD;
        view.SetTitleSample("A title long enough to be cut short at the end of its area", 40, 20,
                            400, 44, &font, RGB(40, 40, 40));
        font.lfWeight = FW_NORMAL;
        view.SetMessageSample("The message wraps at word boundaries inside its area; a line "
                              "that would show only partly is left out. "
                              "Lorem ipsum dolor sit amet, consectetur adipiscing elit.",
                              40, 60, 600, 300, &font, RGB(0, 0, 0));
        HandOver();
        view.HidePicker(false);
        view.render(&target); // records the origin
        view.SetPickerRect(40, 20, 400, 44);
    }

    void HandOver()
    {
        view.SetImage(pMain.get(), kKey);
        view.AddOverlay(pClose.get(), kWidth - 80, 16, kWidth - 16, 80, kKey);
        view.AddOverlay(pCloseHover.get(), kWidth - 80, 16, kWidth - 16, 80, kKey);
    }
};

Fixture& Shared()
{
    static Fixture fixture;
    return fixture;
}

void SetPixels(benchmark::State& state, std::int64_t nPerIteration)
{
    state.SetItemsProcessed(state.iterations() * nPerIteration);
}

// The floor: one opaque blit of the main image, in the screen copy's own format.
class CFloorBlit
{
public:
    explicit CFloorBlit(Fixture& f) : m_f(f), m_opaque(CreateDDB(*f.pMain)) {}

    bool operator()()
    {
        QPainter painter(&m_f.target);
        painter.drawImage(10, 10, m_opaque);
        painter.end();
        benchmark::DoNotOptimize(m_f.target.constBits());
        return true;
    }

private:
    Fixture& m_f;
    QImage m_opaque;
};

void BM_PaintWarm(benchmark::State& state)
{
    Fixture& f = Shared();
    bench::TimeAgainstFloor(
        state,
        [&f] {
            f.view.render(&f.target);
            benchmark::DoNotOptimize(f.target.constBits());
            return true;
        },
        CFloorBlit(f));
    SetPixels(state, std::int64_t{kWidth} * kHeight);
}
BENCHMARK(BM_PaintWarm)->Unit(benchmark::kMicrosecond)->UseManualTime();

void BM_PaintCold(benchmark::State& state)
{
    Fixture& f = Shared();
    bench::TimeAgainstFloor(
        state,
        [&f] {
            f.HandOver();
            f.view.render(&f.target);
            benchmark::DoNotOptimize(f.target.constBits());
            return true;
        },
        CFloorBlit(f));
    SetPixels(state, std::int64_t{kWidth} * kHeight);
}
BENCHMARK(BM_PaintCold)->Unit(benchmark::kMicrosecond)->UseManualTime();

// Of the cold paint: decoding the main image alone.
void BM_DecodeMainImage(benchmark::State& state)
{
    const Fixture& f = Shared();
    for ([[maybe_unused]] auto _ : state) {
        benchmark::DoNotOptimize(CreateDDB(*f.pMain));
    }
    SetPixels(state, std::int64_t{kWidth} * kHeight);
}
BENCHMARK(BM_DecodeMainImage)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One step of a drag: the picker's old and new places repainted.
void BM_PaintDragStep(benchmark::State& state)
{
    Fixture& f = Shared();
    const QRegion region(QRect(10 + 40, 10 + 20, 360 + 8, 24 + 8));
    bench::TimeAgainstFloor(
        state,
        [&f, &region] {
            f.view.render(&f.target, QPoint(), region);
            benchmark::DoNotOptimize(f.target.constBits());
            return true;
        },
        CFloorBlit(f));
    SetPixels(state, std::int64_t{kWidth} * kHeight);
}
BENCHMARK(BM_PaintDragStep)->Unit(benchmark::kMicrosecond)->UseManualTime();

// Zoomed: a 1280 x 800 view of the same skin at 1/4, 1 and 8, against one drawImage of an
// opaque image of the view's size into the same target (timed in turns). Only the visible part
// is scaled, so the cost follows the view, not the image.
constexpr int kViewWidth = 1280;
constexpr int kViewHeight = 800;

struct ZoomFixture
{
    std::unique_ptr<CDib> pMain = MakeSkinImage(kWidth, kHeight, 24);
    std::unique_ptr<CDib> pHuge = MakeSkinImage(4096, 4096, 64);
    CSkinImageView view;
    QImage target{kViewWidth, kViewHeight, QImage::Format_ARGB32_Premultiplied};
    QImage visible{kViewWidth, kViewHeight, QImage::Format_RGB32};

    ZoomFixture()
    {
        view.resize(target.size());
        visible.fill(Qt::gray);
    }
};

ZoomFixture& SharedZoom()
{
    static ZoomFixture fixture;
    return fixture;
}

bool BlitVisible(ZoomFixture& f)
{
    QPainter painter(&f.target);
    painter.drawImage(0, 0, f.visible);
    painter.end();
    benchmark::DoNotOptimize(f.target.constBits());
    return true;
}

void BM_PaintZoomed(benchmark::State& state)
{
    ZoomFixture& f = SharedZoom();
    f.view.SetImage(f.pMain.get(), kKey);
    f.view.SetZoomIndex(static_cast<int>(state.range(0)));
    bench::TimeAgainstFloor(
        state,
        [&f] {
            // The view alone: its scroll bars are Qt's and repaint only when they change.
            f.view.render(&f.target, QPoint(), QRegion(), QWidget::DrawWindowBackground);
            benchmark::DoNotOptimize(f.target.constBits());
            return true;
        },
        [&f] { return BlitVisible(f); });
    SetPixels(state, std::int64_t{kViewWidth} * kViewHeight);
}
// Steps 1/4, 1 and 8.
BENCHMARK(BM_PaintZoomed)->Arg(1)->Arg(3)->Arg(8)->Unit(benchmark::kMicrosecond)->UseManualTime();

// One Ctrl+wheel notch on a 4096 x 4096 skin, between 1 and 2 and back, without its paint.
// Paints reuse the scaled copy of the view until zoom, scroll, size or image change: the zoomed
// paints above are repeated paints of one state, the painted notch below a paint after a change.
void TimeWheelNotches(benchmark::State& state, bool bPaint)
{
    ZoomFixture& f = SharedZoom();
    f.view.SetImage(f.pHuge.get(), kKey);
    f.view.ZoomActualSize();
    int nNotch = 120;
    const QPointF ptAt(400, 300);
    bench::TimeAgainstFloor(
        state,
        [&f, &nNotch, &ptAt, bPaint] {
            QWheelEvent event(ptAt, ptAt, QPoint(), QPoint(0, nNotch), Qt::NoButton,
                              Qt::ControlModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&f.view, &event);
            nNotch = -nNotch;
            if (bPaint) {
                f.view.render(&f.target, QPoint(), QRegion(), QWidget::DrawWindowBackground);
                benchmark::DoNotOptimize(f.target.constBits());
            }
            return true;
        },
        [&f] { return BlitVisible(f); });
}

void BM_WheelStep(benchmark::State& state)
{
    TimeWheelNotches(state, false);
}
BENCHMARK(BM_WheelStep)->Unit(benchmark::kMicrosecond)->UseManualTime();

// The same notch with the paint that follows it: the newly visible part scaled, then blitted.
void BM_WheelStepPainted(benchmark::State& state)
{
    TimeWheelNotches(state, true);
}
BENCHMARK(BM_WheelStepPainted)->Unit(benchmark::kMicrosecond)->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    if (!Shared().pMain) {
        std::fprintf(stderr, "the test bitmap did not read\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
