// tavelo-skn render run as a real process on the sample skins.

#include "bitmapregion.h"
#include "childprocess.h"
#include "dibimage.h"
#include "sknfixture.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

const std::string kSamples = TAVELO_SAMPLES_DIR;

std::size_t LineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

struct Loaded
{
    CSkin skin;
    QImage main;
};

std::unique_ptr<Loaded> LoadSample(const std::string& name)
{
    auto pLoaded = std::make_unique<Loaded>();
    if (!pLoaded->skin.Load(kSamples + "/" + name)) {
        return nullptr;
    }
    pLoaded->main = CreateDDB(*pLoaded->skin.GetMainImage());
    return pLoaded;
}

QRect ToQRect(const RECT& rc)
{
    return QRect(QPoint(rc.left, rc.top), QPoint(rc.right - 1, rc.bottom - 1));
}

// Pixels of the render that differ from the main image, within its shape.
QRegion ChangedPixels(const QImage& render, const QImage& main)
{
    QRegion changed;
    for (int y = 0; y < main.height(); ++y) {
        for (int x = 0; x < main.width(); ++x) {
            if (qAlpha(render.pixel(x, y)) == 255 &&
                (render.pixel(x, y) & 0xFFFFFFu) != (main.pixel(x, y) & 0xFFFFFFu)) {
                changed += QRect(x, y, 1, 1);
            }
        }
    }
    return changed;
}

class SknRender : public ::testing::TestWithParam<const char*>
{
protected:
    QImage Render(const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> args = {"render", kSamples + "/" + GetParam(), PathOf("out.png")};
        args.insert(args.end(), extra.begin(), extra.end());
        const ToolResult result = RunTool(args, m_dir);
        EXPECT_EQ(result.nExit, 0) << result.strErr;
        EXPECT_EQ(result.strErr, "");
        return QImage(QString::fromStdString(PathOf("out.png")));
    }
    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    TempDir m_dir;
};

TEST_P(SknRender, AlphaFollowsTheTransparentColourWindow)
{
    const std::unique_ptr<Loaded> pSample = LoadSample(GetParam());
    ASSERT_NE(pSample, nullptr);
    const QImage render = Render();
    ASSERT_FALSE(render.isNull());
    ASSERT_TRUE(render.hasAlphaChannel());
    ASSERT_EQ(render.size(), pSample->main.size());
    int nWrong = 0;
    int nTransparent = 0;
    for (int y = 0; y < render.height(); ++y) {
        for (int x = 0; x < render.width(); ++x) {
            const bool bTransparent = IsTransparentPixel(
                pSample->main.pixel(x, y), pSample->skin.m_crMainTransparent, REGION_TOLERANCE);
            nTransparent += bTransparent ? 1 : 0;
            nWrong += qAlpha(render.pixel(x, y)) != (bTransparent ? 0 : 255) ? 1 : 0;
        }
    }
    EXPECT_EQ(nWrong, 0);
    EXPECT_GT(nTransparent, 0);
}

TEST_P(SknRender, TitleAndMessageStayInTheirRectangles)
{
    const std::unique_ptr<Loaded> pSample = LoadSample(GetParam());
    ASSERT_NE(pSample, nullptr);
    const CSkin& skin = pSample->skin;
    const QRegion changed = ChangedPixels(Render(), pSample->main);
    const QRect title = ToQRect(skin.m_rcTitle);
    const QRegion parts =
        QRegion(title) + ToQRect(skin.m_rcMessage) + ToQRect(skin.m_rcCloseButton);
    EXPECT_TRUE(changed.subtracted(parts).isEmpty());
    // The title is drawn: its rectangle changed where neither the message nor the button lies.
    EXPECT_FALSE(changed.intersected(title)
                     .subtracted(QRegion(ToQRect(skin.m_rcMessage)) + ToQRect(skin.m_rcCloseButton))
                     .isEmpty());

    const QRegion withMessage =
        ChangedPixels(Render({"--message", "Buy milk\nand bread"}), pSample->main);
    const QRegion added = withMessage.xored(changed);
    EXPECT_FALSE(added.isEmpty());
    EXPECT_TRUE(added.subtracted(ToQRect(skin.m_rcMessage)).isEmpty());
}

