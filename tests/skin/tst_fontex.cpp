#include "archive.h"
#include "fontex.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

LOGFONT FontNamed(const char* pszFace)
{
    LOGFONT lf;
    SetFaceName(lf, pszFace);
    return lf;
}

std::vector<std::uint8_t> Stored(const CFontEx& font)
{
    CMemorySink sink;
    CArchive ar(sink);
    CFontEx copy = font;
    copy.Serialize(ar);
    return sink.TakeBytes();
}

CFontEx Loaded(const std::vector<std::uint8_t>& bytes)
{
    CMemorySource source(bytes);
    CArchive ar(source);
    CFontEx font;
    font.Serialize(ar);
    EXPECT_EQ(source.GetRemaining(), 0u);
    return font;
}

} // namespace

TEST(FontEx, ChunkStoresTheFieldsInAlphabeticalOrder)
{
    LOGFONT lf = FontNamed("Arial");
    lf.lfHeight = -13;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    CFontEx font;
    font.CreateFontIndirect(lf);
    const std::vector<std::uint8_t> expected = {
        0x00, 0x00,                        // charset, clip precision
        0x00, 0x00, 0x00, 0x00,            // escapement
        0x05, 'A',  'r',  'i',  'a',  'l', // face
        0xF3, 0xFF, 0xFF, 0xFF,            // height
        0x01,                              // italic
        0x00, 0x00, 0x00, 0x00,            // orientation
        0x00, 0x00, 0x00, 0x00, 0x00,      // out precision, pitch, quality, strike, underline
        0xBC, 0x02, 0x00, 0x00,            // weight
        0x00, 0x00, 0x00, 0x00,            // width
    };
    EXPECT_EQ(Stored(font), expected);
}

TEST(FontEx, EveryFieldReadsBack)
{
    LOGFONT lf = FontNamed("Abcdefghijklmnopqrstuvwxyz01234"); // 31 characters, the most
    lf.lfHeight = 17;
    lf.lfWidth = -3;
    lf.lfEscapement = 900;
    lf.lfOrientation = -900;
    lf.lfWeight = 300;
    lf.lfItalic = 1;
    lf.lfUnderline = 2;
    lf.lfStrikeOut = 3;
    lf.lfCharSet = 238;
    lf.lfOutPrecision = 4;
    lf.lfClipPrecision = 5;
    lf.lfQuality = 6;
    lf.lfPitchAndFamily = 0x22;
    CFontEx font;
    font.CreateFontIndirect(lf);
    const std::vector<std::uint8_t> bytes = Stored(font);
    EXPECT_EQ(bytes.size(), 28u + 32);
    EXPECT_EQ(bytes[6], 31);

    LOGFONT back;
    ASSERT_TRUE(Loaded(bytes).GetLogFont(&back));
    EXPECT_EQ(back, lf);
}

TEST(FontEx, LongOrEmbeddedNulFaceNamesAreCutToTheRecord)
{
    const std::string strForty(40, 'F');
    CMemorySink sink;
    {
        CArchive ar(sink);
        ar.WriteByte(0);
        ar.WriteByte(0);
        ar.WriteLong(0);
        ar.WriteString(strForty);
        const std::uint8_t fieldsAfterFace[22] = {};
        ar.WriteBytes(fieldsAfterFace, sizeof fieldsAfterFace);
    }
    std::vector<std::uint8_t> bytes = sink.TakeBytes();
    ASSERT_EQ(bytes.size(), 28u + 41);
    LOGFONT back;
    ASSERT_TRUE(Loaded(bytes).GetLogFont(&back));
    EXPECT_EQ(std::string(back.lfFaceName), std::string(31, 'F'));

    // A face name stops at its first NUL.
    bytes[7 + 4] = 0;
    ASSERT_TRUE(Loaded(bytes).GetLogFont(&back));
    EXPECT_EQ(std::string(back.lfFaceName), "FFFF");
}

TEST(FontEx, AnObjectWithoutFontStoresTheDefaultGuiFont)
{
    CFontEx none;
    EXPECT_FALSE(none.HasFont());
    LOGFONT untouched = FontNamed("keep");
    EXPECT_FALSE(none.GetLogFont(&untouched));
    EXPECT_EQ(std::string(untouched.lfFaceName), "keep");

    LOGFONT back;
    ASSERT_TRUE(Loaded(Stored(none)).GetLogFont(&back));
    EXPECT_EQ(back, GetDefaultGuiFont());
    EXPECT_EQ(back.lfHeight, -11);
    EXPECT_EQ(back.lfWeight, 400);
    EXPECT_EQ(back.lfCharSet, 1);
    EXPECT_EQ(std::string(back.lfFaceName), "MS Shell Dlg");
}

TEST(FontEx, ACutChunkKeepsThePreviousFont)
{
    CFontEx original;
    original.CreateFontIndirect(FontNamed("Arial"));
    std::vector<std::uint8_t> bytes = Stored(original);
    bytes.pop_back();

    CFontEx font;
    font.CreateFontIndirect(FontNamed("Verdana"));
    CMemorySource source(bytes);
    CArchive ar(source);
    EXPECT_THROW(font.Serialize(ar), CArchiveException);
    LOGFONT back;
    ASSERT_TRUE(font.GetLogFont(&back));
    EXPECT_EQ(std::string(back.lfFaceName), "Verdana");
}
