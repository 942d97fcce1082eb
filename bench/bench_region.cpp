// Turning the pixels of a bitmap into a window region, on four shapes from a close button to the
// worst case of a one-pixel checkerboard. Each is measured beside Qt's own route from a colour key
// to a region (exact key only, no tolerance) and beside a memcpy of the same pixels.

#include "bitmapregion.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <benchmark/benchmark.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);

// A shape in a rounded rectangle on the key colour, filled with a gradient far from the key.
QImage RoundedShape(int nWidth, int nHeight, int nRadius)
{
    QImage image(nWidth, nHeight, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, nWidth, nHeight);
    gradient.setColorAt(0, QColor(250, 230, 120));
    gradient.setColorAt(1, QColor(40, 120, 60));
    QPainterPath path;
    path.addRoundedRect(QRectF(2, 2, nWidth - 4, nHeight - 4), nRadius, nRadius);
    painter.fillPath(path, gradient);
    return image;
}

QImage Checkerboard(int nSize)
{
    QImage image(nSize, nSize, QImage::Format_RGB32);
    for (int y = 0; y < nSize; ++y) {
        auto* const pRow = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < nSize; ++x) {
            pRow[x] = (x + y) % 2 == 0 ? qRgb(255, 0, 255) : qRgb(20, 20, 20);
        }
    }
    return image;
}

struct Shape
{
    const char* name;
    QImage image;
};

const std::vector<Shape>& Shapes()
{
    static const std::vector<Shape> shapes = [] {
        std::vector<Shape> list = {
            {"close256", RoundedShape(256, 256, 60)},
            {"note1024x768", RoundedShape(1024, 768, 40)},
            {"note4096", RoundedShape(4096, 4096, 200)},
            {"checker1024", Checkerboard(1024)},
        };
        return list;
    }();
    return shapes;
}

// What a developer would write: a mask of the key colour, as a bitmap, as a region. (MaskInColor
// yields the shape here: the region takes the bitmap's other colour.)
QRegion QtRoute(const QImage& image)
{
    return QRegion(
        QBitmap::fromImage(image.createMaskFromColor(qRgb(255, 0, 255), Qt::MaskInColor)));
}

// The shapes hold the key exactly, so both routes must give the same pixels; a benchmark of a
// wrong result would mean nothing.
void CheckSameRegions()
{
    for (const Shape& shape : Shapes()) {
        const std::optional<QRegion> ours = MakeRegion(shape.image, kKey, REGION_TOLERANCE);
        if (!ours || !ours->xored(QtRoute(shape.image)).isEmpty()) {
            throw std::runtime_error(std::string("regions differ on ") + shape.name);
        }
    }
}

void SetThroughput(benchmark::State& state, const QImage& image)
{
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(image.sizeInBytes()));
}

void BM_MakeRegion(benchmark::State& state, const QImage& image)
{
    for (auto _ : state) {
        std::optional<QRegion> region = MakeRegion(image, kKey, REGION_TOLERANCE);
        benchmark::DoNotOptimize(region);
    }
    SetThroughput(state, image);
}

// The plain scan, for comparison with the vector one.
void BM_MakeRegionPortable(benchmark::State& state, const QImage& image)
{
    const PixelRows pixels{reinterpret_cast<const std::uint32_t*>(image.constBits()),
                           image.bytesPerLine() / 4, image.width(), image.height()};
    for (auto _ : state) {
        const std::optional<RegionRuns> runs =
            ScanRuns(pixels, kKey, REGION_TOLERANCE, RegionScan::Portable);
        QRegion region = RegionFromRuns(*runs);
        benchmark::DoNotOptimize(region);
    }
    SetThroughput(state, image);
}

void BM_QtMaskRoute(benchmark::State& state, const QImage& image)
{
    for (auto _ : state) {
        QRegion region = QtRoute(image);
        benchmark::DoNotOptimize(region);
    }
    SetThroughput(state, image);
}

void BM_Memcpy(benchmark::State& state, const QImage& image)
{
    std::vector<uchar> target(static_cast<std::size_t>(image.sizeInBytes()));
    for (auto _ : state) {
        std::memcpy(target.data(), image.constBits(), target.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    SetThroughput(state, image);
}

} // namespace

int main(int argc, char** argv)
{
    // QBitmap is a pixmap: Qt's route needs a GUI application.
    QGuiApplication app(argc, argv);
    CheckSameRegions();
    for (const Shape& shape : Shapes()) {
        const std::string suffix = std::string("/") + shape.name;
        benchmark::RegisterBenchmark(("BM_Memcpy" + suffix).c_str(), BM_Memcpy, shape.image);
        benchmark::RegisterBenchmark(("BM_MakeRegion" + suffix).c_str(), BM_MakeRegion,
                                     shape.image);
        benchmark::RegisterBenchmark(("BM_MakeRegionPortable" + suffix).c_str(),
                                     BM_MakeRegionPortable, shape.image);
        benchmark::RegisterBenchmark(("BM_QtMaskRoute" + suffix).c_str(), BM_QtMaskRoute,
                                     shape.image);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
