#pragma once

#include "wintypes.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The four lines of information about a skin, in Windows-1252 as the skin keeps them.
struct SkinInformation
{
    std::string strTitle;
    std::string strAuthor;
    std::string strDate;
    std::string strComment;

    friend bool operator==(const SkinInformation&, const SkinInformation&) = default;
};

enum class FileDialogMode
{
    Open,
    Save,
};

// Every modal question of the program. The operations other than ShowMessage have defaults that
// answer as a cancelled dialog would, for services without a screen.
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

    // The .skn file dialog ("Skin Files(*.skn)", default suffix .skn, no question before
    // replacing a file), opening in folder (the dialog's own choice when empty); no value when
    // cancelled.
    virtual std::optional<std::filesystem::path>
    ChooseSkinFile(FileDialogMode mode, const std::filesystem::path& folder);

    // The font dialog on the font described; the fields it does not edit keep their values. No
    // value when cancelled.
    virtual std::optional<LOGFONT> ChooseFont(const LOGFONT& initial);

    // The bitmap open dialog with its preview, opening in folder as ChooseSkinFile does; images
    // of other formats preview as the bitmaps they become, clear pixels in crTransparent. No
    // value when cancelled.
    virtual std::optional<std::filesystem::path>
    ChooseBitmapFile(const std::filesystem::path& folder, COLORREF crTransparent);

    // The Skin Information dialog on info; true and info changed when the user confirms.
    virtual bool EditSkinInformation(SkinInformation& info);

    // The choice among the bundled template skins; no value when cancelled.
    virtual std::optional<std::filesystem::path>
    ChooseTemplate(const std::vector<std::filesystem::path>& templates);

    // The save dialog for a PNG picture ("PNG Images (*.png)", default suffix .png, asking
    // before replacing a file), proposing suggested; no value when cancelled.
    virtual std::optional<std::filesystem::path>
    ChoosePngFile(const std::filesystem::path& suggested);

    virtual void ShowAbout();
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
