#pragma once

#include "promptservice.h"

class QWidget;

// The prompt service of the running program: Qt's message boxes and dialogs, titled "Tavelo",
// parented to the open modal dialog (else the active window) so they stay on top of it, centred.
class CQtPromptService : public IPromptService
{
public:
    PromptAnswer ShowMessage(std::string_view text, PromptButtons buttons,
                             PromptIcon icon) override;
    std::optional<COLORREF> ChooseColour(COLORREF crInitial) override;
    std::optional<std::filesystem::path>
    ChooseSkinFile(FileDialogMode mode, const std::filesystem::path& folder) override;
    std::optional<LOGFONT> ChooseFont(const LOGFONT& initial) override;
    std::optional<std::filesystem::path>
    ChoosePngFile(const std::filesystem::path& suggested) override;

protected:
    static QWidget* DialogParent();
};
