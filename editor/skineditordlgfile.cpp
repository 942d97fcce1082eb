// The file commands (New, New from Template, Open, Save, Save As, Recent Files, Export Preview,
// Exit and the save-first question) and the history commands of the Edit menu.
#include "bundledfiles.h"
#include "filedialogfolder.h"
#include "notepicture.h"
#include "promptservice.h"
#include "qtconvert.h"
#include "recentfiles.h"
#include "settings.h"
#include "skineditordlg.h"
#include "translatedskintext.h"

#include <QAction>
#include <QCoreApplication>

#include <string>
#include <system_error>

bool CSkinEditorDlg::ConfirmDiscard()
{
    // Written on every call, so the mask survives even an exit that is then cancelled.
    WriteSettingInt(SETTING_SHOW_COMPONENTS, GetImageView().m_nShowParts);
    if (!m_panelComponent.ConfirmApplyComponent()) {
        return false;
    }
    if (!IsModified()) {
        return true;
    }
    switch (Prompts().ShowMessage(
        tr("You have made changes to this skin.  Would you like to save first?").toStdString(),
        PromptButtons::YesNoCancel, PromptIcon::Question)) {
    case PromptAnswer::No:
        return true;
    case PromptAnswer::Yes:
        // Unsaved work is never dropped after "Yes": a save that did not happen stops the
        // command that asked.
        return SaveSkin(false);
    default:
        return false;
    }
}

void CSkinEditorDlg::OnFileNew()
{
    if (ConfirmDiscard()) {
        SetDocument(std::make_unique<CSkinDocument>());
    }
}

void CSkinEditorDlg::OnFileNewFromTemplate()
{
    const std::vector<std::filesystem::path> templates = FindTemplates();
    if (templates.empty()) {
        Prompts().ShowMessage(tr("No template skins are installed with Tavelo.").toStdString(),
                              PromptButtons::Ok, PromptIcon::Exclamation);
        return;
    }
    if (!ConfirmDiscard()) {
        return;
    }
    const std::optional<std::filesystem::path> chosen = Prompts().ChooseTemplate(templates);
    if (!chosen) {
        return;
    }
    CSkinFileStatus status;
    std::unique_ptr<CSkinDocument> pDocument = CSkinDocument::FromTemplate(*chosen, status);
    if (!pDocument) {
        Prompts().ShowMessage(tr("The template \"%1\" could not be opened.\n\n%2")
                                  .arg(pathToQString(*chosen), TranslatedSkinText(status.Text()))
                                  .toStdString(),
                              PromptButtons::Ok, PromptIcon::Exclamation);
        return;
    }
    // Untitled: its first save asks for a name, and the template stays as it is.
    SetDocument(std::move(pDocument));
}

void CSkinEditorDlg::OnFileOpen()
{
    if (!ConfirmDiscard()) {
        return;
    }
    if (const std::optional<std::filesystem::path> path =
            Prompts().ChooseSkinFile(FileDialogMode::Open, FileDialogFolder(GetFilePath()))) {
        OpenSkinFile(*path);
    }
}

void CSkinEditorDlg::OnFileMruFile(int nIndex)
{
    // The file the entry showed, though another editor may have changed the list since.
    const QAction* const pAction = GetCommand(ID_FILE_MRU_FILE1 + nIndex);
    const QString strPath = pAction != nullptr ? pAction->data().toString() : QString();
    if (strPath.isEmpty()) {
        return;
    }
    const std::filesystem::path path = toPath(strPath);
    // Only a file known to be gone leaves the list; one behind a folder that cannot be read now
    // stays, and opening it says why it failed.
    std::error_code error;
    if (std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found) {
        RemoveRecentFile(strPath);
        UpdateRecentMenu();
        Prompts().ShowMessage(tr("The file \"%1\" no longer exists. It has been removed from the "
                                 "Recent Files list.")
                                  .arg(pathToQString(path))
                                  .toStdString(),
                              PromptButtons::Ok, PromptIcon::Exclamation);
        return;
    }
    if (ConfirmDiscard()) {
        OpenSkinFile(path);
    }
}

void CSkinEditorDlg::OnFileMruClear()
{
    ClearRecentFiles();
    UpdateRecentMenu();
}

void CSkinEditorDlg::NoteSkinFile(const std::filesystem::path& path)
{
    AddRecentFile(path);
    RememberFileDialogFolder(path);
    UpdateRecentMenu();
}

