// The Skin, Tools and Help commands, the font buttons, what the image view and the colour pickers
// report, and the external colour chooser behind "Eyedropper Tool...".
#include "bundledfiles.h"
#include "colourreport.h"
#include "imagefilewatcher.h"
#include "programrunner.h"
#include "promptservice.h"
#include "qtconvert.h"
#include "settings.h"
#include "shellopen.h"
#include "skineditordlg.h"
#include "skinnednotewnd.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <initializer_list>

namespace {

// String resources 32790 and 32791.
const char* const kWebSiteUrl = "https://www.corvane.example/palimo";
const char* const kGetSkinsUrl = "https://www.corvane.example/palimo/skins_and_plugins.htm";

const char* const kNoBitmapPath = QT_TRANSLATE_NOOP(
    "CSkinEditorDlg",
    "Since there is no path to the current bitmap file, you cannot edit the bitmap.");
const char* const kChooserNotFound = QT_TRANSLATE_NOOP(
    "CSkinEditorDlg", "Tintary (the color chooser program) could not be\nfound. Try running the "
                      "Palimo installer with\nthe 'Tavelo' option checked.");
const char* const kChooserFailed =
    QT_TRANSLATE_NOOP("CSkinEditorDlg", "Palimo failed to launch Tintary due to an unknown error. "
                                        "Contact tech-support for more information.");
const char* const kCouldNotOpenPage = QT_TRANSLATE_NOOP(
    "CSkinEditorDlg", "Tavelo could not open %1.\n\nNo program on this desktop accepted it.");
const char* const kNoHelp = QT_TRANSLATE_NOOP(
    "CSkinEditorDlg", "The Tavelo help could not be found. Reinstall Tavelo to restore it.");

std::string Translated(const char* pszText)
{
    return QCoreApplication::translate("CSkinEditorDlg", pszText).toStdString();
}

// The desktop gives no reason when it opens nothing; the message says what was asked for.
// strMessage says what could not be opened; %1 stands for the address.
void OpenOrSay(const QUrl& url, const char* pszMessage, const QString& strWhere)
{
    if (!ShellOpen(url)) {
        Prompts().ShowMessage(
            QCoreApplication::translate("CSkinEditorDlg", pszMessage).arg(strWhere).toStdString(),
            PromptButtons::Ok, PromptIcon::Exclamation);
    }
}

} // namespace

void CSkinEditorDlg::OnEditSkinDetails()
{
    SkinInformation info = m_pDocument->GetInformation();
    if (Prompts().EditSkinInformation(info)) {
        m_pDocument->SetInformation(info);
    }
}

void CSkinEditorDlg::ToggleShowPart(int nBit)
{
    m_panelView.View().m_nShowParts ^= nBit;
    m_panelView.View().update();
    UpdateCommandStates();
}

void CSkinEditorDlg::OnShowNoteImage()
{
    ToggleShowPart(CSkinImageView::SHOW_NOTE_IMAGE);
}

void CSkinEditorDlg::OnShowTitle()
{
    ToggleShowPart(CSkinImageView::SHOW_TITLE);
}

void CSkinEditorDlg::OnShowMessage()
{
    ToggleShowPart(CSkinImageView::SHOW_MESSAGE);
}

void CSkinEditorDlg::OnShowCloseButton()
{
    ToggleShowPart(CSkinImageView::SHOW_CLOSE_BUTTON);
}

void CSkinEditorDlg::OnZoomIn()
{
    m_panelView.View().ZoomIn();
}

void CSkinEditorDlg::OnZoomOut()
{
    m_panelView.View().ZoomOut();
}

void CSkinEditorDlg::OnActualSize()
{
    m_panelView.View().ZoomActualSize();
}

void CSkinEditorDlg::OnZoomToFit()
{
    m_panelView.View().ZoomToFit();
}

void CSkinEditorDlg::OnShowGrid()
{
    CSkinImageView& view = m_panelView.View();
    view.SetShowGrid(!view.IsGridShown());
    WriteSettingInt(SETTING_SHOW_GRID, view.IsGridShown() ? 1 : 0);
    UpdateCommandStates();
}

