// The JSON side of tavelo-skn in process: skin to JSON, the writer and the manifest reader.

#include "../skin/childprocess.h"
#include "jsonwriter.h"
#include "manifest.h"
#include "skinjson.h"
#include "sknfixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(SknJson, ImageIsNullWhenItsSlotHoldsNoBitmap)
{
    CSkin skin;
    skin.SetMainImage(MakeDib(Rgb24(3, 1)));
    skin.SetCloseImage(std::make_unique<CDib>()); // an object without a bitmap
    const nlohmann::ordered_json json = SkinInfoToJson(skin, 1);
    EXPECT_EQ(ToJsonLine(json["images"]),
              R"({"main": {"width": 3, "height": 1, "bitCount": 24, "compression": 0, )"
              R"("colorCount": 0, "chunkSize": 66}, "close": null, "closeHover": null})");
    // The close slot holds an object, so only the mouse-over image counts as missing.
    EXPECT_EQ(json["missingPart"], SKINPART_CLOSE_HOVER_IMAGE);
}

TEST(SknJson, WriterEscapesOnlyWhatJsonRequires)
{
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    json["b"] = std::string("q\"b\\s/\x01\x1F\x7F\xC3\xA9", 11);
    json["a"] = nlohmann::ordered_json::array({-1, 4294967295u, true, nullptr});
    json["e"] = nlohmann::ordered_json::object();
    EXPECT_EQ(ToJsonLine(json), "{\"b\": \"q\\\"b\\\\s/\\u0001\\u001f\x7F\xC3\xA9\", "
                                "\"a\": [-1, 4294967295, true, null], \"e\": {}}");
}

constexpr char kImages[] =
    R"("images": {"main": "m.bmp", "close": "c.bmp", "closeHover": "h.bmp"})";

TEST(SknManifest, KeysLeftOutKeepTheValuesOfANewSkin)
{
    CSkin skin;
    FillSampleSkin(skin);
    const std::string strManifest = std::string("{") + kImages +
                                    R"(, "version": 7, "missingPart": "anything",
        "fonts": {"title": {"weight": 700,
                            "faceName": "An extremely long face name \u00e9\u00e9\u00e9"}}})";
    const ManifestImagePaths paths = ApplyManifest(strManifest, skin);
    EXPECT_EQ(paths[0], "m.bmp");
    EXPECT_EQ(paths[2], "h.bmp");

    const CSkin fresh;
    EXPECT_EQ(skin.m_strTitle, "");
    EXPECT_EQ(skin.m_rcCloseButton, fresh.m_rcCloseButton);
    EXPECT_EQ(skin.m_crTitleText, fresh.m_crTitleText);
    EXPECT_EQ(GetStoredMessageFont(skin), GetDefaultGuiFont());
    LOGFONT expected = GetDefaultGuiFont();
    expected.lfWeight = FW_BOLD;
    std::memset(expected.lfFaceName, 0, sizeof expected.lfFaceName);
    std::memcpy(expected.lfFaceName, "An extremely long face name \xE9\xE9\xE9", 31);
    EXPECT_EQ(GetStoredTitleFont(skin), expected);
}

TEST(SknManifest, TextTheCodePageHoldsIsStoredAsItsBytes)
{
    CSkin skin;
    ApplyManifest(std::string("{") + kImages + R"(, "title": "Caf\u00e9 \u2013 10 \u20ac",
        "fonts": {"title": {"faceName": "Fa\u00e7ade \u0081"}}})",
                  skin);
    EXPECT_EQ(skin.m_strTitle, "Caf\xE9 \x96 10 \x80");
    EXPECT_EQ(GetFaceName(GetStoredTitleFont(skin)), "Fa\xE7"
                                                     "ade \x81");
}

TEST(SknManifest, DeepNestingIsRefusedBeforeItCostsMemory)
{
#if defined(_WIN32) || defined(TAVELO_ASAN)
    GTEST_SKIP() << "needs fork and an address-space limit";
#else
    // Parsed into values, these 30 MB took more than 2 GB.
    const std::string strNested = std::string(30'000'000, '[');
    const int nStatus = RunInChild([] { LimitResource(RLIMIT_AS, 512u << 20); },
                                   [&] {
                                       CSkin skin;
                                       try {
                                           ApplyManifest(strNested, skin);
                                       } catch (const CManifestError&) {
                                           return 0;
                                       } catch (...) {
                                       }
                                       return 1;
                                   });
    ASSERT_TRUE(WIFEXITED(nStatus));
    EXPECT_EQ(WEXITSTATUS(nStatus), 0);
#endif
}

