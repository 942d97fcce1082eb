#include "codepage.h"

#include <gtest/gtest.h>

TEST(Codepage, EveryByteSurvivesATripThroughUtf8)
{
    std::string all;
    for (int n = 0; n < 256; ++n) {
        all.push_back(static_cast<char>(n));
    }
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Codepage, DecodesTheHighControlsAsWindowsDoes)
{
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\u0178");
    EXPECT_EQ(Cp1252ToUtf8("\xE9"), "\u00E9");
    // Undefined in the code page: the C1 control of the same value.
    for (const char byte : std::string("\x81\x8D\x8F\x90\x9D")) {
        const std::string utf8 = Cp1252ToUtf8(std::string(1, byte));
        ASSERT_EQ(utf8.size(), 2u);
        EXPECT_EQ(static_cast<unsigned char>(utf8[0]), 0xC2);
        EXPECT_EQ(utf8[1], byte);
    }
}

TEST(Codepage, UnmappableAndMalformedTextBecomesQuestionMarks)
{
    EXPECT_EQ(Utf8ToCp1252("caf\u00E9 \u20AC"), "caf\xE9 \x80");
    EXPECT_EQ(Utf8ToCp1252("\u4E2D\u6587"), "??");
    EXPECT_EQ(Utf8ToCp1252("\U0001F600!"), "?!");
    EXPECT_EQ(Utf8ToCp1252(std::string{'a', '\xFF', 'b'}), "a?b"); // starts no sequence
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");                        // cut short
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "?");                      // overlong '/'
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "?");                  // an encoded surrogate
}

TEST(Codepage, NamesEachCharacterItCannotHoldOnce)
{
    EXPECT_EQ(FindUnencodableUtf8("Caf\u00E9 \u2013 10 \u20AC?"), U"");
    EXPECT_EQ(FindUnencodableUtf8("\u4E2D\u6587\u4E2D \U0001F600"), U"\u4E2D\u6587\U0001F600");
    EXPECT_EQ(FindUnencodableUtf8(std::string{'a', '\xFF'}), U"\uFFFD");
}

TEST(Codepage, WideTextConvertsUnitByUnit)
{
    EXPECT_EQ(Utf16ToCp1252(u"Gr\u00FC\u00DF \u201Cok\u201D"), "Gr\xFC\xDF \x93ok\x94");
    EXPECT_EQ(Utf16ToCp1252(u"\U0001F600"), "?"); // a surrogate pair is one character
    EXPECT_EQ(Utf16ToCp1252(std::u16string(1, char16_t{0xD800}) + u"x"), "?x");
    EXPECT_EQ(Utf16ToCp1252(u"\u0081"), "\x81");
}
