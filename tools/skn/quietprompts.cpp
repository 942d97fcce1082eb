#include "quietprompts.h"

PromptAnswer CQuietPromptService::ShowMessage(std::string_view text, PromptButtons buttons,
                                              PromptIcon /*icon*/)
{
    m_messages.emplace_back(text);
    return SafeAnswer(buttons);
}
