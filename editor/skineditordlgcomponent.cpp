// Component editing: the controls of the selected component, Apply, and what the image view
// is given.
#include "bytestream.h"
#include "promptservice.h"
#include "qtconvert.h"
#include "skineditordlg.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <system_error>

namespace {

const char* const kTitleSample = "The Note's Title";
const char* const kMessageSample =
    "The note's message will be placed here in the skin.  Click and drag with the rectangle "
    "picker on to place a new rectangle or click inside the rectangle and drag to move the "
    "current rectangle.";

const char* const kNotBmp = " is not a BMP file.\n\nSkin images must be Windows bitmaps (.bmp); "
                            "save the image in that format first.";
const char* const kBadBmp = "It is damaged, or it is a kind of BMP file this program cannot hold.";

// As atoi reads: leading white space, an optional sign, then digits up to the first other
// character; no digits give 0. Values beyond an int are held at its limits.
int ToInt(const QString& strText)
{
    qsizetype i = 0;
    while (i < strText.size() && strText[i].isSpace()) {
        ++i;
    }
    bool bNegative = false;
    if (i < strText.size() && (strText[i] == u'-' || strText[i] == u'+')) {
        bNegative = strText[i] == u'-';
        ++i;
    }
    long long nValue = 0;
    constexpr long long kLimit = 1LL << 31;
    for (; i < strText.size() && strText[i] >= u'0' && strText[i] <= u'9'; ++i) {
        nValue = std::min(nValue * 10 + (strText[i].unicode() - u'0'), kLimit);
    }
    nValue = bNegative ? -nValue : std::min(nValue, kLimit - 1);
    return static_cast<int>(nValue);
}

// Left of right and top above bottom, whichever way round the numbers were typed.
RECT Normalized(const RECT& rc)
{
    const auto [nLeft, nRight] = std::minmax(rc.left, rc.right);
    const auto [nTop, nBottom] = std::minmax(rc.top, rc.bottom);
    return RECT{nLeft, nTop, nRight, nBottom};
}

// Why the bitmap file cannot be opened, or nothing when it can.
std::optional<std::string> WhyNotReadable(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error) {
        return error.message() + ".";
    }
    if (std::filesystem::is_directory(status)) {
        return std::string("It is a folder.");
    }
    if (!std::filesystem::is_regular_file(status)) {
        return std::string("It is not a regular file.");
    }
    return std::nullopt;
}

} // namespace

void CSkinEditorDlg::SelectComponent()
{
    if (m_nComponent != COMPONENT_NONE && !PromptApplyComponent(m_nComponent)) {
        // The changes could not be applied: the list goes back to them.
        m_cbComponent.setCurrentIndex(m_nComponent);
        return;
    }
    m_nComponent = m_cbComponent.currentIndex();

    const auto showBox = [this](const RECT& rc) {
        WriteBoxFields(rc.left, rc.top, rc.right, rc.bottom);
    };
    const auto placePicker = [this] {
        m_wndImageView.SetPickerMode(1);
        const RECT rc = ReadBoxFields();
        m_wndImageView.SetPickerRect(rc.left, rc.top, rc.right, rc.bottom);
    };
    switch (m_nComponent) {
    case COMPONENT_MAIN_WINDOW:
        m_strBitmapPath = m_strMainImagePath;
        WriteBoxFields(0, 0, 0, 0);
        EnableBitmapGroup(true);
        EnableBoxGroup(false);
        m_wndImageView.SetPickerMode(0);
        m_btnTransparent.SetColour(m_skin.m_crMainTransparent);
        break;
    case COMPONENT_TITLE:
        m_strBitmapPath.clear();
        showBox(m_skin.m_rcTitle);
        EnableBoxGroup(true);
        EnableBitmapGroup(false);
        placePicker();
        break;
    case COMPONENT_CLOSE_BUTTON:
        m_strBitmapPath = m_strCloseImagePath;
        showBox(m_skin.m_rcCloseButton);
        EnableBitmapGroup(true);
        EnableBoxGroup(true);
        placePicker();
        m_btnTransparent.SetColour(m_skin.m_crCloseTransparent);
        break;
    case COMPONENT_CLOSE_HOVER:
        m_strBitmapPath = m_strCloseHoverImagePath;
        showBox(m_skin.m_rcCloseButton);
        EnableBitmapGroup(true);
        EnableBoxGroup(false);
        placePicker();
        m_btnTransparent.SetColour(m_skin.m_crCloseHoverTransparent);
        break;
    case COMPONENT_MESSAGE:
        m_strBitmapPath.clear();
        showBox(m_skin.m_rcMessage);
        EnableBitmapGroup(false);
        EnableBoxGroup(true);
        placePicker();
        break;
    default:
        break;
    }
    RefreshImageView();
    UpdatePickerButton();
}

