#include "bitmaps.h"
#include "bytestream.h"
#include "files.h"
#include "scriptedprompts.h"
#include "skin.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

LOGFONT Font(const char* pszFace, LONG nHeight, LONG nWeight)
{
    LOGFONT lf;
    SetFaceName(lf, pszFace);
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    return lf;
}

// Empty strings, three 1x1 24-bit images and "Arial" fonts: the smallest complete skin.
void FillSmallSkin(CSkin& skin)
{
    skin.SetMainImage(DibFromBytes(MakeSolidBmp(1, 1, 255, 0, 255)));
    skin.SetCloseImage(DibFromBytes(MakeSolidBmp(1, 1, 1, 2, 3)));
    skin.SetCloseHoverImage(DibFromBytes(MakeSolidBmp(1, 1, 4, 5, 6)));
    const LOGFONT arial = Font("Arial", -13, 700);
    skin.SetMessageFont(&arial);
    skin.SetTitleFont(&arial);
    skin.m_rcCloseButton = RECT{10, 11, 12, 13};
    skin.m_rcTitle = RECT{-1, 0, 300, 20};
    skin.m_rcMessage = RECT{50, 40, 5, 4}; // inverted, and kept so
    skin.m_crMainTransparent = 0x00FF00FF;
    skin.m_crCloseTransparent = 0x00010203;
    skin.m_crCloseHoverTransparent = 0x00040506;
    skin.m_crMessageBack = 0x00C0FFFF;
    skin.m_crTitleBack = 0x00008080;
    skin.m_crMessageText = 0x00000000;
    skin.m_crTitleText = 0x00FFFFFF;
}

std::vector<std::uint8_t> SavedBytes(const CSkin& skin)
{
    CMemorySink sink;
    CSkinFileStatus status;
    EXPECT_TRUE(skin.Save(sink, &status)) << status.Describe();
    return sink.TakeBytes();
}

bool LoadBytes(CSkin& skin, const std::vector<std::uint8_t>& bytes,
               CSkinFileStatus* pStatus = nullptr)
{
    CMemorySource source(bytes);
    return skin.Load(source, pStatus);
}

void ExpectSameSkin(const CSkin& a, const CSkin& b)
{
    EXPECT_EQ(a.m_strTitle, b.m_strTitle);
    EXPECT_EQ(a.m_strAuthor, b.m_strAuthor);
    EXPECT_EQ(a.m_strDate, b.m_strDate);
    EXPECT_EQ(a.m_strComment, b.m_strComment);
    EXPECT_EQ(a.m_rcCloseButton, b.m_rcCloseButton);
    EXPECT_EQ(a.m_rcTitle, b.m_rcTitle);
    EXPECT_EQ(a.m_rcMessage, b.m_rcMessage);
    EXPECT_EQ(a.m_crMainTransparent, b.m_crMainTransparent);
    EXPECT_EQ(a.m_crCloseTransparent, b.m_crCloseTransparent);
    EXPECT_EQ(a.m_crCloseHoverTransparent, b.m_crCloseHoverTransparent);
    EXPECT_EQ(a.m_crMessageBack, b.m_crMessageBack);
    EXPECT_EQ(a.m_crTitleBack, b.m_crTitleBack);
    EXPECT_EQ(a.m_crMessageText, b.m_crMessageText);
    EXPECT_EQ(a.m_crTitleText, b.m_crTitleText);
    LOGFONT fa;
    LOGFONT fb;
    a.GetMessageFont(&fa);
    b.GetMessageFont(&fb);
    EXPECT_EQ(fa, fb);
    a.GetTitleFont(&fa);
    b.GetTitleFont(&fb);
    EXPECT_EQ(fa, fb);
    EXPECT_EQ(a.GetMainImage()->GetChunk(), b.GetMainImage()->GetChunk());
    EXPECT_EQ(a.GetCloseImage()->GetChunk(), b.GetCloseImage()->GetChunk());
    EXPECT_EQ(a.GetCloseHoverImage()->GetChunk(), b.GetCloseHoverImage()->GetChunk());
}

} // namespace

