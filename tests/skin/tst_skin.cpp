#include "bitmaps.h"
#include "files.h"
#include "skin.h"

#include <gtest/gtest.h>

#include <cstring>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

// Counts its own destruction, to show an image object is destroyed exactly once.
class CountedDib : public CDib
{
public:
    explicit CountedDib(int& nDestroyed) : m_nDestroyed(nDestroyed) {}
    ~CountedDib() override { ++m_nDestroyed; }

private:
    int& m_nDestroyed;
};

LOGFONT Font(const char* pszFace, LONG nHeight)
{
    LOGFONT lf;
    SetFaceName(lf, pszFace);
    lf.lfHeight = nHeight;
    lf.lfWeight = 700;
    return lf;
}

} // namespace

TEST(Skin, NamesTheFirstMissingImage)
{
    CSkin skin;
    EXPECT_EQ(skin.GetMissingPart(), SKINPART_MAIN_IMAGE);
    skin.SetCloseImage(std::make_unique<CDib>());
    EXPECT_EQ(skin.GetMissingPart(), SKINPART_MAIN_IMAGE);
    skin.SetMainImage(std::make_unique<CDib>());
    EXPECT_EQ(skin.GetMissingPart(), SKINPART_CLOSE_HOVER_IMAGE);
    skin.SetCloseImage(nullptr);
    EXPECT_EQ(skin.GetMissingPart(), SKINPART_CLOSE_IMAGE);
    skin.SetCloseImage(std::make_unique<CDib>());
    skin.SetCloseHoverImage(std::make_unique<CDib>());
    // Only the presence of an object counts, not whether it holds a bitmap.
    EXPECT_EQ(skin.GetMissingPart(), SKINPART_NONE);
}

TEST(Skin, PartNames)
{
    EXPECT_EQ(CSkin::GetPartName(SKINPART_NONE), "None");
    EXPECT_EQ(CSkin::GetPartName(SKINPART_TITLE), "Skin title area");
    EXPECT_EQ(CSkin::GetPartName(SKINPART_MESSAGE), "Skin message area");
    EXPECT_EQ(CSkin::GetPartName(SKINPART_MAIN_IMAGE), "Skin main window image");
    EXPECT_EQ(CSkin::GetPartName(SKINPART_CLOSE_IMAGE), "Close button image and placement");
    EXPECT_EQ(CSkin::GetPartName(SKINPART_CLOSE_HOVER_IMAGE),
              "Close button (mouse over) image and placement");
    EXPECT_EQ(CSkin::GetPartName(6), "Unknown skin part");
    EXPECT_EQ(CSkin::GetPartName(-1), "Unknown skin part");
}

TEST(Skin, ReplacingAnImageDestroysThePreviousOneOnce)
{
    int nDestroyed = 0;
    {
        CSkin skin;
        skin.SetMainImage(std::make_unique<CountedDib>(nDestroyed));
        skin.SetMainImage(std::make_unique<CountedDib>(nDestroyed));
        EXPECT_EQ(nDestroyed, 1);
        skin.SetCloseImage(std::make_unique<CountedDib>(nDestroyed));
        skin.DeleteImages();
        EXPECT_EQ(nDestroyed, 3);
        EXPECT_EQ(skin.GetMainImage(), nullptr);
        skin.SetCloseHoverImage(std::make_unique<CountedDib>(nDestroyed));
    }
    EXPECT_EQ(nDestroyed, 4);
}

TEST(Skin, ImagesThatDoNotReadLeaveTheSlotAsItWas)
{
    TempDir dir;
    WriteBytesTo(dir / "good.bmp", MakeSolidBmp(4, 3, 255, 0, 0));
    WriteBytesTo(dir / "text.bmp",
                 {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!', '!'});
    WriteBytesTo(dir / "empty.bmp", {});

    CSkin skin;
    skin.LoadMainImage(dir / "good.bmp");
    skin.LoadCloseImage(dir / "good.bmp");
    skin.LoadCloseHoverImage(dir / "good.bmp");
    const CDib* const pMain = skin.GetMainImage();
    ASSERT_NE(pMain, nullptr);
    EXPECT_EQ(pMain->GetWidth(), 4);

    std::vector<std::filesystem::path> bad = {std::filesystem::path(), dir / "missing.bmp",
                                              dir / "text.bmp", dir / "empty.bmp", dir.Path()};
#ifndef _WIN32
    // Opening a pipe nobody writes to would block for ever.
    ASSERT_EQ(mkfifo((dir / "pipe.bmp").c_str(), 0600), 0);
    bad.push_back(dir / "pipe.bmp");
#endif
    for (const std::filesystem::path& path : bad) {
        SCOPED_TRACE(path.string());
        skin.LoadMainImage(path);
        skin.LoadCloseImage(path);
        skin.LoadCloseHoverImage(path);
        EXPECT_EQ(skin.GetMainImage(), pMain);
        EXPECT_NE(skin.GetCloseImage(), nullptr);
        EXPECT_NE(skin.GetCloseHoverImage(), nullptr);

        std::unique_ptr<CDib> pImage = std::make_unique<CDib>();
        EXPECT_FALSE(CSkin::ReadImageFile(pImage, path));
        EXPECT_EQ(pImage, nullptr);
    }
}

TEST(Skin, ResetRestoresEveryDefault)
{
    CSkin skin;
    LOGFONT lf;
    skin.GetMessageFont(&lf);
    EXPECT_EQ(lf, GetDefaultGuiFont());

    const LOGFONT title = Font("Tahoma", -15);
    const LOGFONT message = Font("Verdana", -12);
    skin.SetTitleFont(&title);
    skin.SetMessageFont(&message);
    skin.GetTitleFont(&lf);
    EXPECT_EQ(lf, title);
    skin.GetMessageFont(&lf);
    EXPECT_EQ(lf, message);

    skin.SetMainImage(std::make_unique<CDib>());
    skin.m_rcTitle = RECT{1, 2, 3, 4};
    skin.m_crTitleText = 0x123456;
    skin.m_crMainTransparent = 0xFF00FF;
    skin.m_strTitle = "t";
    skin.m_strComment = "c";
    skin.m_strPath = "/somewhere/skin.skn";

    for (int nPass = 0; nPass < 2; ++nPass) {
        skin.Reset();
        EXPECT_EQ(skin.GetMainImage(), nullptr);
        EXPECT_EQ(skin.m_rcTitle, RECT{});
        EXPECT_EQ(skin.m_crTitleText, 0u);
        EXPECT_EQ(skin.m_crMainTransparent, 0u);
        EXPECT_EQ(skin.GetTitle(), "");
        EXPECT_EQ(skin.GetComment(), "");
        EXPECT_TRUE(skin.GetPath().empty());
        skin.GetTitleFont(&lf);
        EXPECT_EQ(lf, GetDefaultGuiFont());
        skin.GetMessageFont(&lf);
        EXPECT_EQ(lf, GetDefaultGuiFont());
    }
}

TEST(Skin, AFontThatWasNotCreatedLeavesTheCallersRecordAlone)
{
    CSkin skin;
    skin.SetTitleFont(nullptr);
    LOGFONT lf = Font("Mine", 5);
    skin.GetTitleFont(&lf);
    EXPECT_EQ(lf, Font("Mine", 5));
}
