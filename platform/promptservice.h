#pragma once

#include "wintypes.h"

#include <optional>
#include <string_view>

// Modal questions and messages go through one replaceable service, so the skin model can ask
// without knowing about windows and tests can answer without a screen.

enum class PromptButtons
{
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
};

enum class PromptIcon
{
    None,
    Information,
    Exclamation,
    Question,
    Stop,
};

enum class PromptAnswer
{
    Ok,
    Cancel,
    Yes,
    No,
};

class IPromptService
{
public:
    virtual ~IPromptService() = default;

    // Shows text (UTF-8) and waits for the user's answer.
    virtual PromptAnswer ShowMessage(std::string_view text, PromptButtons buttons,
                                     PromptIcon icon) = 0;

    // The system colour dialog, opened on crInitial; no value when the user cancels. Services
    // without a screen cancel.
    virtual std::optional<COLORREF> ChooseColour(COLORREF crInitial);
};

// The answer that changes nothing, as a user who closes the box would give: Cancel where offered,
// else No, else OK.
PromptAnswer SafeAnswer(PromptButtons buttons);

// Answers every message by writing it to standard error and giving the safe answer. The service
// in force until another is installed.
class CStderrPromptService final : public IPromptService
{
public:
    PromptAnswer ShowMessage(std::string_view text, PromptButtons buttons,
                             PromptIcon icon) override;
};

// The service in force. Never null.
IPromptService& Prompts();

// Installs pService (not owned; must outlive its use) and returns the previous one.
// Null restores the standard-error service.
IPromptService* SetPromptService(IPromptService* pService);