TEST(SkinFile, TheSmallestSkinIs326BytesWithFieldsAtKnownOffsets)
{
    CSkin skin;
    FillSmallSkin(skin);
    const std::vector<std::uint8_t> bytes = SavedBytes(skin);
    ASSERT_EQ(bytes.size(), 326u);

    const std::vector<std::uint8_t> start = {1, 0, 0, 0, 0, 0, 0, 0, 'B', 'M'};
    EXPECT_TRUE(std::equal(start.begin(), start.end(), bytes.begin()));
    for (const std::size_t nImage : {8u, 66u, 124u}) {
        EXPECT_EQ(bytes[nImage], 'B');
        EXPECT_EQ(GetLE32(bytes, nImage + 2), 58u);
    }
    EXPECT_EQ(bytes[66 + 54], 3); // blue of the close image's pixel
    EXPECT_EQ(GetLE32(bytes, 182), 10u);
    EXPECT_EQ(GetLE32(bytes, 198), 0xFFFFFFFFu);
    EXPECT_EQ(GetLE32(bytes, 214 + 8), 5u);
    EXPECT_EQ(GetLE32(bytes, 230), 0x00FF00FFu);
    EXPECT_EQ(GetLE32(bytes, 254), 0x00FFFFFFu);
    for (const std::size_t nFont : {258u, 292u}) {
        EXPECT_EQ(bytes[nFont + 6], 5);
        EXPECT_EQ(bytes[nFont + 7], 'A');
        EXPECT_EQ(GetLE32(bytes, nFont + 12), static_cast<std::uint32_t>(-13));
    }

    CSkin back;
    CSkinFileStatus status;
    ASSERT_TRUE(LoadBytes(back, bytes, &status)) << status.Describe();
    EXPECT_EQ(status.nVersion, 1u);
    EXPECT_EQ(status.imageChunks[1].nOffset, 66u);
    EXPECT_EQ(status.imageChunks[2].nSize, 58u);
    ExpectSameSkin(skin, back);
}

TEST(SkinFile, SaveAndLoadGiveBackEveryField)
{
    TempDir dir;
    CSkin skin;
    FillSmallSkin(skin);
    skin.SetMainImage(DibFromBytes(MakeBmp({.width = 3,
                                            .height = 2,
                                            .bitCount = 8,
                                            .clrUsed = 3,
                                            .table = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0},
                                            .bits = {0, 1, 2, 0, 2, 1, 0, 0}})));
    const LOGFONT title = Font("Trebuchet MS", -16, 600);
    skin.SetTitleFont(&title);
    skin.m_strTitle = "Caf\xE9 \x80 \x81";
    skin.m_strAuthor = std::string(254, 'a');
    skin.m_strDate = "2026-12-08";
    skin.m_strComment = std::string(300, 'c');

    const std::filesystem::path path = dir / "round trip.skn";
    CSkinFileStatus status;
    ASSERT_TRUE(skin.Save(path, &status)) << status.Describe();
    EXPECT_EQ(skin.GetPath(), path);

    CSkin back;
    ASSERT_TRUE(back.Load(path, &status)) << status.Describe();
    EXPECT_EQ(back.GetPath(), path);
    ExpectSameSkin(skin, back);

    // The 254-character author takes the one-byte length, the 300-character comment the
    // 0xFF + uint16 form.
    const std::vector<std::uint8_t> bytes = ReadBytesFrom(path);
    const std::size_t nAuthor = 4 + 1 + skin.m_strTitle.size();
    EXPECT_EQ(bytes[nAuthor], 254);
    const std::size_t nComment = nAuthor + 1 + 254 + 1 + skin.m_strDate.size();
    EXPECT_EQ(bytes[nComment], 0xFF);
    EXPECT_EQ(bytes[nComment + 1], 0x2C);
    EXPECT_EQ(bytes[nComment + 2], 0x01);
    EXPECT_EQ(bytes[nComment + 3], 'c');
}

