// The file commands: New, Open, Save, Exit and the save-first question.
#include "promptservice.h"
#include "settings.h"
#include "skineditordlg.h"
#include "syscolors.h"

#include <string>

bool CSkinEditorDlg::ConfirmDiscard()
{
    PromptApplyComponent(m_nComponent);
    // Written on every call, so the mask survives even an exit that is then cancelled.
    WriteSettingInt(SETTING_SHOW_COMPONENTS, m_wndImageView.m_nShowParts);
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
    m_strMainImagePath.clear();
    m_strCloseImagePath.clear();
    m_strCloseHoverImagePath.clear();
    m_strFilePath.clear();

    // Shown colours only: the skin keeps its reset colours until a picker reports a choice.
    m_btnMessageText.SetColour(RGB(0, 0, 0));
    m_btnMessageBack.SetColour(GetSysColor(COLOR_WINDOW));
    m_btnTitleText.SetColour(RGB(0, 0, 0));
    m_btnTitleBack.SetColour(GetSysColor(COLOR_WINDOW));
    m_btnTransparent.SetColour(RGB(255, 255, 255));

    SetModified(false);
    m_bComponentModified = false;
    SelectComponent();
    return true;
}

void CSkinEditorDlg::OnFileOpen()
{
    if (!ConfirmDiscard()) {
        return;
    }
    std::filesystem::path strPath;
    if (!PromptForSkinFile(true, strPath)) {
        m_bComponentModified = false;
        SelectComponent();
        return;
    }
    OpenSkinFile(strPath);
}

void CSkinEditorDlg::OpenSkinFile(const std::filesystem::path& strPath)
{
    // The skin may still be modified (the first question was answered No): New asks again, and
    // a Cancel there keeps the skin instead of loading over it.
    if (!NewSkin()) {
        return;
    }
    // The view must not refer to images the load releases.
    m_wndImageView.ClearImage();
    CSkinFileStatus status;
    if (m_skin.Load(strPath, &status)) {
        m_strFilePath = strPath;
    } else if (status.error != CSkinFileStatus::Error::Version) {
        Prompts().ShowMessage("The skin file could not be read.\n\n" + status.Describe(),
                              PromptButtons::Ok, PromptIcon::Exclamation);
    }
    SetPickersFromSkin();
    SetModified(false);
    m_bComponentModified = false;
    SelectComponent();
}

void CSkinEditorDlg::SetPickersFromSkin()
{
    m_btnMessageText.SetColour(m_skin.m_crMessageText);
    m_btnMessageBack.SetColour(m_skin.m_crMessageBack);
    m_btnTitleText.SetColour(m_skin.m_crTitleText);
    m_btnTitleBack.SetColour(m_skin.m_crTitleBack);
    switch (m_nComponent) {
    case COMPONENT_MAIN_WINDOW:
        m_btnTransparent.SetColour(m_skin.m_crMainTransparent);
        break;
    case COMPONENT_CLOSE_BUTTON:
        m_btnTransparent.SetColour(m_skin.m_crCloseTransparent);
        break;
    case COMPONENT_CLOSE_HOVER:
        m_btnTransparent.SetColour(m_skin.m_crCloseHoverTransparent);
        break;
    default:
        m_btnTransparent.setEnabled(false);
        break;
    }
}

void CSkinEditorDlg::OnFileSave()
{
    SaveSkin();
}

bool CSkinEditorDlg::SaveSkin()
{
    const int nPart = m_skin.GetMissingPart();
    if (nPart != SKINPART_NONE) {
        ShowMissingPart(nPart);
        return false;
    }
    if (m_strFilePath.empty() && !PromptForSkinFile(false, m_strFilePath)) {
        return false;
    }
    CSkinFileStatus status;
    if (!m_skin.Save(m_strFilePath, &status)) {
        // An image slot without a bitmap is refused as a missing part; anything else left the
        // old file as it was, and the next Save tries the same file again.
        if (status.error == CSkinFileStatus::Error::MissingImage) {
            ShowMissingPart(status.nPart);
        } else {
            Prompts().ShowMessage("The skin could not be saved.\n\n" + status.Describe(),
                                  PromptButtons::Ok, PromptIcon::Exclamation);
        }
        return false;
    }
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
