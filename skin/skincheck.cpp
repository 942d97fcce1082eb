#include "skincheck.h"

#include "codepage.h"
#include "skin.h"
#include "transparentpixels.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace {

std::string DescribeSize(std::int64_t nWidth, std::int64_t nHeight)
{
    return std::to_string(nWidth) + " x " + std::to_string(nHeight);
}

std::string DescribeRect(const RECT& rc)
{
    std::string out;
    for (const LONG n : {rc.left, rc.top, rc.right, rc.bottom}) {
        out += out.empty() ? "(" : ", ";
        out += std::to_string(n);
    }
    return out + ")";
}

std::string DescribeColour(COLORREF cr)
{
    char szText[8];
    std::snprintf(szText, sizeof szText, "#%02x%02x%02x", GetRValue(cr), GetGValue(cr),
                  GetBValue(cr));
    return szText;
}

// Width and height in 64 bits: a rectangle may span the whole range of LONG.
std::int64_t WidthOf(const RECT& rc)
{
    return std::int64_t{rc.right} - rc.left;
}

std::int64_t HeightOf(const RECT& rc)
{
    return std::int64_t{rc.bottom} - rc.top;
}

bool IsInverted(const RECT& rc)
{
    return WidthOf(rc) < 0 || HeightOf(rc) < 0;
}

// Neither inverted nor empty: a rectangle that covers pixels.
bool CoversPixels(const RECT& rc)
{
    return WidthOf(rc) > 0 && HeightOf(rc) > 0;
}

bool Overlap(const RECT& a, const RECT& b)
{
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

const CDib* BitmapOf(const CDib* pImage)
{
    return pImage != nullptr && pImage->HasBitmap() ? pImage : nullptr;
}

// The name a message gives the rectangle: "the title rectangle".
SkinText RectName(SkinRect rect)
{
    switch (rect) {
    case SkinRect::Title:
        return Phrase(QT_TRANSLATE_NOOP("Skin", "the title rectangle"));
    case SkinRect::Message:
        return Phrase(QT_TRANSLATE_NOOP("Skin", "the message rectangle"));
    case SkinRect::CloseButton:
        return Phrase(QT_TRANSLATE_NOOP("Skin", "the close-button rectangle"));
    case SkinRect::None:
        break;
    }
    return Literal({});
}

SkinText Number(std::int64_t n)
{
    return Literal(std::to_string(n));
}

// The bytes of a skin string no font draws, as "0x81, 0x9d"; empty when there are none.
std::string UndefinedBytesOf(std::string_view bytes)
{
    std::string strFound;
    bool bSeen[32] = {};
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (IsUndefinedCp1252(byte) && !bSeen[byte - 0x80]) {
            bSeen[byte - 0x80] = true;
            char szByte[8];
            std::snprintf(szByte, sizeof szByte, "0x%02x", byte);
            strFound += (strFound.empty() ? "" : ", ") + std::string(szByte);
        }
    }
    return strFound;
}

class CSkinChecker
{
public:
    explicit CSkinChecker(const CSkin& skin) : m_skin(skin) {}

    std::vector<SkinIssue> Run()
    {
        for (const ComponentTraits& traits : kComponentTraits) {
            CheckComponent(traits);
        }
        CheckColoursAndFonts();
        CheckInformation();
        return std::move(m_issues);
    }

private:
    void Add(IssueSeverity severity, const char* pszRule, SkinComponent component,
             std::string strArea, SkinText text)
    {
        std::string strMessage = text.English();
        m_issues.push_back({severity, pszRule, component, std::move(strArea), std::move(strMessage),
                            std::move(text)});
    }

    void Warn(const ComponentTraits& traits, const char* pszRule, SkinText text)
    {
        Add(IssueSeverity::Warning, pszRule, traits.component, traits.pszName, std::move(text));
    }

    void CheckComponent(const ComponentTraits& traits)
    {
        if (traits.nImagePart != SKINPART_NONE &&
            BitmapOf(m_skin.GetImage(traits.nImagePart)) == nullptr) {
            Add(IssueSeverity::Error, "missing-image", traits.component, traits.pszName,
                Phrase(
                    QT_TRANSLATE_NOOP("Skin", "no image: the skin cannot be saved without one")));
        }
        // The mouse-over component shares the close button's rectangle; it is checked once.
        if (traits.bRectFieldsEditable) {
            CheckRect(traits);
        }
        switch (traits.component) {
        case COMPONENT_MAIN_WINDOW:
            CheckShape(traits);
            break;
        case COMPONENT_TITLE:
            CheckCloseOverlap(traits);
            break;
        case COMPONENT_CLOSE_BUTTON:
            CheckCloseRectSize(traits);
            break;
        case COMPONENT_CLOSE_HOVER:
            CheckCloseImageSizes(traits);
            break;
        case COMPONENT_MESSAGE:
            CheckCloseOverlap(traits);
            CheckMessageHeight(traits);
            break;
        case COMPONENT_NONE:
            break;
        }
    }