TEST(SkinFile, VersionsAboveOneAreRefusedWithoutShowingAnything)
{
    CSkin model;
    FillSmallSkin(model);
    const std::vector<std::uint8_t> bytes = SavedBytes(model);

    struct Row
    {
        std::uint32_t nVersion;
        bool bLoads;
    };
    for (const Row row : {Row{0, true}, Row{1, true}, Row{2, false}, Row{0x80000000, false},
                          Row{0xFFFFFFFF, false}}) {
        SCOPED_TRACE(row.nVersion);
        std::vector<std::uint8_t> versioned = bytes;
        PutLE32(versioned, 0, row.nVersion);
        // The model tells the caller through the status; showing it is the editor's part.
        CScriptedPrompts prompts;
        CSkin skin;
        skin.m_strTitle = "before";
        skin.SetMainImage(DibFromBytes(MakeSolidBmp(2, 2, 0, 0, 0)));
        CSkinFileStatus status;
        EXPECT_EQ(LoadBytes(skin, versioned, &status), row.bLoads);
        EXPECT_EQ(status.nVersion, row.nVersion);
        EXPECT_TRUE(prompts.Calls().empty());
        if (row.bLoads) {
            ExpectSameSkin(model, skin);
            continue;
        }
        EXPECT_EQ(status.Describe(), std::string(SKIN_VERSION_MESSAGE) + " (version " +
                                         std::to_string(row.nVersion) + ")");
        EXPECT_EQ(status.error, CSkinFileStatus::Error::Version);
        EXPECT_EQ(skin.m_strTitle, "before");
        ASSERT_NE(skin.GetMainImage(), nullptr);
        EXPECT_FALSE(skin.GetMainImage()->HasBitmap());
    }
}

TEST(SkinFile, AFileCutAnywhereEndsEarlyAtItsLength)
{
    CSkin model;
    FillSmallSkin(model);
    model.m_strTitle = "title";
    const std::vector<std::uint8_t> bytes = SavedBytes(model);
    CScriptedPrompts prompts;
    for (std::size_t nLength = 1; nLength < bytes.size(); ++nLength) {
        SCOPED_TRACE(nLength);
        const std::vector<std::uint8_t> cut(bytes.begin(),
                                            bytes.begin() + static_cast<std::ptrdiff_t>(nLength));
        CSkin skin;
        CSkinFileStatus status;
        EXPECT_FALSE(LoadBytes(skin, cut, &status));
        EXPECT_EQ(status.error, CSkinFileStatus::Error::Truncated);
        EXPECT_EQ(status.Describe().rfind(
                      "the file ends early at byte " + std::to_string(nLength) + " (in the ", 0),
                  0u)
            << status.Describe();
        EXPECT_LE(status.nOffset, nLength);
        EXPECT_NE(skin.GetMainImage(), nullptr);
        EXPECT_NE(skin.GetCloseImage(), nullptr);
        EXPECT_NE(skin.GetCloseHoverImage(), nullptr);
    }
    EXPECT_TRUE(prompts.Calls().empty());

    // Bytes after the title font are not ours and are ignored.
    std::vector<std::uint8_t> longer = bytes;
    longer.insert(longer.end(), {1, 2, 3});
    CSkin skin;
    EXPECT_TRUE(LoadBytes(skin, longer));
}