TEST(SknManifest, ErrorsNameTheKey)
{
    const std::string strImages = kImages;
    const std::pair<std::string, std::string> cases[] = {
        {"[]", "must be a JSON object"},
        {"{}", R"("images" is required)"},
        {R"({"images": {"main": "m.bmp", "close": "c.bmp"}})",
         R"("images.closeHover" is required)"},
        {R"({"images": {"main": "m.bmp", "close": "", "closeHover": "h.bmp"}})",
         R"("images.close" must be the name of a bitmap file)"},
        {"{" + strImages + R"(, "colors": {}})", R"("colors" is not a known key)"},
        {"{" + strImages + R"(, "fonts": {"title": {"bold": 1}}})",
         R"("fonts.title.bold" is not a known key)"},
        {"{" + strImages + R"(, "title": 5})", R"("title" must be a string)"},
        {"{" + strImages + R"(, "rects": []})", R"("rects" must be an object)"},
        {"{" + strImages + R"(, "rects": {"message": [1, 2, 3, 4.5]}})",
         R"("rects.message" must be an array of 4 integers)"},
        {"{" + strImages + R"(, "rects": {"message": [1, 2, 3, 2147483648]}})",
         R"("rects.message[3]" must be an integer from -2147483648 to 2147483647)"},
        {"{" + strImages + R"(, "colours": {"messageText": -1}})",
         R"("colours.messageText" must be an integer from 0 to 4294967295 or a "#rrggbb" string)"},
        {"{" + strImages + R"(, "colours": {"messageText": 4294967296}})",
         R"("colours.messageText" must be an integer from 0 to 4294967295 or a "#rrggbb" string)"},
        {"{" + strImages + R"(, "colours": {"messageText": "#12345g"}})",
         R"("colours.messageText" must be an integer from 0 to 4294967295 or a "#rrggbb" string)"},
        {"{" + strImages + R"(, "fonts": {"message": {"italic": 256}}})",
         R"("fonts.message.italic" must be an integer from 0 to 255)"},
        {"{" + strImages + R"(, "fonts": {"message": {"height": -2147483649}}})",
         R"("fonts.message.height" must be an integer from -2147483648 to 2147483647)"},
        {"{" + strImages + R"(, "fonts": {"message": {"weight": "bold"}}})",
         R"("fonts.message.weight" must be an integer from -2147483648 to 2147483647)"},
        {"{" + strImages + R"(, "title": "a", "title": "b"})", R"("title" appears twice)"},
        {"{" + strImages + R"(, "fonts": {"title": {"weight": 400, "weight": 700}}})",
         R"("fonts.title.weight" appears twice)"},
        {R"({"images": {"main": "m.bmp\u0000.png", "close": "c.bmp", "closeHover": "h.bmp"}})",
         R"("images.main" must not contain a NUL character)"},
        {"{" + strImages + R"(, "fonts": {"title": {"faceName": "Arial\u0000Black"}}})",
         R"("fonts.title.faceName" must not contain a NUL character)"},
        {"{" + strImages + R"(, "fonts": {"title": {"faceName": ")" + std::string(32, 'f') +
             R"("}}})",
         R"("fonts.title.faceName" is longer than the 31 characters a face name holds)"},
        {"{" + strImages + R"(, "title": "\u4e2d\u6587\u4e2d \ud83d\ude00"})",
         "\"title\" holds characters Windows-1252 cannot store: \"\u4E2D\" (U+4E2D), "
         "\"\u6587\" (U+6587), \"\U0001F600\" (U+1F600)"},
        {"{" + strImages + R"(, "comment": "next\u0085line"})",
         R"("comment" holds characters Windows-1252 cannot store: U+0085)"},
        {"{" + strImages + R"(, "fonts": {"message": {"faceName": "\u0416"}}})",
         "\"fonts.message.faceName\" holds characters Windows-1252 cannot store: \"\u0416\" "
         "(U+0416)"},
        {"{" + strImages + R"(, "version": )" + std::string(16, '[') + std::string(16, ']') + "}",
         R"(nests deeper than 16 levels at "version[0][0][0][0][0][0][0][0][0][0][0][0][0][0][0]")"},
    };
    for (const auto& [strManifest, strError] : cases) {
        SCOPED_TRACE(strManifest);
        CSkin skin;
        try {
            ApplyManifest(strManifest, skin);
            ADD_FAILURE() << "accepted";
        } catch (const CManifestError& e) {
            EXPECT_EQ(std::string(e.what()), strError);
        }
    }
}

} // namespace
