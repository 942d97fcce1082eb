// tavelo-skn run as a real process on real files.

#include "sknfixture.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

// UTF-8 of the sample skin's Windows-1252 strings: e-acute is C3 A9, the euro sign E2 82 AC.
const std::string kSampleInfoJson =
    R"({"version": 1, "title": "Caf)"
    "\xC3\xA9"
    R"( \"Noir\"", "author": "Ana", "date": "2024-05-01", "comment": "Price )"
    "\xE2\x82\xAC"
    R"( 5\u000aTab\u0009here\\", )"
    R"("images": {"main": {"width": 4, "height": 2, "bitCount": 24, "compression": 0, )"
    R"("colorCount": 0, "chunkSize": 78}, )"
    R"("close": {"width": 2, "height": 2, "bitCount": 8, "compression": 0, "colorCount": 2, )"
    R"("chunkSize": 70}, )"
    R"("closeHover": {"width": 4, "height": 2, "bitCount": 8, "compression": 1, )"
    R"("colorCount": 2, "chunkSize": 70}}, )"
    R"("rects": {"closeButton": [1, 2, 3, 4], "title": [-5, 0, 40, 10], )"
    R"("message": [0, 10, 4, 20]}, )"
    R"("colours": {"mainTransparent": 16711935, "closeTransparent": 0, )"
    R"("closeHoverTransparent": 4278190080, "messageBack": 16777215, "titleBack": 1193046, )"
    R"("messageText": 1, "titleText": 11259375}, )"
    R"("fonts": {"message": {"faceName": "MS Shell Dlg", "height": -11, "width": 0, )"
    R"("escapement": 0, "orientation": 0, "weight": 400, "italic": 0, "underline": 0, )"
    R"("strikeOut": 0, "charSet": 1, "outPrecision": 0, "clipPrecision": 0, "quality": 0, )"
    R"("pitchAndFamily": 0}, )"
    R"("title": {"faceName": "Tahoma", "height": 13, "width": 0, "escapement": 900, )"
    R"("orientation": 900, "weight": 700, "italic": 1, "underline": 1, "strikeOut": 0, )"
    R"("charSet": 0, "outPrecision": 3, "clipPrecision": 2, "quality": 5, )"
    R"("pitchAndFamily": 34}}, )"
    R"("missingPart": 0})"
    "\n";

std::size_t LineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class SknCli : public ::testing::Test
{
protected:
    // The sample skin saved as good.skn; its bytes.
    Bytes SaveSample()
    {
        CSkin skin;
        FillSampleSkin(skin);
        return SaveSkin(skin, m_dir / "good.skn");
    }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    TempDir m_dir;
};

TEST_F(SknCli, InfoJsonPrintsTheSampleSkinExactly)
{
    SaveSample();
    const ToolResult result = RunTool({"info", "--json", PathOf("good.skn")}, m_dir);
    EXPECT_EQ(result.nExit, 0);
    EXPECT_EQ(result.strOut, kSampleInfoJson);
    EXPECT_EQ(result.strErr, "");
}

TEST_F(SknCli, InfoSummaryShowsDecodedTextAndColours)
{
    SaveSample();
    const ToolResult result = RunTool({"info", PathOf("good.skn")}, m_dir);
    EXPECT_EQ(result.nExit, 0);
    for (const std::string& strExpected :
         {std::string("Title:              \"Caf\xC3\xA9 \\\"Noir\\\"\"\n"),
          std::string("Main transparent:   #ff00ff (0x00ff00ff)\n"),
          std::string("Hover transparent:  #000000 (0xff000000)\n"),
          std::string("Title rect:         left -5, top 0, right 40, bottom 10\n"),
          std::string("Missing part:       None\n")}) {
        EXPECT_NE(result.strOut.find(strExpected), std::string::npos) << strExpected;
    }
}