TEST(SkinFile, LoadErrorsNameTheRealReason)
{
    CSkin model;
    FillSmallSkin(model);
    const std::vector<std::uint8_t> skin = SavedBytes(model);
    const auto withVersion = [&](std::uint32_t nVersion) {
        std::vector<std::uint8_t> bytes = skin;
        PutLE32(bytes, 0, nVersion);
        return bytes;
    };
    const std::string strText = "Dear diary,\nthis is not a skin at all.\n";
    const std::string strVersion =
        "This skin is a version this skin reader does not recognize. (version ";
    struct Row
    {
        std::vector<std::uint8_t> bytes;
        std::string strDescribed;
    };
    const Row rows[] = {
        {{}, "not a skin file (it is empty)"},
        {{strText.begin(), strText.end()}, "not a skin file"},
        {MakeSolidBmp(4, 4, 1, 2, 3), "not a skin file"},
        {std::vector<std::uint8_t>(400, 0),
         "not a skin file (no bitmap at byte 8, where the main image must begin)"},
        {withVersion(2), strVersion + "2)"},
        // A version that cannot be one, in front of a whole skin: still a skin.
        {withVersion(0x7FFFFFFF), strVersion + "2147483647)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.strDescribed);
        CScriptedPrompts prompts;
        CSkin loaded;
        CSkinFileStatus status;
        EXPECT_FALSE(LoadBytes(loaded, row.bytes, &status));
        EXPECT_EQ(status.Describe(), row.strDescribed);
        EXPECT_TRUE(prompts.Calls().empty());
    }
}

TEST(SkinFile, FieldsReadBeforeAFailureKeepTheirNewValues)
{
    CSkin model;
    FillSmallSkin(model);
    model.m_strTitle = "new title";
    model.m_strComment = "new comment";
    std::vector<std::uint8_t> bytes = SavedBytes(model);
    bytes.resize(bytes.size() - 40); // inside the message font

    CSkin skin;
    skin.m_strTitle = "old title";
    skin.m_rcTitle = RECT{7, 7, 7, 7};
    skin.m_crTitleText = 0x777777;
    const LOGFONT oldFont = Font("Old", -9, 400);
    skin.SetMessageFont(&oldFont);
    skin.m_strPath = "old.skn";

    EXPECT_FALSE(LoadBytes(skin, bytes));
    EXPECT_EQ(skin.m_strTitle, "new title");
    EXPECT_EQ(skin.m_strComment, "new comment");
    EXPECT_EQ(skin.m_rcTitle, model.m_rcTitle);
    EXPECT_EQ(skin.m_crTitleText, model.m_crTitleText);
    EXPECT_TRUE(skin.GetMainImage()->HasBitmap());
    LOGFONT lf;
    skin.GetMessageFont(&lf);
    EXPECT_EQ(lf, oldFont);
    EXPECT_EQ(skin.GetPath(), "old.skn");
}

TEST(SkinFile, ABitmapChunkThatIsNotABitmapStopsTheLoadThere)
{
    CSkin model;
    FillSmallSkin(model);
    std::vector<std::uint8_t> bytes = SavedBytes(model);
    bytes[66] = 'X';

    CSkin skin;
    CSkinFileStatus status;
    EXPECT_FALSE(LoadBytes(skin, bytes, &status));
    EXPECT_EQ(status.error, CSkinFileStatus::Error::BadImage);
    EXPECT_EQ(status.nPart, SKINPART_CLOSE_IMAGE);
    EXPECT_EQ(status.nOffset, 66u);
    EXPECT_TRUE(skin.GetMainImage()->HasBitmap());
    EXPECT_FALSE(skin.GetCloseImage()->HasBitmap());
    EXPECT_EQ(skin.m_rcTitle, RECT{});
}

TEST(SkinFile, HugeLengthFieldsFailAtOnce)
{
    // A title claiming 4 GB in a 100-byte file.
    std::vector<std::uint8_t> bytes = {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    bytes.resize(100, 'x');
    CSkin skin;
    CSkinFileStatus status;
    EXPECT_FALSE(LoadBytes(skin, bytes, &status));
    EXPECT_EQ(status.error, CSkinFileStatus::Error::Truncated);
    EXPECT_EQ(status.nOffset, 4u);

    // A bitmap chunk claiming 4 GB.
    CSkin model;
    FillSmallSkin(model);
    bytes = SavedBytes(model);
    PutLE32(bytes, 8 + 2, 0xFFFFFFFF);
    EXPECT_FALSE(LoadBytes(skin, bytes, &status));
    EXPECT_EQ(status.Describe(), "the file ends early at byte 326 (in the main image, which "
                                 "starts at byte 8)");
}

TEST(SkinFile, WideStringsLoadInTheCodePage)
{
    CSkin model;
    FillSmallSkin(model);
    std::vector<std::uint8_t> bytes = SavedBytes(model);
    // Replace the empty title (byte 4) with a wide "Zoë €".
    const std::vector<std::uint8_t> wide = {0xFF, 0xFE, 0xFF, 5,   'Z',  0,    'o',
                                            0,    0xEB, 0x00, ' ', 0x00, 0xAC, 0x20};
    bytes.erase(bytes.begin() + 4);
    bytes.insert(bytes.begin() + 4, wide.begin(), wide.end());

    CSkin skin;
    ASSERT_TRUE(LoadBytes(skin, bytes));
    EXPECT_EQ(skin.GetTitle(), "Zo\xEB \x80");
}

TEST(SkinFile, SaveRefusesAnImageSlotWithoutBitmapAndKeepsTheOldFile)
{
    TempDir dir;
    const std::filesystem::path path = dir / "skin.skn";
    CSkin skin;
    FillSmallSkin(skin);
    ASSERT_TRUE(skin.Save(path));
    const std::vector<std::uint8_t> before = ReadBytesFrom(path);

    struct Row
    {
        int nPart;
        void (CSkin::*pSetter)(std::unique_ptr<CDib>);
    };
    for (const Row row : {Row{SKINPART_MAIN_IMAGE, &CSkin::SetMainImage},
                          Row{SKINPART_CLOSE_IMAGE, &CSkin::SetCloseImage},
                          Row{SKINPART_CLOSE_HOVER_IMAGE, &CSkin::SetCloseHoverImage}}) {
        SCOPED_TRACE(row.nPart);
        for (const bool bNull : {true, false}) {
            CSkin broken;
            FillSmallSkin(broken);
            (broken.*row.pSetter)(bNull ? nullptr : std::make_unique<CDib>());
            CSkinFileStatus status;
            EXPECT_FALSE(broken.Save(path, &status));
            EXPECT_EQ(status.error, CSkinFileStatus::Error::MissingImage);
            EXPECT_EQ(status.nPart, row.nPart);
            EXPECT_NE(status.Describe().find(CSkin::GetPartName(row.nPart)), std::string::npos);
            EXPECT_TRUE(broken.GetPath().empty());
        }
    }
    EXPECT_EQ(ReadBytesFrom(path), before);
    EXPECT_EQ(dir.FileNames(), std::vector<std::string>{"skin.skn"});

    // After a failed load the slots hold objects without bitmaps: nothing to save.
    CSkin failed;
    EXPECT_FALSE(failed.Load(dir / "missing.skn"));
    EXPECT_EQ(failed.GetMissingPart(), SKINPART_NONE);
    CSkinFileStatus status;
    EXPECT_FALSE(failed.Save(path, &status));
    EXPECT_EQ(status.nPart, SKINPART_MAIN_IMAGE);
    EXPECT_EQ(ReadBytesFrom(path), before);
}

TEST(SkinFile, SaveReplacesTheFileWholeAndLeavesNoTemporaryFile)
{
    TempDir dir;
    const std::filesystem::path path = dir / "skin.skn";
    WriteBytesTo(path, std::vector<std::uint8_t>(5000, 0xAA));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    CSkin skin;
    FillSmallSkin(skin);
    for (const FileSync sync : {FileSync::Flush, FileSync::None}) {
        ASSERT_TRUE(skin.Save(path, nullptr, sync));
        EXPECT_EQ(std::filesystem::file_size(path), 326u);
        EXPECT_EQ(dir.FileNames(), std::vector<std::string>{"skin.skn"});
    }
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);

    // A link at the target is replaced itself; what it points to is never written.
    const std::filesystem::path link = dir / "link.skn";
    std::filesystem::create_symlink(path, link);
    const std::vector<std::uint8_t> before = ReadBytesFrom(path);
    skin.m_strTitle = "not through the link";
    ASSERT_TRUE(skin.Save(link));
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(link)));
    EXPECT_EQ(ReadBytesFrom(path), before);
    CSkin back;
    ASSERT_TRUE(back.Load(link));
    EXPECT_EQ(back.GetTitle(), "not through the link");
}

