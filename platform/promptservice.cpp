#include "promptservice.h"

#include <iostream>

namespace {

IPromptService* g_pPromptService = nullptr;

CStderrPromptService& StderrService()
{
    static CStderrPromptService service;
    return service;
}

} // namespace

std::optional<COLORREF> IPromptService::ChooseColour(COLORREF /*crInitial*/)
{
    return std::nullopt;
}

std::optional<std::filesystem::path>
IPromptService::ChooseSkinFile(FileDialogMode /*mode*/, const std::filesystem::path& /*folder*/)
{
    return std::nullopt;
}

std::optional<LOGFONT> IPromptService::ChooseFont(const LOGFONT& /*initial*/)
{
    return std::nullopt;
}

std::optional<std::filesystem::path>
IPromptService::ChooseBitmapFile(const std::filesystem::path& /*folder*/,
                                 COLORREF /*crTransparent*/)
{
    return std::nullopt;
}

bool IPromptService::EditSkinInformation(SkinInformation& /*info*/)
{
    return false;
}

std::optional<std::filesystem::path>
IPromptService::ChooseTemplate(const std::vector<std::filesystem::path>& /*templates*/)
{
    return std::nullopt;
}

std::optional<std::filesystem::path>
IPromptService::ChoosePngFile(const std::filesystem::path& /*suggested*/)
{
    return std::nullopt;
}

void IPromptService::ShowAbout() {}

PromptAnswer SafeAnswer(PromptButtons buttons)
{
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

PromptAnswer CStderrPromptService::ShowMessage(std::string_view text, PromptButtons buttons,
                                               PromptIcon /*icon*/)
{
    std::cerr << "Tavelo: " << text << '\n';
    return SafeAnswer(buttons);
}

IPromptService& Prompts()
{
    return g_pPromptService != nullptr ? *g_pPromptService : StderrService();
}

IPromptService* SetPromptService(IPromptService* pService)
{
    IPromptService* const pPrevious = g_pPromptService;
    g_pPromptService = pService;
    return pPrevious;
}