TEST_F(SknCli, ExitCodesAndSingleErrorLine)
{
    const Bytes good = SaveSample();
    WriteBytesTo(m_dir / "truncated.skn", Bytes(good.begin(), good.begin() + 150));
    Bytes version2 = good;
    version2[0] = 2;
    WriteBytesTo(m_dir / "version2.skn", version2);
    WriteText(m_dir / "notes.txt", "Shopping list: milk, bread, eggs.\n");

    struct Case
    {
        const char* pszFile;
        int nExit;
        const char* pszError; // what the one line on standard error says
    };
    const Case cases[] = {
        {"good.skn", 0, nullptr},
        {"truncated.skn", 2,
         "the file ends early at byte 150 (in the close button image, which starts at byte "
         "129)"},
        {"notes.txt", 2, "not a skin file"},
        {"version2.skn", 2,
         "This skin is a version this skin reader does not recognize. (version 2)"},
        {"missing.skn", 2, "no such file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszFile);
        const std::string strPath = PathOf(c.pszFile);
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"info", strPath},
              std::vector<std::string>{"info", "--json", strPath}}) {
            const ToolResult result = RunTool(args, m_dir);
            EXPECT_EQ(result.nExit, c.nExit);
            if (c.pszError == nullptr) {
                EXPECT_EQ(result.strErr, "");
            } else {
                EXPECT_EQ(result.strErr, "tavelo-skn: " + strPath + ": " + c.pszError + "\n");
                EXPECT_EQ(result.strOut, "");
            }
        }
        const ToolResult check = RunTool({"check", strPath}, m_dir);
        EXPECT_EQ(check.nExit, c.nExit);
        if (c.pszError != nullptr) {
            EXPECT_EQ(check.strOut, strPath + ": error: " + c.pszError + "\n");
        }
        EXPECT_EQ(check.strErr, "");
    }
}

TEST_F(SknCli, CheckPrintsEachIssueAndExitsBySeverity)
{
    CSkin skin;
    ASSERT_TRUE(skin.Load(TAVELO_SAMPLES_DIR "/yellow-note.skn"));
    SaveSkin(skin, m_dir / "clean.skn");
    skin.m_rcTitle.left = -3;
    SaveSkin(skin, m_dir / "warned.skn");
    WriteBytesTo(m_dir / "empty.skn", {});
    const std::string clean = PathOf("clean.skn");
    const std::string warned = PathOf("warned.skn");
    const std::string empty = PathOf("empty.skn");
    const std::string strWarning =
        "the title rectangle (-3, 5, 206, 25) reaches outside the 240 x 200 main image";
    const std::string strEmpty = "not a skin file (it is empty)";

    struct Case
    {
        std::vector<std::string> args;
        int nExit;
        std::string strOut;
    };
    const Case cases[] = {
        {{"check", clean}, 0, clean + ": ok\n"},
        {{"check", "--strict", clean}, 0, clean + ": ok\n"},
        {{"check", warned}, 0, warned + ": warning: Title: " + strWarning + "\n"},
        {{"check", "--strict", warned, clean},
         1,
         warned + ": warning: Title: " + strWarning + "\n" + clean + ": ok\n"},
        {{"check", "--strict", clean, empty, warned},
         2,
         clean + ": ok\n" + empty + ": error: " + strEmpty + "\n" + warned +
             ": warning: Title: " + strWarning + "\n"},
        {{"check", "--json", clean, warned, empty},
         2,
         R"({"file": ")" + clean + R"(", "ok": true, "issues": []})" + "\n" + R"({"file": ")" +
             warned +
             R"(", "ok": false, "issues": [{"severity": "warning", "rule": )"
             R"("rect-outside-image", "component": "Title", "message": ")" +
             strWarning + R"("}]})" + "\n" + R"({"file": ")" + empty +
             R"(", "ok": false, "issues": [{"severity": "error", "rule": "unreadable", )"
             R"("component": null, "message": ")" +
             strEmpty + R"("}]})" + "\n"},
        {{"check", "--json", "--strict", warned}, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const ToolResult result = RunTool(c.args, m_dir);
        EXPECT_EQ(result.nExit, c.nExit);
        if (!c.strOut.empty()) {
            EXPECT_EQ(result.strOut, c.strOut);
        }
        EXPECT_EQ(result.strErr, "");
    }
}

TEST_F(SknCli, CheckJsonKeepsMalformedFileNamesValid)
{
    const ToolResult result = RunTool({"check", "--json", PathOf("bad\xFF\xC3(name).skn")}, m_dir);
    EXPECT_EQ(result.nExit, 2);
    EXPECT_NE(result.strOut.find("bad\xEF\xBF\xBD\xEF\xBF\xBD(name).skn"), std::string::npos)
        << result.strOut;
}

