#pragma once

#include "promptservice.h"

#include <string>
#include <vector>

// Keeps the messages the skin model would show instead of printing them: the tool reports every
// failure on its own single line, so a second line from the model would only repeat it.
class CQuietPromptService final : public IPromptService
{
public:
    PromptAnswer ShowMessage(std::string_view text, PromptButtons buttons,
                             PromptIcon icon) override;

    const std::vector<std::string>& GetMessages() const { return m_messages; }

private:
    std::vector<std::string> m_messages;
};

// Installs a quiet service for its lifetime and puts the previous one back.
class CQuietPromptScope
{
public:
    CQuietPromptScope() : m_pPrevious(SetPromptService(&m_service)) {}
    ~CQuietPromptScope() { SetPromptService(m_pPrevious); }

    CQuietPromptScope(const CQuietPromptScope&) = delete;
    CQuietPromptScope& operator=(const CQuietPromptScope&) = delete;

    const CQuietPromptService& GetService() const { return m_service; }

private:
    CQuietPromptService m_service;
    IPromptService* m_pPrevious;
};
