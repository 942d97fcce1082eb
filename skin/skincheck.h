#pragma once

#include "skincomponent.h"
#include "skintext.h"

#include <string>
#include <vector>

class CSkin;

enum class IssueSeverity
{
    Error,   // the skin cannot be saved
    Warning, // the skin saves, but the note will not look as meant
};

// Where issues that belong to no component point: the colour and font buttons, and the Skin
// Information dialog.
inline constexpr char kColoursAndFontsArea[] = QT_TRANSLATE_NOOP("Skin", "Colors and Fonts");
inline constexpr char kSkinInformationArea[] = QT_TRANSLATE_NOOP("Skin", "Skin Information");

// One thing wrong with a skin.
struct SkinIssue
{
    IssueSeverity severity = IssueSeverity::Warning;
    // Names the rule, in kebab-case; stable from version to version, so scripts may test it.
    std::string strRule;
    // What the editor selects to show it; COMPONENT_NONE for the two areas above.
    SkinComponent component = COMPONENT_NONE;
    // The component's name as the Component list shows it, or one of the two areas.
    std::string strComponent;
    // For the user: lower case, no final full stop, names the values at fault.
    std::string strMessage;
    // strMessage as pattern and values, for a user interface that shows it in another language.
    SkinText text;

    friend bool operator==(const SkinIssue&, const SkinIssue&) = default;
};

// "error" or "warning", as the command line prints it.
const char* SeverityName(IssueSeverity severity);

// Every issue of the skin: the components in the order of the Component list, then colours and
// fonts, then the skin information; each one's rules always in the same order. Costs far less
// than reading the skin: images are only looked at, never copied, and the scan for a transparent
// pixel stops at the first.
std::vector<SkinIssue> CheckSkin(const CSkin& skin);

bool HasError(const std::vector<SkinIssue>& issues);

// The height of one line of text in the font, in pixels, as the note's message area needs it.
LONG EstimateLineHeight(const LOGFONT& logFont);