// Skins that stress one kind of field each; extract then pack must give every one back unchanged.
void FillLongStrings(CSkin& skin)
{
    FillSampleSkin(skin);
    std::string strAllBytes;
    for (int n = 0; n < 256; ++n) {
        strAllBytes.push_back(static_cast<char>(n));
    }
    skin.m_strTitle = strAllBytes;               // every byte, NUL and the undefined five too
    skin.m_strComment = std::string(70000, 'x'); // the longest length form
    skin.m_strAuthor = std::string(300, '\x9D'); // the middle length form
    skin.m_strDate.clear();
    LOGFONT lf{};
    const std::string strFace = "F\xE9" + std::string(29, '\x81'); // 31 bytes
    std::copy(strFace.begin(), strFace.end(), lf.lfFaceName);
    lf.lfHeight = std::numeric_limits<LONG>::min();
    lf.lfWidth = std::numeric_limits<LONG>::max();
    lf.lfCharSet = 255;
    lf.lfPitchAndFamily = 255;
    skin.SetMessageFont(&lf);
}

void FillExtremeNumbers(CSkin& skin)
{
    FillSampleSkin(skin);
    skin.SetMainImage(MakeDib(Indexed8(7, 3)));
    skin.SetCloseImage(MakeDib(Rle8()));
    skin.SetCloseHoverImage(MakeDib(Rgb24(3, 5)));
    skin.m_rcCloseButton =
        RECT{std::numeric_limits<LONG>::min(), -1, 0, std::numeric_limits<LONG>::max()};
    skin.m_crTitleText = 0xFFFFFFFF;
    skin.m_crMessageBack = 0x80000000;
}

TEST_F(SknCli, ExtractThenPackGivesTheSameFileBack)
{
    const std::vector<std::pair<const char*, void (*)(CSkin&)>> skins = {
        {"sample", FillSampleSkin},
        {"long strings", FillLongStrings},
        {"extreme numbers", FillExtremeNumbers},
    };
    for (const auto& [pszName, fill] : skins) {
        SCOPED_TRACE(pszName);
        CSkin skin;
        fill(skin);
        const Bytes original = SaveSkin(skin, m_dir / "original.skn");
        const std::filesystem::path parts = m_dir / "parts" / pszName;

        const ToolResult extract =
            RunTool({"extract", PathOf("original.skn"), parts.string()}, m_dir);
        ASSERT_EQ(extract.nExit, 0) << extract.strErr;
        EXPECT_EQ(ReadBytesFrom(parts / "main.bmp"), skin.GetMainImage()->GetChunk());
        EXPECT_EQ(ReadBytesFrom(parts / "close.bmp"), skin.GetCloseImage()->GetChunk());
        EXPECT_EQ(ReadBytesFrom(parts / "close-hover.bmp"), skin.GetCloseHoverImage()->GetChunk());

        const ToolResult pack =
            RunTool({"pack", (parts / "skin.json").string(), PathOf("packed.skn")}, m_dir);
        ASSERT_EQ(pack.nExit, 0) << pack.strErr;
        EXPECT_EQ(pack.strErr, "");
        EXPECT_TRUE(ReadBytesFrom(m_dir / "packed.skn") == original);
    }
}

TEST_F(SknCli, ExtractCopiesChunksAsTheyStandInTheFile)
{
    // A main image whose pixels start four bytes after its header: the skin would write it
    // without the gap, but extract must hand out what the file holds.
    const Bytes good = SaveSample();
    CSkin loaded;
    CSkinFileStatus status;
    ASSERT_TRUE(loaded.Load(m_dir / "good.skn", &status));
    BmpLayout gapped = Rgb24(1, 1);
    gapped.gapBytes = 4;
    const Bytes chunk = MakeBmp(gapped);
    const auto mainStart = static_cast<std::ptrdiff_t>(status.imageChunks[0].nOffset);
    const auto mainEnd = mainStart + static_cast<std::ptrdiff_t>(status.imageChunks[0].nSize);
    Bytes spliced(good.begin(), good.begin() + mainStart);
    spliced.insert(spliced.end(), chunk.begin(), chunk.end());
    spliced.insert(spliced.end(), good.begin() + mainEnd, good.end());
    WriteBytesTo(m_dir / "gapped.skn", spliced);

    const ToolResult result = RunTool({"extract", PathOf("gapped.skn"), PathOf("out")}, m_dir);
    ASSERT_EQ(result.nExit, 0) << result.strErr;
    EXPECT_EQ(ReadBytesFrom(m_dir / "out" / "main.bmp"), chunk);
    EXPECT_EQ(ReadBytesFrom(m_dir / "out" / "close.bmp"), MakeBmp(Indexed8(2, 2)));
}