TEST(SkinFile, OpenFailuresChangeNothingButTheEmptiedImages)
{
    TempDir dir;
    CSkin skin;
    FillSmallSkin(skin);
    skin.m_strTitle = "kept";
    skin.m_strPath = "kept.skn";

    CSkinFileStatus status;
    EXPECT_FALSE(skin.Save(dir / "no such folder" / "skin.skn", &status));
    EXPECT_EQ(status.error, CSkinFileStatus::Error::Open);
    EXPECT_FALSE(skin.Save(dir.Path(), &status));
    EXPECT_FALSE(skin.Save("", &status));
    EXPECT_EQ(skin.GetPath(), "kept.skn");
    EXPECT_TRUE(dir.FileNames().empty());

    for (const std::filesystem::path& path :
         {std::filesystem::path(), dir / "missing.skn", dir.Path()}) {
        EXPECT_FALSE(skin.Load(path, &status));
        EXPECT_EQ(status.error, CSkinFileStatus::Error::Open);
        EXPECT_EQ(skin.m_strTitle, "kept");
        EXPECT_EQ(skin.GetPath(), "kept.skn");
        ASSERT_NE(skin.GetMainImage(), nullptr);
        EXPECT_FALSE(skin.GetMainImage()->HasBitmap());
    }
}
