// The file commands: New, Open, Save, Exit and the save-first question.
#include "promptservice.h"
#include "qtconvert.h"
#include "settings.h"
#include "skineditordlg.h"

#include <string>

bool CSkinEditorDlg::ConfirmDiscard()
{
    // Written on every call, so the mask survives even an exit that is then cancelled.
    WriteSettingInt(SETTING_SHOW_COMPONENTS, m_wndImageView.m_nShowParts);
    if (!ConfirmApplyComponent()) {
        return false;
    }
    if (!m_bModified) {
        return true;
    }
    switch (
        Prompts().ShowMessage("You have made changes to this skin.  Would you like to save first?",
                              PromptButtons::YesNoCancel, PromptIcon::Question)) {
    case PromptAnswer::No:
        return true;
    case PromptAnswer::Yes:
        // Unsaved work is never dropped after "Yes": a save that did not happen stops the
        // command that asked.
        return SaveSkin();
    default:
        return false;
    }
}

bool CSkinEditorDlg::ConfirmApplyComponent()
{
    if (!m_bComponentModified) {
        return true;
    }
    switch (Prompts().ShowMessage("You've changed this component.  Would you like to apply the "
                                  "changes first?",
                                  PromptButtons::YesNoCancel, PromptIcon::Question)) {
    case PromptAnswer::Yes:
        if (!ApplyComponent(m_nComponent)) {
            return false;
        }
        SetComponentModified(false);
        return true;
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

void CSkinEditorDlg::OnFileNew()
{
    NewSkin();
}

bool CSkinEditorDlg::NewSkin()
{
    if (!ConfirmDiscard()) {
        return false;
    }
    m_wndImageView.ClearImage();
    m_skin.Reset();
    StartDocument({});
    return true;
}

void CSkinEditorDlg::OnFileOpen()
{
    std::filesystem::path strPath;
    if (ConfirmDiscard() && PromptForSkinFile(true, strPath)) {
        OpenSkinFile(strPath);
    }
}

bool CSkinEditorDlg::OpenSkinFile(const std::filesystem::path& strPath)
{
    // Read apart, so a file that fails half-way leaves nothing of itself in the editor.
    CSkin skin;
    CSkinFileStatus status;
    if (!skin.Load(strPath, &status)) {
        const std::string strText = status.error == CSkinFileStatus::Error::Version
                                        ? std::string(SKIN_VERSION_MESSAGE)
                                        : "The skin file \"" +
                                              pathToQString(strPath).toStdString() +
                                              "\" could not be opened.\n\n" + status.Describe();
        Prompts().ShowMessage(strText, PromptButtons::Ok, PromptIcon::Exclamation);
        return false;
    }
    // The view must not refer to images the old skin releases.
    m_wndImageView.ClearImage();
    m_skin = std::move(skin);
    StartDocument(strPath);
    return true;
}

void CSkinEditorDlg::StartDocument(const std::filesystem::path& strFilePath)
{
    // A skin file holds no image paths.
    m_strMainImagePath.clear();
    m_strCloseImagePath.clear();
    m_strCloseHoverImagePath.clear();
    m_strFilePath = strFilePath;
    SetPickersFromSkin();
    SetModified(false);
    SetComponentModified(false);
    SelectComponent();
}

void CSkinEditorDlg::SetPickersFromSkin()
{
    m_btnMessageText.SetColour(m_skin.m_crMessageText);
    m_btnMessageBack.SetColour(m_skin.m_crMessageBack);
    m_btnTitleText.SetColour(m_skin.m_crTitleText);
    m_btnTitleBack.SetColour(m_skin.m_crTitleBack);
    switch (m_nComponent) {
    case COMPONENT_CLOSE_BUTTON:
        m_btnTransparent.SetColour(m_skin.m_crCloseTransparent);
        break;
    case COMPONENT_CLOSE_HOVER:
        m_btnTransparent.SetColour(m_skin.m_crCloseHoverTransparent);
        break;
    default:
        // Title and Message have no transparent colour; their disabled button shows the main one.
        m_btnTransparent.SetColour(m_skin.m_crMainTransparent);
        break;
    }
}

void CSkinEditorDlg::OnFileSave()
{
    if (ConfirmApplyComponent()) {
        SaveSkin();
    }
}

bool CSkinEditorDlg::SaveSkin()
{
    const int nPart = m_skin.GetMissingPart();
    if (nPart != SKINPART_NONE) {
        ShowMissingPart(nPart);
        return false;
    }
    // An untitled skin takes its name only once it is saved under it.
    std::filesystem::path strPath = m_strFilePath;
    if (strPath.empty() && !PromptForSkinFile(false, strPath)) {
        return false;
    }
    CSkinFileStatus status;
    if (!m_skin.Save(strPath, &status)) {
        // An image slot without a bitmap is refused as a missing part; anything else left the
        // old file as it was, and the next Save tries the same file again.
        if (status.error == CSkinFileStatus::Error::MissingImage) {
            ShowMissingPart(status.nPart);
        } else {
            Prompts().ShowMessage("The skin could not be saved as \"" +
                                      pathToQString(strPath).toStdString() + "\".\n\n" +
                                      status.Describe(),
                                  PromptButtons::Ok, PromptIcon::Exclamation);
        }
        return false;
    }
    m_strFilePath = strPath;
    SetModified(false);
    return true;
}

void CSkinEditorDlg::ShowMissingPart(int nPart)
{
    Prompts().ShowMessage("You have not entered valid information for the following portion of "
                          "the skin:\n\n" +
                              CSkin::GetPartName(nPart),
                          PromptButtons::Ok, PromptIcon::Exclamation);
}

void CSkinEditorDlg::OnFileExit()
{
    if (ConfirmDiscard()) {
        done(QDialog::Accepted);
    }
}

bool CSkinEditorDlg::PromptForSkinFile(bool bOpen, std::filesystem::path& strPath)
{
    std::optional<std::filesystem::path> path =
        Prompts().ChooseSkinFile(bOpen ? FileDialogMode::Open : FileDialogMode::Save);
    if (!path) {
        return false;
    }
    strPath = std::move(*path);
    return true;
}