void CSkinEditorDlg::OnSnapToEdges()
{
    CSkinImageView& view = m_panelView.View();
    view.SetSnapToOpaqueEdges(!view.IsSnapToOpaqueEdges());
    WriteSettingInt(SETTING_SNAP_TO_EDGES, view.IsSnapToOpaqueEdges() ? 1 : 0);
    UpdateCommandStates();
}

void CSkinEditorDlg::SetTransparencyDisplay(CSkinImageView::TransparencyDisplay display)
{
    m_panelView.View().SetTransparencyDisplay(display);
    WriteSettingInt(SETTING_TRANSPARENCY_DISPLAY, static_cast<int>(display));
    UpdateCommandStates();
}

// A snapshot of the skin as stored: changes waiting for Apply are not in it. A Qt window cannot
// be created again once destroyed, so each preview is a new note object.
void CSkinEditorDlg::OnPreviewSkin()
{
    m_pPreview.reset();
    if (GetSkin().GetMissingPart() != SKINPART_NONE) {
        return;
    }
    auto pPreview = std::make_unique<CSkinnedNoteWnd>();
    if (!pPreview->Create(this)) {
        return;
    }
    pPreview->ApplySkin(&GetSkin());
    m_pPreview = std::move(pPreview);
}

void CSkinEditorDlg::OnOpenInBitmapEditor()
{
    const QString strBitmapPath = m_panelComponent.GetBitmapPath();
    if (strBitmapPath.isEmpty()) {
        Prompts().ShowMessage(Translated(kNoBitmapPath), PromptButtons::Ok,
                              PromptIcon::Information);
        return;
    }
    const QString strPath = QFileInfo(strBitmapPath).absoluteFilePath();
    if (!QFileInfo(strPath).isFile()) {
        Prompts().ShowMessage(
            tr("Tavelo could not open \"%1\": there is no such file.").arg(strPath).toStdString(),
            PromptButtons::Ok, PromptIcon::Exclamation);
        return;
    }
    // The skin's own image file is watched, so what the bitmap editor saves comes back as a
    // reload; one that vanished before and is back is read and watched again. A path not
    // applied yet is read afresh by Apply.
    const int nPart = m_panelComponent.GetTraits()->nImagePart;
    if (IsImagePart(nPart) && toPath(strBitmapPath) == m_pDocument->GetImagePath(nPart) &&
        m_pWatcher->GetWatchedPath(nPart).isEmpty()) {
        ReloadImageFile(nPart, strPath);
    }
    OpenOrSay(QUrl::fromLocalFile(strPath),
              QT_TR_NOOP("Tavelo could not open \"%1\" in a bitmap editor.\n\nNo program on "
                         "this desktop accepted it."),
              strPath);
}

// The chooser started here runs on its own; its answer is not read, nor passed on to the
// editor's own standard output.
void CSkinEditorDlg::OnColourChooser()
{
    if (!QFileInfo::exists(m_strChooserProgram)) {
        Prompts().ShowMessage(Translated(kChooserNotFound), PromptButtons::Ok, PromptIcon::None);
        return;
    }
    QProcess chooser;
    chooser.setProgram(m_strChooserProgram);
    chooser.setStandardInputFile(QProcess::nullDevice());
    chooser.setStandardOutputFile(QProcess::nullDevice());
    if (!chooser.startDetached()) {
        Prompts().ShowMessage(Translated(kChooserFailed), PromptButtons::Ok, PromptIcon::None);
    }
}

QString CSkinEditorDlg::HelpFilePath()
{
    return FindBundledPath(QStringLiteral("manual/index.html"));
}

void CSkinEditorDlg::OnHelp()
{
    const QString strPath = HelpFilePath();
    if (strPath.isEmpty()) {
        Prompts().ShowMessage(Translated(kNoHelp), PromptButtons::Ok, PromptIcon::Exclamation);
        return;
    }
    OpenOrSay(QUrl::fromLocalFile(strPath),
              QT_TR_NOOP("Tavelo could not open the Tavelo help, \"%1\".\n\nNo program on this "
                         "desktop accepted it."),
              strPath);
}

void CSkinEditorDlg::OnWebSite()
{
    OpenOrSay(QUrl(QString::fromLatin1(kWebSiteUrl)), kCouldNotOpenPage,
              QString::fromLatin1(kWebSiteUrl));
}