bool CSkinEditorDlg::ApplyComponent(int nComponent)
{
    if (nComponent == -1) {
        nComponent = m_cbComponent.currentIndex();
    }
    PullFields();
    // An empty path keeps the image the skin has.
    const bool bUsesBitmap = nComponent == COMPONENT_MAIN_WINDOW ||
                             nComponent == COMPONENT_CLOSE_BUTTON ||
                             nComponent == COMPONENT_CLOSE_HOVER;
    std::unique_ptr<CDib> pImage;
    if (bUsesBitmap && !m_strBitmapPath.isEmpty()) {
        pImage = ReadComponentBitmap();
        if (!pImage) {
            SetComponentModified(true);
            return false;
        }
    }
    const RECT rc = Normalized(ReadBoxFields());
    WriteBoxFields(rc.left, rc.top, rc.right, rc.bottom);
    switch (nComponent) {
    case COMPONENT_MAIN_WINDOW:
        if (pImage) {
            m_skin.SetMainImage(std::move(pImage));
        }
        m_strMainImagePath = m_strBitmapPath;
        break;
    case COMPONENT_TITLE:
        m_skin.m_rcTitle = rc;
        break;
    case COMPONENT_CLOSE_BUTTON:
        m_skin.m_rcCloseButton = rc;
        if (pImage) {
            m_skin.SetCloseImage(std::move(pImage));
        }
        m_strCloseImagePath = m_strBitmapPath;
        break;
    case COMPONENT_CLOSE_HOVER:
        if (pImage) {
            m_skin.SetCloseHoverImage(std::move(pImage));
        }
        m_strCloseHoverImagePath = m_strBitmapPath;
        break;
    case COMPONENT_MESSAGE:
        m_skin.m_rcMessage = rc;
        break;
    default:
        break;
    }
    if (nComponent >= COMPONENT_MAIN_WINDOW && nComponent <= COMPONENT_MESSAGE) {
        m_wndImageView.SetPickerRect(rc.left, rc.top, rc.right, rc.bottom);
    }
    SetModified(true);
    RefreshImageView();
    return true;
}

std::unique_ptr<CDib> CSkinEditorDlg::ReadComponentBitmap()
{
    const std::filesystem::path path = toPath(m_strBitmapPath);
    const std::string strFile = "\"" + m_strBitmapPath.toStdString() + "\"";
    const auto refuse = [](const std::string& strText) {
        Prompts().ShowMessage(strText, PromptButtons::Ok, PromptIcon::Exclamation);
        return nullptr;
    };
    const std::string strCannotRead = "The bitmap file " + strFile + " could not be read.\n\n";
    if (const std::optional<std::string> strWhy = WhyNotReadable(path)) {
        return refuse(strCannotRead + *strWhy);
    }
    const FilePtr pFile = OpenFileForReading(path);
    if (!pFile) {
        return refuse(strCannotRead + std::generic_category().message(errno) + ".");
    }
    std::array<char, 2> signature{};
    if (std::fread(signature.data(), 1, signature.size(), pFile.get()) != signature.size() ||
        signature != std::array<char, 2>{'B', 'M'}) {
        return refuse("The file " + strFile + kNotBmp);
    }
    CFileSource source(pFile.get());
    auto pImage = std::make_unique<CDib>();
    if (pImage->Read(source) == 0) {
        // The reader's own words say more than ours only when the image is too large.
        const std::string& strWhy = pImage->GetReadError();
        return refuse(strCannotRead + (pImage->IsBeyondLimits() ? "T" + strWhy.substr(1) + "."
                                                                : std::string(kBadBmp)));
    }
    return pImage;
}

bool CSkinEditorDlg::PromptApplyComponent(int nComponent)
{
    if (!m_bComponentModified) {
        return true;
    }
    const PromptAnswer answer =
        Prompts().ShowMessage("You've changed this component.  Would you like to apply the "
                              "changes before switching to a new component?",
                              PromptButtons::YesNo, PromptIcon::Question);
    if (answer == PromptAnswer::Yes && !ApplyComponent(nComponent)) {
        return false;
    }
    SetComponentModified(false);
    return true;
}

