#include "skinjson.h"

#include "codepage.h"
#include "jsonwriter.h"

#include <algorithm>
#include <string>

namespace {

using Json = nlohmann::ordered_json;

Json RectToJson(const RECT& rc)
{
    return Json::array({rc.left, rc.top, rc.right, rc.bottom});
}

} // namespace

std::array<const CDib*, 3> GetSkinImages(const CSkin& skin)
{
    return {skin.GetMainImage(), skin.GetCloseImage(), skin.GetCloseHoverImage()};
}

Json ImageFactsToJson(const CDib* pImage)
{
    if (pImage == nullptr || !pImage->HasBitmap()) {
        return nullptr;
    }
    Json facts = Json::object();
    facts["width"] = pImage->GetWidth();
    facts["height"] = pImage->GetHeight();
    facts["bitCount"] = pImage->GetBitCount();
    facts["compression"] = pImage->GetCompression();
    facts["colorCount"] = pImage->GetColorCount();
    facts["chunkSize"] = pImage->GetChunkSize();
    return facts;
}

Json FontToJson(const LOGFONT& logFont)
{
    Json font = Json::object();
    font["faceName"] = Cp1252ToUtf8(GetFaceName(logFont));
    font["height"] = logFont.lfHeight;
    font["width"] = logFont.lfWidth;
    font["escapement"] = logFont.lfEscapement;
    font["orientation"] = logFont.lfOrientation;
    font["weight"] = logFont.lfWeight;
    font["italic"] = logFont.lfItalic;
    font["underline"] = logFont.lfUnderline;
    font["strikeOut"] = logFont.lfStrikeOut;
    font["charSet"] = logFont.lfCharSet;
    font["outPrecision"] = logFont.lfOutPrecision;
    font["clipPrecision"] = logFont.lfClipPrecision;
    font["quality"] = logFont.lfQuality;
    font["pitchAndFamily"] = logFont.lfPitchAndFamily;
    return font;
}

LOGFONT GetStoredMessageFont(const CSkin& skin)
{
    LOGFONT logFont = GetDefaultGuiFont();
    skin.GetMessageFont(&logFont);
    return logFont;
}

LOGFONT GetStoredTitleFont(const CSkin& skin)
{
    LOGFONT logFont = GetDefaultGuiFont();
    skin.GetTitleFont(&logFont);
    return logFont;
}

Json SkinToJson(const CSkin& skin, std::uint32_t nVersion, Json images)
{
    Json root = Json::object();
    root["version"] = nVersion;
    root["title"] = Cp1252ToUtf8(skin.m_strTitle);
    root["author"] = Cp1252ToUtf8(skin.m_strAuthor);
    root["date"] = Cp1252ToUtf8(skin.m_strDate);
    root["comment"] = Cp1252ToUtf8(skin.m_strComment);
    root["images"] = std::move(images);

    Json rects = Json::object();
    rects["closeButton"] = RectToJson(skin.m_rcCloseButton);
    rects["title"] = RectToJson(skin.m_rcTitle);
    rects["message"] = RectToJson(skin.m_rcMessage);
    root["rects"] = std::move(rects);

    Json colours = Json::object();
    colours["mainTransparent"] = skin.m_crMainTransparent;
    colours["closeTransparent"] = skin.m_crCloseTransparent;
    colours["closeHoverTransparent"] = skin.m_crCloseHoverTransparent;
    colours["messageBack"] = skin.m_crMessageBack;
    colours["titleBack"] = skin.m_crTitleBack;
    colours["messageText"] = skin.m_crMessageText;
    colours["titleText"] = skin.m_crTitleText;
    root["colours"] = std::move(colours);

    Json fonts = Json::object();
    fonts["message"] = FontToJson(GetStoredMessageFont(skin));
    fonts["title"] = FontToJson(GetStoredTitleFont(skin));
    root["fonts"] = std::move(fonts);

    root["missingPart"] = skin.GetMissingPart();
    return root;
}

Json SkinInfoToJson(const CSkin& skin, std::uint32_t nVersion)
{
    Json images = Json::object();
    const std::array<const CDib*, 3> slots = GetSkinImages(skin);
    for (std::size_t n = 0; n < slots.size(); ++n) {
        images[std::string(kImageKeys[n])] = ImageFactsToJson(slots[n]);
    }
    return SkinToJson(skin, nVersion, std::move(images));
}

Json CheckResultToJson(const std::string& strFile, const std::vector<SkinIssue>& issues)
{
    Json list = Json::array();
    for (const SkinIssue& issue : issues) {
        Json item;
        item["severity"] = SeverityName(issue.severity);
        item["rule"] = issue.strRule;
        item["component"] = issue.strComponent.empty() ? Json() : Json(issue.strComponent);
        item["message"] = issue.strMessage;
        list.push_back(std::move(item));
    }
    Json result;
    result["file"] = ToValidUtf8(strFile);
    result["ok"] = issues.empty();
    result["issues"] = std::move(list);
    return result;
}
