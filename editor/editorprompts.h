#pragma once

#include "qtpromptservice.h"

// The running editor's prompt service: the Qt dialogs of the platform layer plus the editor's
// own bitmap open, Skin Information, template and About dialogs.
class CEditorPromptService final : public CQtPromptService
{
public:
    std::optional<std::filesystem::path> ChooseBitmapFile(const std::filesystem::path& folder,
                                                          COLORREF crTransparent) override;
    bool EditSkinInformation(SkinInformation& info) override;
    std::optional<std::filesystem::path>
    ChooseTemplate(const std::vector<std::filesystem::path>& templates) override;
    void ShowAbout() override;
};