TEST_F(SknCli, ExtractFailsCleanlyOnABrokenSkin)
{
    const Bytes good = SaveSample();
    WriteBytesTo(m_dir / "truncated.skn", Bytes(good.begin(), good.end() - 1));
    const ToolResult result = RunTool({"extract", PathOf("truncated.skn"), PathOf("out")}, m_dir);
    EXPECT_EQ(result.nExit, 2);
    EXPECT_EQ(LineCount(result.strErr), 1u);
    EXPECT_NE(result.strErr.find("ends early at byte "), std::string::npos) << result.strErr;
    EXPECT_FALSE(std::filesystem::exists(m_dir / "out" / "skin.json"));
}

TEST_F(SknCli, ExtractReplacesPlantedLinksAndFailsWithoutATrace)
{
    SaveSample();
    const std::filesystem::path out = m_dir / "out";
    std::filesystem::create_directory(out);
    WriteText(m_dir / "victim", "precious");
    std::filesystem::create_symlink(m_dir / "victim", out / "main.bmp");
    const ToolResult planted = RunTool({"extract", PathOf("good.skn"), out.string()}, m_dir);
    ASSERT_EQ(planted.nExit, 0) << planted.strErr;
    EXPECT_EQ(ReadText(m_dir / "victim"), "precious");
    EXPECT_EQ(ReadBytesFrom(out / "main.bmp"), MakeBmp(Rgb24(4, 2)));

    // skin.json, the last file, cannot be replaced: the images before it stay as they were.
    WriteText(out / "main.bmp", "old main");
    std::filesystem::remove(out / "skin.json");
    std::filesystem::create_directory(out / "skin.json");
    const ToolResult failed = RunTool({"extract", PathOf("good.skn"), out.string()}, m_dir);
    EXPECT_EQ(failed.nExit, 2);
    EXPECT_EQ(failed.strErr,
              "tavelo-skn: " + (out / "skin.json").string() + ": it is a folder, not a file\n");
    EXPECT_EQ(ReadText(out / "main.bmp"), "old main");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(out)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"close-hover.bmp", "close.bmp", "main.bmp", "skin.json"}));
}

TEST_F(SknCli, WritesRefuseTargetsThatAreNotWritableRegularFiles)
{
    SaveSample();
    ASSERT_EQ(RunTool({"extract", PathOf("good.skn"), PathOf("parts")}, m_dir).nExit, 0);
    std::filesystem::create_directory(m_dir / "folder");
    WriteText(m_dir / "read-only.skn", "old");
    std::filesystem::permissions(m_dir / "read-only.skn", std::filesystem::perms::owner_read);
    const std::string strManifest = (m_dir / "parts" / "skin.json").string();
    std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"pack", strManifest, PathOf("folder")}, "it is a folder, not a file"},
        {{"pack", strManifest, PathOf("read-only.skn")}, "the file is read-only"},
        {{"extract", PathOf("good.skn"), PathOf("read-only.skn")}, "it is not a folder"},
    };
#ifndef _WIN32
    ASSERT_EQ(mkfifo((m_dir / "fifo").c_str(), 0600), 0);
    cases.push_back({{"pack", strManifest, PathOf("fifo")},
                     "it is not a regular file (a device, pipe or socket) and is left as it is"});
#endif
    for (const auto& [args, strError] : cases) {
        SCOPED_TRACE(args.back());
        const std::filesystem::file_type type = std::filesystem::status(args.back()).type();
        const ToolResult result = RunTool(args, m_dir);
        EXPECT_EQ(result.nExit, 2);
        EXPECT_EQ(result.strErr, "tavelo-skn: " + args.back() + ": " + strError + "\n");
        EXPECT_EQ(std::filesystem::status(args.back()).type(), type);
    }
    EXPECT_EQ(ReadText(m_dir / "read-only.skn"), "old");
}