    void CheckRect(const ComponentTraits& traits)
    {
        const RECT& rc = *RectSlot(m_skin, traits.rect);
        const SkinText name = RectName(traits.rect);
        if (IsInverted(rc)) {
            Warn(
                traits, "rect-inverted",
                Phrase(QT_TRANSLATE_NOOP("Skin", "%1 %2 is inverted: its right or bottom edge lies "
                                                 "before its left or top edge"),
                       {name, Literal(DescribeRect(rc))}));
            return;
        }
        if (!CoversPixels(rc)) {
            Warn(traits, "rect-empty",
                 Phrase(QT_TRANSLATE_NOOP("Skin", "%1 %2 is empty"),
                        {name, Literal(DescribeRect(rc))}));
            return;
        }
        const CDib* const pMain = BitmapOf(m_skin.GetMainImage());
        if (pMain != nullptr && (rc.left < 0 || rc.top < 0 || rc.right > pMain->GetWidth() ||
                                 rc.bottom > pMain->GetHeight())) {
            Warn(traits, "rect-outside-image",
                 Phrase(QT_TRANSLATE_NOOP("Skin", "%1 %2 reaches outside the %3 main image"),
                        {name, Literal(DescribeRect(rc)),
                         Literal(DescribeSize(pMain->GetWidth(), pMain->GetHeight()))}));
        }
    }

    void CheckShape(const ComponentTraits& traits)
    {
        const CDib* const pMain = BitmapOf(m_skin.GetMainImage());
        if (pMain != nullptr && !HasTransparentPixel(*pMain, m_skin.m_crMainTransparent)) {
            Warn(traits, "no-transparent-pixel",
                 Phrase(QT_TRANSLATE_NOOP("Skin",
                                          "no pixel of the main image is in the transparent "
                                          "colour %1, so the note will be a plain rectangle"),
                        {Literal(DescribeColour(m_skin.m_crMainTransparent))}));
        }
    }

    void CheckCloseOverlap(const ComponentTraits& traits)
    {
        const RECT& rc = *RectSlot(m_skin, traits.rect);
        if (CoversPixels(rc) && CoversPixels(m_skin.m_rcCloseButton) &&
            Overlap(rc, m_skin.m_rcCloseButton)) {
            Warn(traits, "overlaps-close-button",
                 Phrase(QT_TRANSLATE_NOOP("Skin", "%1 %2 overlaps the close-button rectangle %3"),
                        {RectName(traits.rect), Literal(DescribeRect(rc)),
                         Literal(DescribeRect(m_skin.m_rcCloseButton))}));
        }
    }

    void CheckCloseRectSize(const ComponentTraits& traits)
    {
        const CDib* const pClose = BitmapOf(m_skin.GetCloseImage());
        const RECT& rc = m_skin.m_rcCloseButton;
        if (pClose != nullptr && CoversPixels(rc) &&
            (WidthOf(rc) != pClose->GetWidth() || HeightOf(rc) != pClose->GetHeight())) {
            Warn(traits, "close-size-mismatch",
                 Phrase(QT_TRANSLATE_NOOP("Skin", "the close-button rectangle is %1 pixels but the "
                                                  "close image is %2"),
                        {Literal(DescribeSize(WidthOf(rc), HeightOf(rc))),
                         Literal(DescribeSize(pClose->GetWidth(), pClose->GetHeight()))}));
        }
    }

    void CheckCloseImageSizes(const ComponentTraits& traits)
    {
        const CDib* const pClose = BitmapOf(m_skin.GetCloseImage());
        const CDib* const pHover = BitmapOf(m_skin.GetCloseHoverImage());
        if (pClose != nullptr && pHover != nullptr &&
            (pClose->GetWidth() != pHover->GetWidth() ||
             pClose->GetHeight() != pHover->GetHeight())) {
            Warn(
                traits, "close-images-differ",
                Phrase(QT_TRANSLATE_NOOP("Skin", "the mouse-over image is %1 pixels but the normal "
                                                 "close image is %2"),
                       {Literal(DescribeSize(pHover->GetWidth(), pHover->GetHeight())),
                        Literal(DescribeSize(pClose->GetWidth(), pClose->GetHeight()))}));
        }
    }