void CSkinEditorDlg::RefreshImageView()
{
    if (m_strBitmapPath.isEmpty()) {
        // The skin as stored. Without a main image both close images show; with one, setting it
        // again drops the normal close image and only the mouse-over one stays over it.
        const CDib* const pMain = m_skin.GetMainImage();
        const CDib* const pClose = m_skin.GetCloseImage();
        const CDib* const pCloseHover = m_skin.GetCloseHoverImage();
        const RECT& rcClose = m_skin.m_rcCloseButton;
        m_wndImageView.SetImage(pMain, m_skin.m_crMainTransparent);
        if (pClose != nullptr) {
            m_wndImageView.AddOverlay(pClose, rcClose.left, rcClose.top, rcClose.right,
                                      rcClose.bottom, m_skin.m_crCloseTransparent);
        }
        if (pMain != nullptr) {
            m_wndImageView.SetImage(pMain, m_skin.m_crMainTransparent);
        }
        if (pCloseHover != nullptr) {
            m_wndImageView.AddOverlay(pCloseHover, rcClose.left, rcClose.top, rcClose.right,
                                      rcClose.bottom, m_skin.m_crCloseHoverTransparent);
        }
        LOGFONT lf{};
        m_skin.GetTitleFont(&lf);
        const RECT& rcTitle = m_skin.m_rcTitle;
        m_wndImageView.SetTitleSample(kTitleSample, rcTitle.left, rcTitle.top, rcTitle.right,
                                      rcTitle.bottom, &lf, m_skin.m_crTitleText);
        m_skin.GetMessageFont(&lf);
        const RECT& rcMessage = m_skin.m_rcMessage;
        m_wndImageView.SetMessageSample(kMessageSample, rcMessage.left, rcMessage.top,
                                        rcMessage.right, rcMessage.bottom, &lf,
                                        m_skin.m_crMessageText);
        if (pMain != nullptr || pClose != nullptr || pCloseHover != nullptr) {
            update();
        }
        return;
    }

    // The file named in the path field, read afresh each time.
    if (m_pComponentImage) {
        m_wndImageView.ClearImage();
        m_pComponentImage.reset();
    }
    if (!CSkin::ReadImageFile(m_pComponentImage, toPath(m_strBitmapPath))) {
        m_wndImageView.ClearImage();
        m_pComponentImage.reset();
        update();
        return;
    }
    const RECT& rcClose = m_skin.m_rcCloseButton;
    switch (m_cbComponent.currentIndex()) {
    case COMPONENT_MAIN_WINDOW:
        m_wndImageView.SetImage(m_pComponentImage.get(), m_skin.m_crMainTransparent);
        break;
    case COMPONENT_CLOSE_BUTTON:
    case COMPONENT_CLOSE_HOVER: {
        const COLORREF crTransparent = m_cbComponent.currentIndex() == COMPONENT_CLOSE_BUTTON
                                           ? m_skin.m_crCloseTransparent
                                           : m_skin.m_crCloseHoverTransparent;
        m_wndImageView.SetImage(m_skin.GetMainImage(), m_skin.m_crMainTransparent);
        m_wndImageView.AddOverlay(m_pComponentImage.get(), rcClose.left, rcClose.top, rcClose.right,
                                  rcClose.bottom, crTransparent);
        break;
    }
    default:
        break;
    }
}

RECT CSkinEditorDlg::ReadBoxFields()
{
    PullFields();
    return RECT{ToInt(m_strLeft), ToInt(m_strTop), ToInt(m_strRight), ToInt(m_strBottom)};
}

void CSkinEditorDlg::WriteBoxFields(int nLeft, int nTop, int nRight, int nBottom)
{
    m_strLeft = QString::number(nLeft);
    m_strTop = QString::number(nTop);
    m_strRight = QString::number(nRight);
    m_strBottom = QString::number(nBottom);
    PushFields();
}

void CSkinEditorDlg::EnableBitmapGroup(bool bEnable)
{
    for (QWidget* pControl : std::initializer_list<QWidget*>{&m_editBitmapPath, &m_groupBitmap,
                                                             &m_btnBrowse, &m_btnTransparent}) {
        pControl->setEnabled(bEnable);
    }
}

void CSkinEditorDlg::EnableBoxGroup(bool bEnable)
{
    for (QWidget* pControl : std::initializer_list<QWidget*>{
             &m_editLeft, &m_editRight, &m_editBottom, &m_editTop, &m_labelLeft, &m_labelRight,
             &m_labelBottom, &m_labelTop}) {
        pControl->setEnabled(bEnable);
    }
}

void CSkinEditorDlg::UpdatePickerButton()
{
    if (m_nComponent >= COMPONENT_TITLE && m_nComponent <= COMPONENT_MESSAGE) {
        m_btnPicker.setEnabled(true);
        m_wndImageView.HidePicker(!m_btnPicker.isChecked());
    } else {
        m_btnPicker.setEnabled(false);
        m_wndImageView.HidePicker(true);
    }
}

void CSkinEditorDlg::OnApply()
{
    if (ApplyComponent(-1)) {
        SetComponentModified(false);
    }
}

void CSkinEditorDlg::OnBrowseBitmap()
{
    const std::optional<std::filesystem::path> path = Prompts().ChooseBitmapFile();
    if (!path) {
        return;
    }
    m_strBitmapPath = pathToQString(*path);
    PushFields();
    SetComponentModified(true);
    RefreshImageView();
}

// Shows the typed rectangle at once, with the picker if it was hidden; the skin keeps its own
// until Apply.
void CSkinEditorDlg::OnSetBox()
{
    const RECT rc = Normalized(ReadBoxFields());
    WriteBoxFields(rc.left, rc.top, rc.right, rc.bottom);
    m_wndImageView.SetPickerRect(rc.left, rc.top, rc.right, rc.bottom);
    if (m_btnPicker.isEnabled()) {
        m_btnPicker.setChecked(true);
        UpdatePickerButton();
    }
    m_wndImageView.update();
}

// The button toggles itself when clicked; the picker follows its new state.
void CSkinEditorDlg::OnPickerButton()
{
    m_wndImageView.HidePicker(!m_btnPicker.isChecked());
}