TEST_F(SknCli, PackTakesHexColoursAndRelativeAndAbsoluteBitmaps)
{
    std::filesystem::create_directories(m_dir / "m" / "img");
    WriteBytesTo(m_dir / "m" / "img" / "main.bmp", MakeBmp(Rgb24(4, 2)));
    WriteBytesTo(m_dir / "m" / "close.bmp", MakeBmp(Indexed8(2, 2)));
    WriteBytesTo(m_dir / "hover.bmp", MakeBmp(Rle8()));
    WriteText(m_dir / "m" / "skin.json", R"({"title": "Caf\u00e9 \u20ac",
        "images": {"main": "img/main.bmp", "close": "close.bmp", "closeHover": ")" +
                                             (m_dir / "hover.bmp").string() + R"("},
        "colours": {"mainTransparent": "#FF8000", "titleText": "#0a0b0c", "messageBack": 255},
        "rects": {"title": [1, 2, 3, 4]}})");

    const ToolResult result =
        RunTool({"pack", (m_dir / "m" / "skin.json").string(), PathOf("out.skn")}, m_dir);
    ASSERT_EQ(result.nExit, 0) << result.strErr;

    CSkin skin;
    ASSERT_TRUE(skin.Load(m_dir / "out.skn"));
    EXPECT_EQ(skin.m_strTitle, "Caf\xE9 \x80");
    EXPECT_EQ(skin.m_crMainTransparent, 0x000080FFu);
    EXPECT_EQ(skin.m_crTitleText, 0x000C0B0Au);
    EXPECT_EQ(skin.m_crMessageBack, 255u);
    EXPECT_EQ(skin.m_rcTitle, (RECT{1, 2, 3, 4}));
    EXPECT_EQ(skin.GetCloseHoverImage()->GetChunk(), MakeBmp(Rle8()));
}

TEST_F(SknCli, PackConvertsOtherFormatsWithTheKeyOfTheirSlot)
{
    // A clear top-left pixel in a PNG main image; a JPEG close image.
    QImage main(4, 2, QImage::Format_ARGB32);
    main.fill(qRgba(1, 2, 3, 255));
    main.setPixel(0, 0, qRgba(9, 9, 9, 0));
    ASSERT_TRUE(main.save(QString::fromStdString(PathOf("main.png"))));
    ASSERT_TRUE(QImage(2, 2, QImage::Format_RGB32).save(QString::fromStdString(PathOf("c.jpg"))));
    WriteBytesTo(m_dir / "hover.bmp", MakeBmp(Indexed8(2, 2)));
    WriteText(m_dir / "skin.json", R"({"images": {"main": "main.png", "close": "c.jpg",
        "closeHover": "hover.bmp"}, "colours": {"mainTransparent": "#00ff80"}})");

    const ToolResult result = RunTool({"pack", PathOf("skin.json"), PathOf("out.skn")}, m_dir);
    EXPECT_EQ(result.nExit, 0);
    EXPECT_EQ(result.strErr, "tavelo-skn: images.main: converted the PNG image " +
                                 PathOf("main.png") +
                                 " to a 24-bit bitmap\ntavelo-skn: images.close: converted the "
                                 "JPEG image " +
                                 PathOf("c.jpg") + " to a 24-bit bitmap\n");
    CSkin skin;
    ASSERT_TRUE(skin.Load(m_dir / "out.skn"));
    const CDib& image = *skin.GetMainImage();
    ASSERT_EQ(image.GetBitCount(), 24);
    // The top row is stored last: blue, green, red of the key, then an opaque pixel.
    const auto top = image.GetBits().subspan(image.GetStride(), 6);
    EXPECT_EQ(std::vector<std::uint8_t>(top.begin(), top.end()),
              (std::vector<std::uint8_t>{0x80, 0xFF, 0x00, 3, 2, 1}));
}