void CSkinEditorDlg::OnGetSkins()
{
    OpenOrSay(QUrl(QString::fromLatin1(kGetSkinsUrl)), kCouldNotOpenPage,
              QString::fromLatin1(kGetSkinsUrl));
}

void CSkinEditorDlg::OnAbout()
{
    Prompts().ShowAbout();
}

void CSkinEditorDlg::OnPickRectChanged(const RECT& rect)
{
    if (const ComponentTraits* const pTraits = m_panelComponent.GetTraits()) {
        m_pDocument->SetRect(pTraits->rect, rect);
    }
}

SkinColour CSkinEditorDlg::ColourOfPicker(int nId) const
{
    if (nId == IDC_TRANSPARENT) {
        const ComponentTraits* const pTraits = m_panelComponent.GetTraits();
        return pTraits != nullptr ? pTraits->transparent : SkinColour::None;
    }
    return CColoursPanel::ColourOfPicker(nId);
}

CColourPicker* CSkinEditorDlg::ColourPickerById(int nId)
{
    return findChild<CColourPicker*>(QString::number(nId));
}

void CSkinEditorDlg::RequestExternalColour(int nPickerId)
{
    // One chooser at a time; the editor is disabled while it runs.
    if (m_pRunner && m_pRunner->IsRunning()) {
        return;
    }
    // The picker already shows the automatic entry; without an answer it gets back the colour
    // it showed before its palette opened.
    const CColourPicker* const pPicker = ColourPickerById(nPickerId);
    m_crBeforeRequest = pPicker != nullptr ? pPicker->GetColour() : CLR_DEFAULT;
    if (m_crBeforeRequest == CLR_DEFAULT && m_nDropDownId == nPickerId) {
        m_crBeforeRequest = m_crDropDownColour;
    }
    m_nDropDownId = 0;
    m_nColourRequestId = nPickerId;

    if (!m_pRunner) {
        m_pRunner = std::make_unique<CProgramRunner>();
        m_pRunner->SetOwner(this);
        connect(m_pRunner.get(), &CProgramRunner::started, this, &CSkinEditorDlg::OnChooserStarted);
        connect(m_pRunner.get(), &CProgramRunner::finished, this,
                &CSkinEditorDlg::OnChooserFinished);
    }
    // A chooser that cannot start still finishes, as cancelled.
    m_pRunner->Init(m_strChooserProgram).Run();
}

void CSkinEditorDlg::OnChooserStarted(qint64 /*nPid*/)
{
    setEnabled(false);
}

void CSkinEditorDlg::OnChooserFinished(qint64 /*nPid*/, quint32 nResult)
{
    setEnabled(true);
    raise();
    activateWindow();

    CColourPicker* const pPicker = ColourPickerById(m_nColourRequestId);
    if (IsChosenColour(nResult)) {
        m_pDocument->SetColour(ColourOfPicker(m_nColourRequestId), nResult);
        if (pPicker != nullptr) {
            pPicker->SetColour(nResult);
        }
    } else if (pPicker != nullptr) {
        pPicker->SetColour(m_crBeforeRequest);
    }
    m_nColourRequestId = 0;
}

void CSkinEditorDlg::CheckIssues()
{
    if (!m_panelIssues.isHidden()) {
        m_panelIssues.SetIssues(CheckSkin(GetSkin()));
    }
}

void CSkinEditorDlg::OnShowIssues()
{
    const bool bShow = GetCommand(ID_VIEW_ISSUES)->isChecked();
    m_panelIssues.setVisible(bShow);
    WriteSettingInt(SETTING_SHOW_ISSUES, bShow ? 1 : 0);
    CheckIssues();
}

// Shows what the issue is about: its component, with the picker on its rectangle; the colour
// buttons; or the skin's information.
void CSkinEditorDlg::OnIssueChosen(const SkinIssue& issue)
{
    if (issue.component != COMPONENT_NONE) {
        if (m_panelComponent.ChooseComponent(issue.component)) {
            m_panelView.ShowPicker();
        }
    } else if (issue.strComponent == kSkinInformationArea) {
        OnEditSkinDetails();
    } else {
        if (CColourPicker* const pPicker = ColourPickerById(IDC_MESSAGE_TEXT)) {
            pPicker->setFocus(Qt::OtherFocusReason);
        }
    }
}
