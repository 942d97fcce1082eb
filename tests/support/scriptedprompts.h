#pragma once

#include "promptservice.h"

#include <deque>
#include <string>
#include <vector>

// The prompt service of tests: installs itself for its lifetime, records every question and
// answers from queues filled beforehand. A question without a queued answer of its kind is a
// test failure: it is recorded, answered safely, and the process aborts when the object goes
// away with such a call unread (ClearUnexpected reads them).
class CScriptedPrompts final : public IPromptService
{
public:
    struct Call
    {
        enum class Kind
        {
            Message,
            Colour,
        };
        Kind kind = Kind::Message;
        std::string text;
        PromptButtons buttons = PromptButtons::Ok;
        PromptIcon icon = PromptIcon::None;
        COLORREF crInitial = 0;
    };

    CScriptedPrompts();
    ~CScriptedPrompts() override;
    CScriptedPrompts(const CScriptedPrompts&) = delete;
    CScriptedPrompts& operator=(const CScriptedPrompts&) = delete;

    void QueueMessageAnswer(PromptAnswer answer) { m_messageAnswers.push_back(answer); }
    // No value: the user cancels the colour dialog.
    void QueueColourAnswer(std::optional<COLORREF> answer) { m_colourAnswers.push_back(answer); }

    PromptAnswer ShowMessage(std::string_view text, PromptButtons buttons,
                             PromptIcon icon) override;
    std::optional<COLORREF> ChooseColour(COLORREF crInitial) override;

    const std::vector<Call>& Calls() const { return m_calls; }
    bool AllAnswersUsed() const { return m_messageAnswers.empty() && m_colourAnswers.empty(); }
    // Calls that found no answer queued, and forgets them.
    std::vector<Call> ClearUnexpected();

private:
    IPromptService* m_pPrevious = nullptr;
    std::deque<PromptAnswer> m_messageAnswers;
    std::deque<std::optional<COLORREF>> m_colourAnswers;
    std::vector<Call> m_calls;
    std::vector<Call> m_unexpected;
};
