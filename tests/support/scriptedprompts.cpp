#include "scriptedprompts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

const char* NameOf(CScriptedPrompts::Kind kind)
{
    switch (kind) {
    case CScriptedPrompts::Kind::Message:
        return "message";
    case CScriptedPrompts::Kind::Colour:
        return "colour dialog";
    case CScriptedPrompts::Kind::SkinFile:
        return "skin file dialog";
    case CScriptedPrompts::Kind::Font:
        return "font dialog";
    case CScriptedPrompts::Kind::BitmapFile:
        return "bitmap file dialog";
    case CScriptedPrompts::Kind::SkinInformation:
        return "skin information dialog";
    case CScriptedPrompts::Kind::About:
        return "about dialog";
    case CScriptedPrompts::Kind::Template:
        return "template choice";
    case CScriptedPrompts::Kind::PngFile:
        return "PNG file dialog";
    }
    return "?";
}

} // namespace

CScriptedPrompts::CScriptedPrompts() : m_pPrevious(SetPromptService(this)) {}

CScriptedPrompts::~CScriptedPrompts()
{
    SetPromptService(m_pPrevious);
    if (!m_unexpected.empty()) {
        for (const Call& call : m_unexpected) {
            std::fprintf(stderr, "unexpected prompt: %s %s\n", NameOf(call.kind),
                         call.text.c_str());
        }
        std::abort();
    }
}

template <class T>
bool CScriptedPrompts::Take(std::deque<T>& queue, T& answer, const Call& call)
{
    m_calls.push_back(call);
    if (queue.empty()) {
        m_unexpected.push_back(call);
        return false;
    }
    answer = std::move(queue.front());
    queue.pop_front();
    return true;
}

PromptAnswer CScriptedPrompts::ShowMessage(std::string_view text, PromptButtons buttons,
                                           PromptIcon icon)
{
    Call call;
    call.kind = Kind::Message;
    call.text = text;
    call.buttons = buttons;
    call.icon = icon;
    PromptAnswer answer = SafeAnswer(buttons);
    Take(m_messages, answer, call);
    return answer;
}

std::optional<COLORREF> CScriptedPrompts::ChooseColour(COLORREF crInitial)
{
    Call call;
    call.kind = Kind::Colour;
    call.crInitial = crInitial;
    std::optional<COLORREF> answer;
    Take(m_colours, answer, call);
    return answer;
}

std::optional<std::filesystem::path>
CScriptedPrompts::ChooseSkinFile(FileDialogMode mode, const std::filesystem::path& folder)
{
    Call call;
    call.kind = Kind::SkinFile;
    call.mode = mode;
    call.folder = folder;
    std::optional<std::filesystem::path> answer;
    Take(m_skinFiles, answer, call);
    return answer;
}

std::optional<LOGFONT> CScriptedPrompts::ChooseFont(const LOGFONT& initial)
{
    Call call;
    call.kind = Kind::Font;
    call.font = initial;
    std::optional<LOGFONT> answer;
    Take(m_fonts, answer, call);
    return answer;
}

std::optional<std::filesystem::path>
CScriptedPrompts::ChooseBitmapFile(const std::filesystem::path& folder, COLORREF crTransparent)
{
    Call call;
    call.kind = Kind::BitmapFile;
    call.crInitial = crTransparent;
    call.folder = folder;
    std::optional<std::filesystem::path> answer;
    Take(m_bitmapFiles, answer, call);
    return answer;
}

bool CScriptedPrompts::EditSkinInformation(::SkinInformation& info)
{
    Call call;
    call.kind = Kind::SkinInformation;
    call.info = info;
    std::optional<::SkinInformation> answer;
    if (!Take(m_infos, answer, call) || !answer) {
        return false;
    }
    info = *answer;
    return true;
}

void CScriptedPrompts::ShowAbout()
{
    Call call;
    call.kind = Kind::About;
    m_calls.push_back(call);
    if (m_nAboutsExpected == 0) {
        m_unexpected.push_back(call);
        return;
    }
    --m_nAboutsExpected;
}

std::optional<std::filesystem::path>
CScriptedPrompts::ChooseTemplate(const std::vector<std::filesystem::path>& templates)
{
    Call call;
    call.kind = Kind::Template;
    call.templates = templates;
    std::optional<std::filesystem::path> answer;
    Take(m_templates, answer, call);
    return answer;
}

std::optional<std::filesystem::path>
CScriptedPrompts::ChoosePngFile(const std::filesystem::path& suggested)
{
    Call call;
    call.kind = Kind::PngFile;
    call.suggested = suggested;
    std::optional<std::filesystem::path> answer;
    Take(m_pngFiles, answer, call);
    return answer;
}

std::vector<CScriptedPrompts::Call> CScriptedPrompts::CallsOf(Kind kind) const
{
    std::vector<Call> calls;
    std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(calls),
                 [kind](const Call& call) { return call.kind == kind; });
    return calls;
}

bool CScriptedPrompts::AllAnswersUsed() const
{
    return m_messages.empty() && m_colours.empty() && m_skinFiles.empty() && m_fonts.empty() &&
           m_bitmapFiles.empty() && m_infos.empty() && m_templates.empty() && m_pngFiles.empty() &&
           m_nAboutsExpected == 0;
}

std::vector<CScriptedPrompts::Call> CScriptedPrompts::ClearUnexpected()
{
    std::vector<Call> calls;
    calls.swap(m_unexpected);
    return calls;
}
