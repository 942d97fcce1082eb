#include "quietprompts.h"

PromptAnswer CQuietPromptService::ShowMessage(std::string_view text, PromptButtons buttons,
                                              PromptIcon /*icon*/)
{
    m_messages.emplace_back(text);
    // The answer that changes nothing, as a user who closes the box would give.
    switch (buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::YesNo:
        return PromptAnswer::No;
    case PromptButtons::OkCancel:
    case PromptButtons::YesNoCancel:
        break;
    }
    return PromptAnswer::Cancel;
}
