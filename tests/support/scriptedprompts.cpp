#include "scriptedprompts.h"

#include <cstdio>
#include <cstdlib>

CScriptedPrompts::CScriptedPrompts() : m_pPrevious(SetPromptService(this)) {}

CScriptedPrompts::~CScriptedPrompts()
{
    SetPromptService(m_pPrevious);
    if (!m_unexpected.empty()) {
        for (const Call& call : m_unexpected) {
            std::fprintf(stderr, "unexpected prompt: %s\n",
                         call.kind == Call::Kind::Colour ? "colour dialog" : call.text.c_str());
        }
        std::abort();
    }
}

PromptAnswer CScriptedPrompts::ShowMessage(std::string_view text, PromptButtons buttons,
                                           PromptIcon icon)
{
    Call call{Call::Kind::Message, std::string(text), buttons, icon, 0};
    m_calls.push_back(call);
    if (m_messageAnswers.empty()) {
        m_unexpected.push_back(call);
        return SafeAnswer(buttons);
    }
    const PromptAnswer answer = m_messageAnswers.front();
    m_messageAnswers.pop_front();
    return answer;
}

std::optional<COLORREF> CScriptedPrompts::ChooseColour(COLORREF crInitial)
{
    Call call{Call::Kind::Colour, {}, PromptButtons::OkCancel, PromptIcon::None, crInitial};
    m_calls.push_back(call);
    if (m_colourAnswers.empty()) {
        m_unexpected.push_back(call);
        return std::nullopt;
    }
    const std::optional<COLORREF> answer = m_colourAnswers.front();
    m_colourAnswers.pop_front();
    return answer;
}

std::vector<CScriptedPrompts::Call> CScriptedPrompts::ClearUnexpected()
{
    std::vector<Call> calls;
    calls.swap(m_unexpected);
    return calls;
}
