#include "editorprompts.h"

#include "aboutdlg.h"
#include "bmpdialog.h"
#include "qtconvert.h"
#include "skininfodlg.h"
#include "templatedlg.h"

std::optional<std::filesystem::path>
CEditorPromptService::ChooseBitmapFile(const std::filesystem::path& folder, COLORREF crTransparent)
{
    CBmpDialog dlg(DialogParent());
    dlg.SetTransparentColour(crTransparent);
    if (!folder.empty()) {
        dlg.setDirectory(pathToQString(folder));
    }
    if (dlg.exec() != QDialog::Accepted || dlg.GetPathName().isEmpty()) {
        return std::nullopt;
    }
    return toPath(dlg.GetPathName());
}

bool CEditorPromptService::EditSkinInformation(SkinInformation& info)
{
    CSkinInfoDlg dlg(DialogParent());
    dlg.m_strTitle = info.strTitle;
    dlg.m_strAuthor = info.strAuthor;
    dlg.m_strDate = info.strDate;
    dlg.m_strComment = info.strComment;
    if (dlg.exec() != QDialog::Accepted) {
        return false;
    }
    info = SkinInformation{dlg.m_strTitle, dlg.m_strAuthor, dlg.m_strDate, dlg.m_strComment};
    return true;
}

std::optional<std::filesystem::path>
CEditorPromptService::ChooseTemplate(const std::vector<std::filesystem::path>& templates)
{
    CTemplateDlg dlg(templates, DialogParent());
    if (dlg.exec() != QDialog::Accepted || dlg.GetChosen().empty()) {
        return std::nullopt;
    }
    return dlg.GetChosen();
}

void CEditorPromptService::ShowAbout()
{
    CAboutDlg dlg(DialogParent());
    dlg.exec();
}
