#include "colourreport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct ParseCase
{
    const char* szName;
    std::string_view output;
    int exitCode;
    std::optional<COLORREF> expected;
};

class ParseColourReportTest : public testing::TestWithParam<ParseCase>
{
};

TEST_P(ParseColourReportTest, ReadsOnlyAWellFormedLineAfterExitZero)
{
    const ParseCase& row = GetParam();
    EXPECT_EQ(ParseColourReport(row.output, row.exitCode), row.expected);
}

const ParseCase kParseCases[] = {
    {"blue", "0x00FF0000\n", 0, RGB(0, 0, 255)},
    {"lowerCaseDigits", "0x00ff8040\n", 0, RGB(0x40, 0x80, 0xFF)},
    {"mixedCaseDigits", "0x00aBcDeF\n", 0, 0x00ABCDEFu},
    {"noLineEnd", "0x000000FF", 0, RGB(255, 0, 0)},
    {"crLf", "0x0000FF00\r\n", 0, RGB(0, 255, 0)},
    {"black", "0x00000000\n", 0, COLORREF{0}},
    {"white", "0x00FFFFFF\n", 0, RGB(255, 255, 255)},
    {"nothing", "", 0, std::nullopt},
    {"emptyLine", "\n", 0, std::nullopt},
    {"nonZeroExit", "0x00FF0000\n", 1, std::nullopt},
    {"negativeExit", "0x00FF0000\n", -1, std::nullopt},
    {"automaticEntryIsNoColour", "0xFF000000\n", 0, std::nullopt},
    {"highByteSet", "0x01FF0000\n", 0, std::nullopt},
    {"allOnes", "0xFFFFFFFF\n", 0, std::nullopt},
    {"sevenDigits", "0x0FF0000\n", 0, std::nullopt},
    {"nineDigits", "0x000FF0000\n", 0, std::nullopt},
    {"noPrefix", "00FF000000\n", 0, std::nullopt},
    {"upperCasePrefix", "0X00FF0000\n", 0, std::nullopt},
    {"decimal", "16711680\n", 0, std::nullopt},
    {"notHex", "0x00GG0000\n", 0, std::nullopt},
    {"signInside", "0x+0FF0000\n", 0, std::nullopt},
    {"blankInside", "0x00FF 000\n", 0, std::nullopt},
    {"twoLines", "0x00FF0000\n0x0000FF00\n", 0, std::nullopt},
    {"chatterBefore", "picked\n0x00FF0000\n", 0, std::nullopt},
    {"embeddedNul", std::string_view("0x00FF0000\0\n", 12), 0, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Rows, ParseColourReportTest, testing::ValuesIn(kParseCases),
                         [](const testing::TestParamInfo<ParseCase>& row) {
                             return std::string(row.param.szName);
                         });

TEST(FormatColourReport, WritesPrefixAndEightUpperCaseDigits)
{
    EXPECT_EQ(FormatColourReport(RGB(0, 0, 255)), "0x00FF0000");
    EXPECT_EQ(FormatColourReport(RGB(0x0A, 0xBC, 0xDE)), "0x00DEBC0A");
    EXPECT_EQ(FormatColourReport(0), "0x00000000");
}

// What the chooser writes, the runner must read back as the same answer, on both channels.
struct RoundTripCase
{
    ColourChannel channel;
    std::optional<COLORREF> chosen;
};

class ReportRoundTripTest : public testing::TestWithParam<RoundTripCase>
{
};

TEST_P(ReportRoundTripTest, ReaderGetsWhatTheChooserReported)
{
    const RoundTripCase& row = GetParam();
    std::ostringstream out;
    const int exitCode = ReportColour(row.chosen, out, row.channel);
    EXPECT_EQ(ReadColourReport(out.str(), exitCode, row.channel), row.chosen);
    if (row.channel == ColourChannel::ExitCode) {
        EXPECT_EQ(out.str(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReportRoundTripTest,
    testing::Values(RoundTripCase{ColourChannel::StandardOutput, RGB(0, 0, 255)},
                    RoundTripCase{ColourChannel::StandardOutput, COLORREF{0}},
                    RoundTripCase{ColourChannel::StandardOutput, RGB(255, 255, 255)},
                    RoundTripCase{ColourChannel::StandardOutput, std::nullopt},
                    RoundTripCase{ColourChannel::ExitCode, RGB(0, 0, 255)},
                    RoundTripCase{ColourChannel::ExitCode, COLORREF{0}},
                    RoundTripCase{ColourChannel::ExitCode, RGB(255, 255, 255)},
                    RoundTripCase{ColourChannel::ExitCode, COLORREF{259}},
                    RoundTripCase{ColourChannel::ExitCode, std::nullopt}));

TEST(ReportColour, StandardOutputIsOneLineAndExitZero)
{
    std::ostringstream out;
    EXPECT_EQ(ReportColour(RGB(0, 0, 255), out, ColourChannel::StandardOutput), 0);
    EXPECT_EQ(out.str(), "0x00FF0000\n");
}

TEST(ReportColour, CancelPrintsNothingAndExitsOne)
{
    std::ostringstream out;
    EXPECT_EQ(ReportColour(std::nullopt, out, ColourChannel::StandardOutput), 1);
    EXPECT_EQ(out.str(), "");
}

TEST(ReportColour, CancelOnExitCodeIsTheCancelledResult)
{
    std::ostringstream out;
    EXPECT_EQ(static_cast<std::uint32_t>(ReportColour(std::nullopt, out, ColourChannel::ExitCode)),
              CHOOSER_CANCELLED);
    EXPECT_FALSE(IsChosenColour(CHOOSER_CANCELLED));
}

TEST(ReportColour, NonColourIsReportedAsCancelled)
{
    for (const ColourChannel channel : {ColourChannel::StandardOutput, ColourChannel::ExitCode}) {
        std::ostringstream out;
        const int exitCode = ReportColour(CLR_DEFAULT, out, channel);
        EXPECT_EQ(ReadColourReport(out.str(), exitCode, channel), std::nullopt);
    }
}

TEST(ReportColour, UnwritableOutputIsCancelledNotSuccess)
{
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    EXPECT_NE(ReportColour(RGB(1, 2, 3), out, ColourChannel::StandardOutput), 0);
}

} // namespace
