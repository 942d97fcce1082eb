// The mouse-over swap of a shaped close button: the mouse moves onto the button, which takes its
// mouse-over image and outline, and leaves again, each time until the button is painted. Measured
// on an irregular 1024 x 1024 button (tens of thousands of runs) and an ordinary 64 x 64 one.
//
// Floor: the same two repaints of a plain widget showing the same image, with no shape, in the
// same parent. Goal: the swap within 3x of the floor. Ratios are printed after the table.

#include "bitmapregion.h"
#include "bitmapwnd.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);

// Blobs and stripes on the key colour whose runs change from row to row, as a hand-drawn
// ornament's do; the phase moves the pattern so the mouse-over image has an outline of its own.
QImage IrregularButton(int nSize, double dPhase, QRgb ink)
{
    QImage image(nSize, nSize, QImage::Format_RGB32);
    const double dCentre = nSize / 2.0;
    for (int y = 0; y < nSize; ++y) {
        auto* const pRow = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < nSize; ++x) {
            const double dx = x - dCentre;
            const double dy = y - dCentre;
            const bool bInDisc = dx * dx + dy * dy < dCentre * dCentre;
            const double dField = std::sin(x / 3.0 + 3 * std::sin(y / 23.0 + dPhase)) *
                                  std::cos(y / 5.0 + 2 * std::sin(x / 31.0));
            pRow[x] = bInDisc && dField > -0.3 ? ink : qRgb(255, 0, 255);
        }
    }
    return image;
}

// Shows an image with no shape: what the button costs without one.
class CPlainImageWidget : public QWidget
{
public:
    CPlainImageWidget(QWidget* parent, QImage image) : QWidget(parent), m_image(std::move(image))
    {
        resize(m_image.size());
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, m_image);
    }

private:
    QImage m_image;
};

// Counts the paints of the widgets it watches.
class CPaintCounter : public QObject
{
public:
    int m_nPaints = 0;

protected:
    bool eventFilter(QObject* pWatched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++m_nPaints;
        }
        return QObject::eventFilter(pWatched, event);
    }
};

struct Fixture
{
    explicit Fixture(int nSize)
        : normal(IrregularButton(nSize, 0.0, qRgb(40, 70, 160))),
          hover(IrregularButton(nSize, 0.7, qRgb(200, 60, 30)))
    {
        parent.resize(nSize + 40, nSize + 40);
        parent.setAutoFillBackground(true);
        button.Create(&parent, true);
        button.SetBitmap(normal, kKey);
        button.SetHoverBitmap(hover, kKey);
        button.move(20, 20);
        plain.move(20, 20);
        plain.hide();
        button.installEventFilter(&counter);
        plain.installEventFilter(&counter);
        parent.show();
        QCoreApplication::processEvents();
        for (int y = 0; y < nSize && !opaque; ++y) {
            for (int x = 0; x < nSize && !opaque; ++x) {
                if (normal.pixel(x, y) != qRgb(255, 0, 255)) {
                    opaque = QPoint(x, y);
                }
            }
        }
        const PixelRows pixels{reinterpret_cast<const std::uint32_t*>(normal.constBits()),
                               normal.bytesPerLine() / 4, normal.width(), normal.height()};
        nRuns = static_cast<double>(ScanRuns(pixels, kKey, REGION_TOLERANCE)->rects.size());
    }

    // Processes events until a watched widget has painted; false if none did.
    bool PaintNow()
    {
        const int nBefore = counter.m_nPaints;
        for (int n = 0; n < 100 && counter.m_nPaints == nBefore; ++n) {
            QCoreApplication::processEvents();
        }
        return counter.m_nPaints != nBefore;
    }

    QImage normal;
    QImage hover;
    QWidget parent;
    CBitmapWnd button;
    CPlainImageWidget plain{&parent, normal};
    CPaintCounter counter;
    std::optional<QPoint> opaque;
    double nRuns = 0;
};

// Emptied before the application goes: widgets must not outlive it.
std::map<int, std::unique_ptr<Fixture>>& Fixtures()
{
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    return fixtures;
}

Fixture& Shared(int nSize)
{
    std::unique_ptr<Fixture>& pFixture = Fixtures()[nSize];
    if (!pFixture) {
        pFixture = std::make_unique<Fixture>(nSize);
    }
    return *pFixture;
}

// bCold: the mouse-over image is handed over again before each swap, so the swap also finds its
// visible pixels, as the first swap after a new skin does.
void HoverSwap(benchmark::State& state, bool bCold)
{
    Fixture& f = Shared(static_cast<int>(state.range(0)));
    f.plain.hide();
    f.button.show();
    const QPoint ptLocal = *f.opaque;
    const QPoint ptGlobal = f.button.mapToGlobal(ptLocal);
    for ([[maybe_unused]] auto _ : state) {
        if (bCold) {
            f.button.SetHoverBitmap(f.hover, kKey);
        }
        QMouseEvent move(QEvent::MouseMove, ptLocal, ptGlobal, Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&f.button, &move);
        const bool bEntered = f.button.IsHovered() && f.PaintNow();
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&f.button, &leave);
        if (!bEntered || f.button.IsHovered() || !f.PaintNow()) {
            state.SkipWithError("the button did not swap its image and repaint");
            break;
        }
    }
    state.counters["runs"] = f.nRuns;
}

void BM_HoverSwap(benchmark::State& state)
{
    HoverSwap(state, false);
}
BENCHMARK(BM_HoverSwap)->Arg(1024)->Arg(64)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_HoverSwapCold(benchmark::State& state)
{
    HoverSwap(state, true);
}
BENCHMARK(BM_HoverSwapCold)->Arg(1024)->Arg(64)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Floor_PlainRepaint(benchmark::State& state)
{
    Fixture& f = Shared(static_cast<int>(state.range(0)));
    f.button.hide();
    f.plain.show();
    for ([[maybe_unused]] auto _ : state) {
        f.plain.update();
        const bool bFirst = f.PaintNow();
        f.plain.update();
        if (!bFirst || !f.PaintNow()) {
            state.SkipWithError("the plain widget did not repaint");
            break;
        }
    }
}
BENCHMARK(BM_Floor_PlainRepaint)->Arg(1024)->Arg(64)->Unit(benchmark::kMicrosecond)->UseRealTime();

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
    // scripts/bench sets each swap beside the plain repaint of its size (bench/goals.tsv).
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Fixtures().clear();
    return 0;
}
