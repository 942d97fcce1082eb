// The Skin, Tools and Help commands, the font buttons, what the image view and the colour pickers
// report, and the external colour chooser behind "Eyedropper Tool...".
#include "colourreport.h"
#include "programrunner.h"
#include "promptservice.h"
#include "shellopen.h"
#include "skineditordlg.h"
#include "skinnednotewnd.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <initializer_list>

namespace {

// String resources 32790 and 32791.
const char* const kWebSiteUrl = "https://www.corvane.example/palimo";
const char* const kGetSkinsUrl = "https://www.corvane.example/palimo/skins_and_plugins.htm";

const char* const kNoBitmapPath =
    "Since there is no path to the current bitmap file, you cannot edit the bitmap.";
const char* const kChooserNotFound =
    "Tintary (the color chooser program) could not be\nfound. Try running the Palimo installer "
    "with\nthe 'Tavelo' option checked.";
const char* const kChooserFailed = "Palimo failed to launch Tintary due to an unknown error. "
                                   "Contact tech-support for more information.";
const char* const kNoHelp = "The Tavelo help could not be found. Reinstall Tavelo to restore it.";

// The desktop gives no reason when it opens nothing; the message says what was asked for.
void OpenOrSay(const QUrl& url, const std::string& strWhat)
{
    if (!ShellOpen(url)) {
        Prompts().ShowMessage("Tavelo could not open " + strWhat +
                                  ".\n\nNo program on this desktop accepted it.",
                              PromptButtons::Ok, PromptIcon::Exclamation);
    }
}

std::string Quoted(const QString& strText)
{
    return "\"" + strText.toStdString() + "\"";
}

} // namespace

void CSkinEditorDlg::OnEditSkinDetails()
{
    SkinInformation info{m_skin.GetTitle(), m_skin.GetAuthor(), m_skin.GetDate(),
                         m_skin.GetComment()};
    if (!Prompts().EditSkinInformation(info)) {
        return;
    }
    m_skin.m_strTitle = info.strTitle;
    m_skin.m_strAuthor = info.strAuthor;
    m_skin.m_strDate = info.strDate;
    m_skin.m_strComment = info.strComment;
    // Confirming is an edit, whether or not a text changed.
    SetModified(true);
}

void CSkinEditorDlg::ToggleShowPart(int nBit)
{
    m_wndImageView.m_nShowParts ^= nBit;
    m_wndImageView.update();
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

// A snapshot of the skin as stored: changes waiting for Apply are not in it. A Qt window cannot
// be created again once destroyed, so each preview is a new note object.
void CSkinEditorDlg::OnPreviewSkin()
{
    m_pPreview.reset();
    if (m_skin.GetMissingPart() != SKINPART_NONE) {
        return;
    }
    auto pPreview = std::make_unique<CSkinnedNoteWnd>();
    if (!pPreview->Create(this)) {
        return;
    }
    pPreview->ApplySkin(&m_skin);
    m_pPreview = std::move(pPreview);
}

void CSkinEditorDlg::OnOpenInBitmapEditor()
{
    PullFields();
    if (m_strBitmapPath.isEmpty()) {
        Prompts().ShowMessage(kNoBitmapPath, PromptButtons::Ok, PromptIcon::Information);
        return;
    }
    // The editor does not watch the file; applying the component again takes changes in.
    const QString strPath = QFileInfo(m_strBitmapPath).absoluteFilePath();
    if (!QFileInfo(strPath).isFile()) {
        Prompts().ShowMessage("Tavelo could not open " + Quoted(strPath) +
                                  ": there is no such file.",
                              PromptButtons::Ok, PromptIcon::Exclamation);
        return;
    }
    OpenOrSay(QUrl::fromLocalFile(strPath), Quoted(strPath) + " in a bitmap editor");
}

// The chooser started here runs on its own; its answer is not read, nor passed on to the
// editor's own standard output.
void CSkinEditorDlg::OnColourChooser()
{
    if (!QFileInfo::exists(m_strChooserProgram)) {
        Prompts().ShowMessage(kChooserNotFound, PromptButtons::Ok, PromptIcon::None);
        return;
    }
    QProcess chooser;
    chooser.setProgram(m_strChooserProgram);
    chooser.setStandardInputFile(QProcess::nullDevice());
    chooser.setStandardOutputFile(QProcess::nullDevice());
    if (!chooser.startDetached()) {
        Prompts().ShowMessage(kChooserFailed, PromptButtons::Ok, PromptIcon::None);
    }
}

QString CSkinEditorDlg::HelpFilePath()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    // Beside the program in the build tree and on Windows; under share/doc when installed.
    for (const char* pszPath : {"manual/index.html", "../share/doc/tavelo/manual/index.html"}) {
        const QFileInfo file(programDir.filePath(QString::fromLatin1(pszPath)));
        if (file.isFile()) {
            return file.absoluteFilePath();
        }
    }
    return {};
}