// What a file manager's thumbnailer asks for: the longer side is N, up or down, and the note keeps
// its proportions and its transparent surroundings.
TEST_P(SknRender, SizeScalesTheLongerSideKeepingAspectAndTransparency)
{
    const QImage full = Render();
    for (const int nSide : {1, 48, 256, 1000}) {
        SCOPED_TRACE(nSide);
        const QImage scaled = Render({"--size", std::to_string(nSide)});
        ASSERT_EQ(std::max(scaled.width(), scaled.height()), nSide);
        const double aspect = double(full.width()) / full.height();
        EXPECT_NEAR(double(scaled.width()) / scaled.height(), aspect, nSide < 48 ? 1.0 : 0.05);
        int nClear = 0;
        int nOpaque = 0;
        for (int y = 0; y < scaled.height(); ++y) {
            for (int x = 0; x < scaled.width(); ++x) {
                nClear += qAlpha(scaled.pixel(x, y)) == 0 ? 1 : 0;
                nOpaque += qAlpha(scaled.pixel(x, y)) == 255 ? 1 : 0;
            }
        }
        if (nSide >= 48) {
            EXPECT_GT(nClear, 0);
            EXPECT_GT(nOpaque, 0);
        }
    }
}

// On a scaled screen the picture is still one pixel per skin pixel, in the same shape.
TEST_P(SknRender, AScaledScreenDrawsTheSamePicture)
{
    const QImage plain = Render();
    qputenv("QT_SCALE_FACTOR", "2");
    const QImage scaled = Render();
    qunsetenv("QT_SCALE_FACTOR");
    ASSERT_EQ(scaled.size(), plain.size());
    int nShapeDiffers = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            nShapeDiffers += qAlpha(plain.pixel(x, y)) != qAlpha(scaled.pixel(x, y)) ? 1 : 0;
        }
    }
    EXPECT_EQ(nShapeDiffers, 0);
}

INSTANTIATE_TEST_SUITE_P(Samples, SknRender, ::testing::Values("yellow-note.skn", "leaf.skn"));

