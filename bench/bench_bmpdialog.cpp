// Stepping through large bitmaps in the bitmap open dialog: six 4096 x 2048 24-bit files (24 MB
// each) selected one after another faster than a file decodes, as a held arrow key does, until
// the last one's preview is ready.
//
// Floor: reading the last file's preview once, in the same run. Goal: the stepping within 1.5x of
// the floor, that is, the files stepped past cost next to nothing.

#include "bmpdialog.h"
#include "bmppreview.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QThreadPool>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>

namespace {

constexpr int kWidth = 4096;
constexpr int kHeight = 2048;
constexpr int kFiles = 6;

void PutDWord(QByteArray& bytes, int nAt, std::uint32_t n)
{
    for (int i = 0; i < 4; ++i) {
        bytes[nAt + i] = static_cast<char>((n >> (8 * i)) & 0xFF);
    }
}

QByteArray MakeBmp(char cShade)
{
    const auto nPixels = static_cast<std::uint32_t>(kWidth * 3 * kHeight);
    QByteArray bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutDWord(bytes, 2, 54 + nPixels);
    PutDWord(bytes, 10, 54);
    PutDWord(bytes, 14, 40);
    PutDWord(bytes, 18, kWidth);
    PutDWord(bytes, 22, kHeight);
    bytes[26] = 1;
    bytes[28] = 24;
    bytes.append(static_cast<qsizetype>(nPixels), cShade);
    return bytes;
}

struct Files
{
    QTemporaryDir dir;
    QStringList paths;

    Files()
    {
        for (int i = 0; i < kFiles; ++i) {
            paths << dir.filePath(QStringLiteral("large%1.bmp").arg(i));
            QFile file(paths.back());
            if (!file.open(QIODevice::WriteOnly) || file.write(MakeBmp(char(40 * i))) < 54) {
                paths.clear();
                return;
            }
        }
    }
};

const Files& Shared()
{
    static const Files files;
    return files;
}

void BM_Floor_LoadOnce(benchmark::State& state)
{
    for ([[maybe_unused]] auto _ : state) {
        benchmark::DoNotOptimize(LoadBmpPreview(Shared().paths.back()));
    }
}
BENCHMARK(BM_Floor_LoadOnce)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StepThroughFiles(benchmark::State& state)
{
    CBmpDialog dialog;
    dialog.show(); // the preview switch takes its state when the dialog opens
    for ([[maybe_unused]] auto _ : state) {
        for (const QString& strPath : Shared().paths) {
            emit dialog.currentChanged(strPath);
            QCoreApplication::processEvents();
        }
        dialog.WaitForPreview();
        if (dialog.findChild<QLabel*>(QString::number(CBmpDialog::IDC_WIDTH))->text().isEmpty()) {
            state.SkipWithError("the last preview did not show");
            break;
        }
        // Whatever still runs for the files stepped past belongs to this round, not the next.
        state.PauseTiming();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StepThroughFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

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
    if (Shared().paths.size() != kFiles) {
        std::fprintf(stderr, "the test bitmaps could not be written\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