void CSkinEditorDlg::OnHelp()
{
    const QString strPath = HelpFilePath();
    if (strPath.isEmpty()) {
        Prompts().ShowMessage(kNoHelp, PromptButtons::Ok, PromptIcon::Exclamation);
        return;
    }
    OpenOrSay(QUrl::fromLocalFile(strPath), "the Tavelo help, " + Quoted(strPath));
}

void CSkinEditorDlg::OnWebSite()
{
    OpenOrSay(QUrl(QString::fromLatin1(kWebSiteUrl)), kWebSiteUrl);
}

void CSkinEditorDlg::OnGetSkins()
{
    OpenOrSay(QUrl(QString::fromLatin1(kGetSkinsUrl)), kGetSkinsUrl);
}

void CSkinEditorDlg::OnAbout()
{
    Prompts().ShowAbout();
}

void CSkinEditorDlg::OnMessageFont()
{
    ChooseSkinFont(false);
}

void CSkinEditorDlg::OnTitleFont()
{
    ChooseSkinFont(true);
}

// Only the font is taken: text colours come from the colour pickers alone.
void CSkinEditorDlg::ChooseSkinFont(bool bTitle)
{
    LOGFONT lf{};
    if (bTitle) {
        m_skin.GetTitleFont(&lf);
    } else {
        m_skin.GetMessageFont(&lf);
    }
    const std::optional<LOGFONT> chosen = Prompts().ChooseFont(lf);
    if (!chosen) {
        return;
    }
    if (bTitle) {
        m_skin.SetTitleFont(&*chosen);
    } else {
        m_skin.SetMessageFont(&*chosen);
    }
    SetModified(true);
    RefreshImageView();
}

// The rectangle goes into the skin at once, so the samples and the next preview follow it; only
// Apply marks the skin modified.
void CSkinEditorDlg::OnPickRectChanged(const RECT& rect)
{
    SetComponentModified(true);
    switch (m_cbComponent.currentIndex()) {
    case COMPONENT_TITLE:
        m_skin.m_rcTitle = rect;
        RefreshImageView();
        break;
    case COMPONENT_CLOSE_BUTTON:
    case COMPONENT_CLOSE_HOVER:
        m_skin.m_rcCloseButton = rect;
        RefreshImageView();
        break;
    case COMPONENT_MESSAGE:
        m_skin.m_rcMessage = rect;
        RefreshImageView();
        break;
    default:
        break;
    }
    WriteBoxFields(rect.left, rect.top, rect.right, rect.bottom);
}

// Text and background colours reach the view's samples at its next refresh; the transparent
// colour at once.
void CSkinEditorDlg::OnColourPicked(COLORREF crColour, int nId)
{
    if (crColour == CLR_DEFAULT) {
        RequestExternalColour(nId);
        return;
    }
    switch (nId) {
    case IDC_MESSAGE_TEXT:
        m_skin.m_crMessageText = crColour;
        break;
    case IDC_MESSAGE_BACK:
        m_skin.m_crMessageBack = crColour;
        break;
    case IDC_TITLE_TEXT:
        m_skin.m_crTitleText = crColour;
        break;
    case IDC_TITLE_BACK:
        m_skin.m_crTitleBack = crColour;
        break;
    case IDC_TRANSPARENT:
        OnTransparentColour(crColour);
        break;
    default:
        break;
    }
    SetModified(true);
}

void CSkinEditorDlg::OnTransparentColour(COLORREF cr)
{
    switch (m_cbComponent.currentIndex()) {
    case COMPONENT_MAIN_WINDOW:
        m_skin.m_crMainTransparent = cr;
        break;
    case COMPONENT_CLOSE_BUTTON:
        m_skin.m_crCloseTransparent = cr;
        break;
    case COMPONENT_CLOSE_HOVER:
        m_skin.m_crCloseHoverTransparent = cr;
        break;
    default:
        break;
    }
    SetComponentModified(true);
    RefreshImageView();
}

CColourPicker* CSkinEditorDlg::ColourPickerById(int nId)
{
    for (CColourPicker* pPicker : {&m_btnTransparent, &m_btnTitleText, &m_btnTitleBack,
                                   &m_btnMessageText, &m_btnMessageBack}) {
        if (pPicker->GetDlgCtrlID() == nId) {
            return pPicker;
        }
    }
    return nullptr;
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
        OnColourPicked(nResult, m_nColourRequestId);
        if (pPicker != nullptr) {
            pPicker->SetColour(nResult);
        }
    } else if (pPicker != nullptr) {
        pPicker->SetColour(m_crBeforeRequest);
    }
    m_nColourRequestId = 0;
}