    void CheckMessageHeight(const ComponentTraits& traits)
    {
        const RECT& rc = m_skin.m_rcMessage;
        LOGFONT font = GetDefaultGuiFont();
        m_skin.GetMessageFont(&font);
        const LONG nLine = EstimateLineHeight(font);
        if (CoversPixels(rc) && HeightOf(rc) < nLine) {
            Warn(traits, "message-below-one-line",
                 Phrase(QT_TRANSLATE_NOOP("Skin", "the message rectangle is %1 pixels high, less "
                                                  "than one line of the message font (about %2 "
                                                  "pixels)"),
                        {Number(HeightOf(rc)), Number(nLine)}));
        }
    }

    void CheckColoursAndFonts()
    {
        const auto sameColour = [](COLORREF a, COLORREF b) {
            return (a & 0x00FFFFFF) == (b & 0x00FFFFFF);
        };
        if (sameColour(m_skin.m_crTitleText, m_skin.m_crTitleBack)) {
            Add(IssueSeverity::Warning, "text-matches-background", COMPONENT_NONE,
                kColoursAndFontsArea,
                Phrase(
                    QT_TRANSLATE_NOOP("Skin", "the title text colour %1 is its background colour"),
                    {Literal(DescribeColour(m_skin.m_crTitleText))}));
        }
        if (sameColour(m_skin.m_crMessageText, m_skin.m_crMessageBack)) {
            Add(IssueSeverity::Warning, "text-matches-background", COMPONENT_NONE,
                kColoursAndFontsArea,
                Phrase(QT_TRANSLATE_NOOP("Skin", "the message text colour %1 is its background "
                                                 "colour, so the message cannot be read"),
                       {Literal(DescribeColour(m_skin.m_crMessageText))}));
        }
        LOGFONT font;
        if (m_skin.GetTitleFontObject().GetLogFont(&font)) {
            CheckText(kColoursAndFontsArea, QT_TRANSLATE_NOOP("Skin", "the title font's name"),
                      GetFaceName(font));
        }
        if (m_skin.GetMessageFontObject().GetLogFont(&font)) {
            CheckText(kColoursAndFontsArea, QT_TRANSLATE_NOOP("Skin", "the message font's name"),
                      GetFaceName(font));
        }
    }

    void CheckInformation()
    {
        CheckText(kSkinInformationArea, QT_TRANSLATE_NOOP("Skin", "the title"), m_skin.m_strTitle);
        CheckText(kSkinInformationArea, QT_TRANSLATE_NOOP("Skin", "the author"),
                  m_skin.m_strAuthor);
        CheckText(kSkinInformationArea, QT_TRANSLATE_NOOP("Skin", "the date"), m_skin.m_strDate);
        CheckText(kSkinInformationArea, QT_TRANSLATE_NOOP("Skin", "the comment"),
                  m_skin.m_strComment);
    }

    void CheckText(const char* pszArea, const char* pszField, std::string_view bytes)
    {
        const std::string strBytes = UndefinedBytesOf(bytes);
        if (!strBytes.empty()) {
            Add(IssueSeverity::Warning, "unencodable-text", COMPONENT_NONE, pszArea,
                Phrase(QT_TRANSLATE_NOOP("Skin", "%1 holds bytes Windows-1252 does not define "
                                                 "(%2), which show as no character"),
                       {Phrase(pszField), Literal(strBytes)}));
        }
    }

    const CSkin& m_skin;
    std::vector<SkinIssue> m_issues;
};

} // namespace

const char* SeverityName(IssueSeverity severity)
{
    return severity == IssueSeverity::Error ? "error" : "warning";
}

std::vector<SkinIssue> CheckSkin(const CSkin& skin)
{
    return CSkinChecker(skin).Run();
}

bool HasError(const std::vector<SkinIssue>& issues)
{
    return std::ranges::any_of(
        issues, [](const SkinIssue& issue) { return issue.severity == IssueSeverity::Error; });
}

// Without a font engine the line comes from the LOGFONT alone. A negative height is the em; the
// faces notes use (Tahoma, Verdana, Segoe UI, Arial) draw a line of about 1.2 em, ascent and
// descent together. A positive height is that cell already. 0 asks for the default size, which
// is the default GUI font's.
LONG EstimateLineHeight(const LOGFONT& logFont)
{
    const std::int64_t nHeight =
        logFont.lfHeight != 0 ? logFont.lfHeight : GetDefaultGuiFont().lfHeight;
    if (nHeight > 0) {
        return static_cast<LONG>(nHeight);
    }
    const std::int64_t nEm = -nHeight;
    return static_cast<LONG>(std::min<std::int64_t>((nEm * 6 + 4) / 5, DIB_MAX_SIDE));
}