// The worst shape there is: every other pixel transparent, one rectangle per opaque pixel.
TEST(SknRenderShapes, ACheckerboardKeepsExactlyItsOpaquePixels)
{
    constexpr LONG kSide = 64;
    BmpLayout layout{.width = kSide, .height = kSide, .bitCount = 1};
    layout.table = {0, 0, 0, 0, 0xFF, 0, 0xFF, 0};
    const std::uint32_t nStride = StrideFor(1, kSide);
    layout.bits.assign(std::size_t{nStride} * kSide, 0);
    for (LONG y = 0; y < kSide; ++y) {
        for (LONG x = (y & 1); x < kSide; x += 2) {
            layout.bits[y * nStride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    TempDir dir;
    CSkin skin;
    FillSampleSkin(skin);
    skin.SetMainImage(MakeDib(layout));
    SaveSkin(skin, dir / "checker.skn");
    const std::string out = (dir / "checker.png").string();
    ASSERT_EQ(RunTool({"render", (dir / "checker.skn").string(), out}, dir).nExit, 0);
    const QImage render(QString::fromStdString(out));
    ASSERT_EQ(render.size(), QSize(kSide, kSide));
    int nWrong = 0;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            // Stored rows have the key where x + row is even; they run bottom-up from row 63.
            nWrong += qAlpha(render.pixel(x, y)) != ((x + y) % 2 == 1 ? 0 : 255) ? 1 : 0;
        }
    }
    EXPECT_EQ(nWrong, 0);
}

TEST(SknRenderErrors, FailuresAreOneLineAndWriteNothing)
{
    TempDir dir;
    CSkin sample;
    FillSampleSkin(sample);
    SaveSkin(sample, dir / "good.skn");
    WriteText(dir / "bad.skn", "not a skin");
    const std::string out = (dir / "out.png").string();
    struct Case
    {
        std::vector<std::string> args;
        std::string start;
    };
    const Case cases[] = {
        {{"render", (dir / "missing.skn").string(), out}, "tavelo-skn: "},
        {{"render", (dir / "bad.skn").string(), out}, "tavelo-skn: "},
        {{"render", (dir / "good.skn").string(), (dir / "no" / "such" / "x.png").string()},
         "tavelo-skn: "},
        {{"render", (dir / "good.skn").string()}, "tavelo-skn: render: expected FILE and OUT.png"},
        {{"render", (dir / "good.skn").string(), out, "--message"},
         "tavelo-skn: render: option '--message' needs a TEXT"},
        {{"render", "--size", (dir / "good.skn").string(), out},
         "tavelo-skn: render: option '--size' needs a whole number N from 1 to 4096"},
        {{"render", (dir / "good.skn").string(), out, "--size=0"}, "tavelo-skn: render: option"},
        {{"render", (dir / "good.skn").string(), out, "--size=4097"}, "tavelo-skn: render: option"},
        {{"render", (dir / "good.skn").string(), out, "--size", "+64"},
         "tavelo-skn: render: option"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        const ToolResult result = RunTool(c.args, dir);
        EXPECT_EQ(result.nExit, 2);
        EXPECT_EQ(result.strErr.rfind(c.start, 0), 0u) << result.strErr;
        EXPECT_EQ(result.strOut, "");
        EXPECT_FALSE(std::filesystem::exists(dir / "out.png"));
    }
    // Only usage errors add the hint line; the others are a single line.
    EXPECT_EQ(LineCount(RunTool(cases[0].args, dir).strErr), 1u);
    EXPECT_EQ(LineCount(RunTool(cases[2].args, dir).strErr), 1u);

    const ToolResult help = RunTool({"render", "--help"}, dir);
    EXPECT_EQ(help.nExit, 0);
    EXPECT_EQ(help.strOut.rfind("Usage: tavelo-skn render [--size N]", 0), 0u);
}

TEST(SknRenderErrors, ImagesBeyondThePixelLimitsAreRefusedByEveryCommand)
{
    TempDir dir;
    CSkin skin;
    FillSampleSkin(skin);
    skin.SetMainImage(MakeDib(Rle8()));
    const std::filesystem::path path = dir / "huge.skn";
    Bytes bytes = SaveSkin(skin, path);
    CSkinFileStatus status;
    ASSERT_TRUE(CSkin().Load(path, &status));
    // Run-length data stays a few bytes whatever size the header declares.
    const std::size_t nMain = status.imageChunks[0].nOffset;
    PutLE32(bytes, nMain + 18, 5793);
    PutLE32(bytes, nMain + 22, 5793);
    WriteBytesTo(path, bytes);
    const std::vector<std::vector<std::string>> commands = {
        {"check", path.string()}, {"info", path.string()}, {"render", path.string(), "huge.png"}};
    for (const std::vector<std::string>& args : commands) {
        SCOPED_TRACE(args.front());
        const ToolResult result = RunTool(args, dir);
        EXPECT_EQ(result.nExit, 2);
        EXPECT_NE((result.strOut + result.strErr).find("5793 x 5793 pixels"), std::string::npos)
            << result.strOut << result.strErr;
        EXPECT_FALSE(std::filesystem::exists(dir / "huge.png"));
    }
}

#ifndef _WIN32
TEST(SknRenderErrors, AFullDiskFailsAndKeepsTheOldPngWhole)
{
    TempDir dir;
    const std::string out = (dir / "note.png").string();
    ASSERT_EQ(RunTool({"render", kSamples + "/leaf.skn", out}, dir).nExit, 0);
    const Bytes old = ReadBytesFrom(out);
    const std::string skin = kSamples + "/yellow-note.skn";
    const std::string err = (dir / "err.txt").string();
    const int nStatus = RunInChild(
        [&] {
            // Past the limit a write fails as on a full disk, instead of signalling.
            std::signal(SIGXFSZ, SIG_IGN);
            LimitResource(RLIMIT_FSIZE, 1024);
            static_cast<void>(std::freopen(err.c_str(), "w", stderr));
        },
        [&] {
            execl(TAVELO_SKN_EXE, TAVELO_SKN_EXE, "render", skin.c_str(), out.c_str(), nullptr);
            return 127;
        });
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 2);
    EXPECT_EQ(ReadText(err).rfind("tavelo-skn: " + out + ": cannot write the image: ", 0), 0u)
        << ReadText(err);
    EXPECT_EQ(ReadBytesFrom(out), old);
    std::vector<std::string> files = dir.FileNames();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"err.txt", "note.png"}));
}

// Runs the tool with no display and no platform chosen, as on a build machine.
int RunWithoutDisplay(const std::string& strArgs)
{
    const std::string strCommand = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                                   std::string(TAVELO_SKN_EXE) + "' " + strArgs +
                                   " >/dev/null 2>&1";
    const int nStatus = std::system(strCommand.c_str());
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
}

TEST(SknRenderErrors, WorksWithoutADisplayAndLeavesOtherCommandsAlone)
{
    TempDir dir;
    const std::string sample = kSamples + "/leaf.skn";
    EXPECT_EQ(RunWithoutDisplay("render '" + sample + "' '" + (dir / "leaf.png").string() + "'"),
              0);
    EXPECT_FALSE(QImage(QString::fromStdString((dir / "leaf.png").string())).isNull());
    EXPECT_EQ(RunWithoutDisplay("info '" + sample + "'"), 0);
    EXPECT_EQ(RunWithoutDisplay("check '" + sample + "'"), 0);
}
#endif

} // namespace
