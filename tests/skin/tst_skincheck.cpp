#include "bitmaps.h"
#include "skin.h"
#include "skincheck.h"
#include "transparentpixels.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

// The yellow note: 240 x 200 main image keyed magenta, 14 x 14 close images at (212, 7), title
// (10, 5, 206, 25), message (12, 37, 222, 166) in 13-pixel Tahoma. It has no issues.
void LoadSample(CSkin& skin)
{
    CSkinFileStatus status;
    ASSERT_TRUE(skin.Load(TAVELO_SAMPLES_DIR "/yellow-note.skn", &status)) << status.Describe();
}

std::string Describe(const std::vector<SkinIssue>& issues)
{
    std::string out;
    for (const SkinIssue& issue : issues) {
        out += std::string(SeverityName(issue.severity)) + " " + issue.strRule + " [" +
               issue.strComponent + "] " + issue.strMessage + "\n";
    }
    return out;
}

} // namespace

TEST(SkinCheck, TheSampleHasNoIssues)
{
    CSkin skin;
    LoadSample(skin);
    EXPECT_EQ(CheckSkin(skin), std::vector<SkinIssue>{});
}

TEST(SkinCheck, EachRuleFindsItsOneFault)
{
    using E = IssueSeverity;
    struct Case
    {
        const char* pszName;
        std::function<void(CSkin&)> spoil;
        IssueSeverity severity;
        const char* pszRule;
        SkinComponent component;
        const char* pszComponent;
    };
    const auto solid = [](LONG w, LONG h) { return DibFromBytes(MakeSolidBmp(w, h, 9, 9, 9)); };
    const std::vector<Case> cases = {
        {"main image missing", [](CSkin& s) { s.SetMainImage(nullptr); }, E::Error, "missing-image",
         COMPONENT_MAIN_WINDOW, "Main Window"},
        {"close image without a bitmap",
         [](CSkin& s) { s.SetCloseImage(std::make_unique<CDib>()); }, E::Error, "missing-image",
         COMPONENT_CLOSE_BUTTON, "Close Button (Normal)"},
        {"mouse-over image missing", [](CSkin& s) { s.SetCloseHoverImage(nullptr); }, E::Error,
         "missing-image", COMPONENT_CLOSE_HOVER, "Close Button (Mouse Over)"},
        {"key colour nowhere in the image",
         [](CSkin& s) { s.m_crMainTransparent = RGB(1, 250, 3); }, E::Warning,
         "no-transparent-pixel", COMPONENT_MAIN_WINDOW, "Main Window"},
        {"title empty",
         [](CSkin& s) {
             s.m_rcTitle = RECT{10, 5, 10, 25};
         },
         E::Warning, "rect-empty", COMPONENT_TITLE, "Title"},
        {"title inverted",
         [](CSkin& s) {
             s.m_rcTitle = RECT{206, 5, 10, 25};
         },
         E::Warning, "rect-inverted", COMPONENT_TITLE, "Title"},
        {"message below the image",
         [](CSkin& s) {
             s.m_rcMessage = RECT{12, 37, 222, 201};
         },
         E::Warning, "rect-outside-image", COMPONENT_MESSAGE, "Message"},
        {"close button left of the image",
         [](CSkin& s) {
             s.m_rcCloseButton = RECT{-1, 170, 13, 184};
         },
         E::Warning, "rect-outside-image", COMPONENT_CLOSE_BUTTON, "Close Button (Normal)"},
        {"close rectangle wider than its image",
         [](CSkin& s) {
             s.m_rcCloseButton = RECT{212, 7, 227, 21};
         },
         E::Warning, "close-size-mismatch", COMPONENT_CLOSE_BUTTON, "Close Button (Normal)"},
        {"mouse-over image taller", [&](CSkin& s) { s.SetCloseHoverImage(solid(14, 15)); },
         E::Warning, "close-images-differ", COMPONENT_CLOSE_HOVER, "Close Button (Mouse Over)"},
        {"title under the close button", [](CSkin& s) { s.m_rcTitle.right = 213; }, E::Warning,
         "overlaps-close-button", COMPONENT_TITLE, "Title"},
        {"message under the close button", [](CSkin& s) { s.m_rcMessage.top = 20; }, E::Warning,
         "overlaps-close-button", COMPONENT_MESSAGE, "Message"},
        {"message rectangle 15 high for a 13-pixel em", [](CSkin& s) { s.m_rcMessage.bottom = 52; },
         E::Warning, "message-below-one-line", COMPONENT_MESSAGE, "Message"},
        {"title text on itself", [](CSkin& s) { s.m_crTitleText = s.m_crTitleBack; }, E::Warning,
         "text-matches-background", COMPONENT_NONE, "Colors and Fonts"},
        {"message text on itself, flag byte aside",
         [](CSkin& s) { s.m_crMessageText = s.m_crMessageBack | 0x02000000; }, E::Warning,
         "text-matches-background", COMPONENT_NONE, "Colors and Fonts"},
        {"undefined byte in a font name",
         [](CSkin& s) {
             LOGFONT lf;
             s.GetTitleFont(&lf);
             SetFaceName(lf, "Ver\x8F"
                             "dana");
             s.SetTitleFont(&lf);
         },
         E::Warning, "unencodable-text", COMPONENT_NONE, "Colors and Fonts"},
        {"undefined byte in the comment", [](CSkin& s) { s.m_strComment += "\x9D"; }, E::Warning,
         "unencodable-text", COMPONENT_NONE, "Skin Information"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        CSkin skin;
        LoadSample(skin);
        c.spoil(skin);
        const std::vector<SkinIssue> issues = CheckSkin(skin);
        ASSERT_EQ(issues.size(), 1u) << Describe(issues);
        EXPECT_EQ(issues[0].severity, c.severity);
        EXPECT_EQ(issues[0].strRule, c.pszRule);
        EXPECT_EQ(issues[0].component, c.component);
        EXPECT_EQ(issues[0].strComponent, c.pszComponent);
        EXPECT_FALSE(issues[0].strMessage.empty());
        EXPECT_EQ(HasError(issues), c.severity == IssueSeverity::Error);
    }
}

TEST(SkinCheck, IssuesComeInComponentOrderWithTheValuesAtFault)
{
    CSkin skin;
    skin.m_strAuthor = "\x81\x81\x90";
    skin.m_rcMessage = RECT{0, 0, 100, std::numeric_limits<LONG>::max()};
    std::vector<std::string> lines;
    for (const SkinIssue& issue : CheckSkin(skin)) {
        lines.push_back(issue.strComponent + ": " + issue.strMessage);
    }
    const std::vector<std::string> expected = {
        "Main Window: no image: the skin cannot be saved without one",
        "Title: the title rectangle (0, 0, 0, 0) is empty",
        "Close Button (Normal): no image: the skin cannot be saved without one",
        "Close Button (Normal): the close-button rectangle (0, 0, 0, 0) is empty",
        "Close Button (Mouse Over): no image: the skin cannot be saved without one",
        "Skin Information: the author holds bytes Windows-1252 does not define (0x81, 0x90), "
        "which show as no character",
    };
    EXPECT_EQ(lines, expected);
}

TEST(SkinCheck, LineHeightFromTheFontRecordAlone)
{
    struct Case
    {
        LONG nHeight;
        LONG nLine;
    };
    const Case cases[] = {
        {-13, 16}, // the em, 1.2 em to the line, rounded up
        {-10, 12}, // exactly 12
        {13, 13},  // a cell height is the line
        {0, 14},   // the default GUI font's 11-pixel em
        {std::numeric_limits<LONG>::min(),
         16384}, // no overflow; no line is taller than an image may be
    };
    for (const Case& c : cases) {
        LOGFONT lf;
        lf.lfHeight = c.nHeight;
        EXPECT_EQ(EstimateLineHeight(lf), c.nLine) << c.nHeight;
    }
}

// The scan takes 24-bit rows sixteen pixels at a time: one pixel in the window is found wherever
// it stands, channel by channel, and one just outside on any channel is not.
TEST(TransparentPixels, OnePixelFoundAtEveryPlaceOfA24BitRow)
{
    constexpr LONG kWidth = 37; // two blocks of sixteen and a tail of five
    constexpr COLORREF crKey = RGB(200, 100, 50);
    struct Case
    {
        std::uint8_t r, g, b;
        bool bFound;
    };
    const Case cases[] = {
        {200, 100, 50, true}, {216, 116, 66, true},  {217, 100, 50, false},
        {200, 99, 50, false}, {200, 100, 67, false},
    };
    for (const Case& c : cases) {
        for (LONG x = 0; x < kWidth; ++x) {
            std::vector<std::uint8_t> bmp = MakeSolidBmp(kWidth, 2, 0, 0, 0);
            // The second stored row, where the pixel data starts at byte 54.
            const std::size_t nAt = 54 + StrideFor(24, kWidth) + 3 * static_cast<std::size_t>(x);
            bmp[nAt] = c.b;
            bmp[nAt + 1] = c.g;
            bmp[nAt + 2] = c.r;
            EXPECT_EQ(HasTransparentPixel(*DibFromBytes(bmp), crKey), c.bFound)
                << x << " " << int{c.r} << "," << int{c.g} << "," << int{c.b};
        }
    }
}