TEST_F(SknCli, PackErrorsNameTheKeyAndKeepTheOldFile)
{
    WriteBytesTo(m_dir / "main.bmp", MakeBmp(Rgb24(2, 2)));
    WriteText(m_dir / "text.bmp", "not a bitmap");
    WriteText(m_dir / "out.skn", "old contents");
    const std::string strImages =
        R"("images": {"main": "main.bmp", "close": "main.bmp", "closeHover": "main.bmp"})";

    const std::pair<std::string, std::string> cases[] = {
        {"{" + strImages + R"(, "rects": {"title": [1, 2, 3]}})",
         R"(manifest: "rects.title" must be an array of 4 integers)"},
        {"{" + strImages + R"(, "colours": {"titleBack": "#12345"}})",
         R"(manifest: "colours.titleBack" must be an integer from 0 to 4294967295 or a "#rrggbb" string)"},
        {R"({"images": {"main": "main.bmp", "close": "text.bmp", "closeHover": "main.bmp"}})",
         R"(manifest: "images.close" names )" + (m_dir / "text.bmp").string() +
             ": not a bitmap or other image that can be read"},
        {R"({"images": {"main": "main.bmp", "close": "main.bmp", "closeHover": "gone.bmp"}})",
         R"(manifest: "images.closeHover" names no readable file: )" +
             (m_dir / "gone.bmp").string()},
        {R"({"images": {"main": "main.bmp", )", "manifest: not valid JSON: "},
    };
    for (const auto& [strManifest, strError] : cases) {
        SCOPED_TRACE(strManifest);
        WriteText(m_dir / "skin.json", strManifest);
        const ToolResult result = RunTool({"pack", PathOf("skin.json"), PathOf("out.skn")}, m_dir);
        EXPECT_EQ(result.nExit, 2);
        EXPECT_EQ(LineCount(result.strErr), 1u) << result.strErr;
        EXPECT_EQ(result.strErr.rfind("tavelo-skn: " + strError, 0), 0u) << result.strErr;
        EXPECT_EQ(ReadText(m_dir / "out.skn"), "old contents");
    }

    const ToolResult noManifest = RunTool({"pack", PathOf("none.json"), PathOf("x.skn")}, m_dir);
    EXPECT_EQ(noManifest.nExit, 2);
    EXPECT_EQ(noManifest.strErr, "tavelo-skn: " + PathOf("none.json") + ": no such file\n");
}

TEST_F(SknCli, UsageHelpAndWrongArguments)
{
    struct Case
    {
        std::vector<std::string> args;
        int nExit;
        const char* pszOut; // start of standard output; on failure standard error starts with
                            // "tavelo-skn: " and ends with a hint
    };
    const Case cases[] = {
        {{"--help"}, 0, "Usage: tavelo-skn COMMAND"},
        {{"-h"}, 0, "Usage: tavelo-skn COMMAND"},
        {{"info", "--help"}, 0, "Usage: tavelo-skn info [--json] FILE"},
        {{"check", "-h"}, 0, "Usage: tavelo-skn check [--json] [--strict] FILE..."},
        {{"extract", "--help"}, 0, "Usage: tavelo-skn extract FILE DIR"},
        {{"pack", "x", "--help"}, 0, "Usage: tavelo-skn pack MANIFEST OUT"},
        {{}, 2, ""},
        {{"frobnicate"}, 2, ""},
        {{"info"}, 2, ""},
        {{"info", "a.skn", "b.skn"}, 2, ""},
        {{"info", "--bogus", "a.skn"}, 2, ""},
        {{"info", "--strict", "a.skn"}, 2, ""},
        {{"check"}, 2, ""},
        {{"extract", "a.skn"}, 2, ""},
        {{"pack", "a", "b", "c"}, 2, ""},
        {{"pack", "--json", "a", "b"}, 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const ToolResult result = RunTool(c.args, m_dir);
        EXPECT_EQ(result.nExit, c.nExit);
        EXPECT_EQ(result.strOut.rfind(c.pszOut, 0), 0u) << result.strOut;
        if (c.nExit == 0) {
            EXPECT_EQ(result.strErr, "");
        } else {
            EXPECT_EQ(result.strOut, "");
            EXPECT_EQ(LineCount(result.strErr), 2u) << result.strErr;
            EXPECT_EQ(result.strErr.rfind("tavelo-skn: ", 0), 0u) << result.strErr;
            EXPECT_NE(result.strErr.find("--help'.\n"), std::string::npos) << result.strErr;
        }
    }
}

} // namespace