bool CSkinEditorDlg::OpenSkinFile(const std::filesystem::path& strPath)
{
    // Read into a document of its own, so a file that fails half-way leaves nothing of itself in
    // the editor.
    CSkinFileStatus status;
    std::unique_ptr<CSkinDocument> pDocument = CSkinDocument::Open(strPath, status);
    if (!pDocument) {
        const std::string strText =
            status.error == CSkinFileStatus::Error::Version
                ? QCoreApplication::translate("Skin", SKIN_VERSION_MESSAGE).toStdString()
                : tr("The skin file \"%1\" could not be opened.\n\n%2")
                      .arg(pathToQString(strPath), TranslatedSkinText(status.Text()))
                      .toStdString();
        Prompts().ShowMessage(strText, PromptButtons::Ok, PromptIcon::Exclamation);
        return false;
    }
    SetDocument(std::move(pDocument));
    NoteSkinFile(strPath);
    return true;
}

void CSkinEditorDlg::OnFileSave()
{
    if (m_panelComponent.ConfirmApplyComponent()) {
        SaveSkin(false);
    }
}

void CSkinEditorDlg::OnFileSaveAs()
{
    if (m_panelComponent.ConfirmApplyComponent()) {
        SaveSkin(true);
    }
}

bool CSkinEditorDlg::SaveSkin(bool bAskName)
{
    const int nPart = GetSkin().GetMissingPart();
    if (nPart != SKINPART_NONE) {
        ShowMissingPart(nPart);
        return false;
    }
    // An untitled skin takes its name only once it is saved under it.
    std::filesystem::path strPath = GetFilePath();
    if (bAskName || strPath.empty()) {
        std::optional<std::filesystem::path> chosen =
            Prompts().ChooseSkinFile(FileDialogMode::Save, FileDialogFolder(strPath));
        if (!chosen) {
            return false;
        }
        strPath = std::move(*chosen);
    }
    CSkinFileStatus status;
    if (!m_pDocument->Save(strPath, status)) {
        // An image slot without a bitmap is refused as a missing part; anything else left the
        // old file as it was, and the document keeps its name and its mark.
        if (status.error == CSkinFileStatus::Error::MissingImage) {
            ShowMissingPart(status.nPart);
        } else {
            Prompts().ShowMessage(
                tr("The skin could not be saved as \"%1\".\n\n%2")
                    .arg(pathToQString(strPath), TranslatedSkinText(status.Text()))
                    .toStdString(),
                PromptButtons::Ok, PromptIcon::Exclamation);
        }
        return false;
    }
    NoteSkinFile(strPath);
    return true;
}

// The same picture as `tavelo-skn render` draws of the saved skin.
void CSkinEditorDlg::OnFileExportPreview()
{
    if (!m_panelComponent.ConfirmApplyComponent()) {
        return;
    }
    const int nPart = GetSkin().GetMissingPart();
    if (nPart != SKINPART_NONE) {
        ShowMissingPart(nPart);
        return;
    }
    const std::filesystem::path skinPath = GetFilePath();
    const std::filesystem::path suggested =
        FileDialogFolder(skinPath) / (skinPath.empty()
                                          ? toPath(tr("Untitled") + QStringLiteral(".png"))
                                          : std::filesystem::path(skinPath.stem()).concat(".png"));
    const std::optional<std::filesystem::path> chosen = Prompts().ChoosePngFile(suggested);
    if (!chosen) {
        return;
    }
    const QImage image = RenderNote(GetSkin(), std::nullopt);
    std::string strProblem = tr("the images of the skin cannot be drawn").toStdString();
    if (image.isNull() || !WriteNotePng(image, *chosen, strProblem)) {
        Prompts().ShowMessage(tr("The preview could not be saved as \"%1\".\n\n%2")
                                  .arg(pathToQString(*chosen), QString::fromStdString(strProblem))
                                  .toStdString(),
                              PromptButtons::Ok, PromptIcon::Exclamation);
        return;
    }
    RememberFileDialogFolder(*chosen);
}

void CSkinEditorDlg::ShowMissingPart(int nPart)
{
    Prompts().ShowMessage(
        tr("You have not entered valid information for the following portion "
           "of the skin:\n\n%1")
            .arg(QCoreApplication::translate("Skin", CSkin::GetPartName(nPart).c_str()))
            .toStdString(),
        PromptButtons::Ok, PromptIcon::Exclamation);
}

void CSkinEditorDlg::OnFileExit()
{
    if (ConfirmDiscard()) {
        done(QDialog::Accepted);
    }
}

void CSkinEditorDlg::OnEditUndo()
{
    StepHistory(true);
}

void CSkinEditorDlg::OnEditRedo()
{
    StepHistory(false);
}

void CSkinEditorDlg::StepHistory(bool bUndo)
{
    // As when choosing another component: the fields are about to show the skin again.
    if (!m_panelComponent.PromptApplyComponent()) {
        return;
    }
    QUndoStack& stack = m_pDocument->UndoStack();
    if (bUndo) {
        stack.undo();
    } else {
        stack.redo();
    }
    m_panelComponent.ShowComponent();
}
