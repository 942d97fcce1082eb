#include "archive.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::uint8_t> StoredString(const std::string& str)
{
    CMemorySink sink;
    CArchive ar(sink);
    ar.WriteString(str);
    return sink.TakeBytes();
}

std::string LoadedString(const std::vector<std::uint8_t>& bytes)
{
    CMemorySource source(bytes);
    CArchive ar(source);
    std::string str = ar.ReadString();
    EXPECT_EQ(source.GetRemaining(), 0u) << "the string should use every byte";
    return str;
}

} // namespace

TEST(Archive, StringLengthTakesTheShortestOfItsThreeForms)
{
    struct Row
    {
        std::size_t nLength;
        std::vector<std::uint8_t> prefix;
    };
    const std::vector<Row> rows = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0x2C, 0x01}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.nLength);
        const std::string str(row.nLength, 'x');
        const std::vector<std::uint8_t> bytes = StoredString(str);
        ASSERT_EQ(bytes.size(), row.prefix.size() + row.nLength);
        EXPECT_TRUE(std::equal(row.prefix.begin(), row.prefix.end(), bytes.begin()));
        EXPECT_EQ(LoadedString(bytes), str);
    }
}

TEST(Archive, ReadsTheWideFormIntoTheCodePage)
{
    // 0xFF FFFE marks the wide form; a length in the usual forms and UTF-16 units follow.
    EXPECT_EQ(LoadedString({0xFF, 0xFE, 0xFF, 0x03, 'H', 0, 0xE9, 0, 0xAC, 0x20}), "H\xE9\x80");
    EXPECT_EQ(LoadedString({0xFF, 0xFE, 0xFF, 0x00}), "");
    std::vector<std::uint8_t> longWide = {0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01};
    for (int n = 0; n < 300; ++n) {
        longWide.push_back('a');
        longWide.push_back(0);
    }
    EXPECT_EQ(LoadedString(longWide), std::string(300, 'a'));
}

TEST(Archive, LengthsBeyondTheDataFailBeforeAllocating)
{
    struct Row
    {
        const char* pszName;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<std::uint8_t> claims4GB = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    claims4GB.resize(100, 'x');
    const std::vector<Row> rows = {
        {"empty", {}},
        {"short byte form", {0x05, 'a', 'b'}},
        {"cut inside the word form", {0xFF, 0x2C}},
        {"cut inside the dword form", {0xFF, 0xFF, 0xFF, 0x01}},
        {"4 GB in 100 bytes", claims4GB},
        {"wide form claims 2 GB of units",
         {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
        {"odd byte of a wide unit", {0xFF, 0xFE, 0xFF, 0x01, 'a'}},
        {"wide marker twice", {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pszName);
        CMemorySource source(row.bytes);
        CArchive ar(source);
        EXPECT_THROW(ar.ReadString(), CArchiveException);
    }
}

TEST(Archive, RepeatedWideMarkersFailWithoutDeepening)
{
    // Once read by recursion, a million markers overflowed the stack.
    std::vector<std::uint8_t> bytes;
    for (int n = 0; n < 1000000; ++n) {
        bytes.insert(bytes.end(), {0xFF, 0xFE, 0xFF});
    }
    CMemorySource source(bytes);
    CArchive ar(source);
    try {
        ar.ReadString();
        FAIL() << "a second wide marker must fail";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetOffset(), 0u);
    }
}

TEST(Archive, IntegersAreLittleEndianAndFailuresCarryTheirOffset)
{
    CMemorySink sink;
    {
        CArchive ar(sink);
        ar.WriteDWord(0x04030201);
        ar.WriteRect(RECT{-1, 2, 0x7FFFFFFF, -0x7FFFFFFF - 1});
    }
    const std::vector<std::uint8_t> bytes = sink.TakeBytes();
    ASSERT_EQ(bytes.size(), 20u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[3], 4);
    EXPECT_EQ(bytes[4], 0xFF);

    CMemorySource source(std::span<const std::uint8_t>(bytes).first(18));
    CArchive ar(source);
    EXPECT_EQ(ar.ReadDWord(), 0x04030201u);
    EXPECT_EQ(ar.ReadLong(), -1);
    EXPECT_EQ(ar.ReadLong(), 2);
    EXPECT_EQ(ar.ReadLong(), 0x7FFFFFFF);
    try {
        ar.ReadLong();
        FAIL() << "reading past the end must fail";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetOffset(), 16u);
    }
}
