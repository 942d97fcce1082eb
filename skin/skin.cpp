#include "skin.h"

#include "bytestream.h"

CSkin::CSkin()
{
    Reset();
}

void CSkin::Reset()
{
    DeleteImages();
    m_rcCloseButton = RECT{};
    m_rcTitle = RECT{};
    m_rcMessage = RECT{};
    m_crMainTransparent = 0;
    m_crCloseTransparent = 0;
    m_crCloseHoverTransparent = 0;
    m_crMessageBack = kDefaultBack;
    m_crTitleBack = kDefaultBack;
    m_crMessageText = kDefaultText;
    m_crTitleText = kDefaultText;
    m_strTitle.clear();
    m_strDate.clear();
    m_strAuthor.clear();
    m_strComment.clear();
    const LOGFONT defaultFont = GetDefaultGuiFont();
    m_fontMessage.CreateFontIndirect(defaultFont);
    m_fontTitle.CreateFontIndirect(defaultFont);
    m_strPath.clear();
}

void CSkin::DeleteImages()
{
    m_pMainImage.reset();
    m_pCloseHoverImage.reset();
    m_pCloseImage.reset();
}

void CSkin::SetMainImage(std::unique_ptr<CDib> pImage)
{
    m_pMainImage = std::move(pImage);
}

void CSkin::SetCloseImage(std::unique_ptr<CDib> pImage)
{
    m_pCloseImage = std::move(pImage);
}

void CSkin::SetCloseHoverImage(std::unique_ptr<CDib> pImage)
{
    m_pCloseHoverImage = std::move(pImage);
}

const CDib* CSkin::GetImage(int nPart) const
{
    switch (nPart) {
    case SKINPART_MAIN_IMAGE:
        return m_pMainImage.get();
    case SKINPART_CLOSE_IMAGE:
        return m_pCloseImage.get();
    case SKINPART_CLOSE_HOVER_IMAGE:
        return m_pCloseHoverImage.get();
    default:
        return nullptr;
    }
}

void CSkin::SwapImage(int nPart, std::unique_ptr<CDib>& pImage)
{
    switch (nPart) {
    case SKINPART_MAIN_IMAGE:
        m_pMainImage.swap(pImage);
        break;
    case SKINPART_CLOSE_IMAGE:
        m_pCloseImage.swap(pImage);
        break;
    case SKINPART_CLOSE_HOVER_IMAGE:
        m_pCloseHoverImage.swap(pImage);
        break;
    default:
        break;
    }
}

bool CSkin::ReadImageFile(std::unique_ptr<CDib>& pImage, const std::filesystem::path& pszPath,
                          std::string* pError)
{
    pImage.reset();
    const FilePtr pFile = OpenFileForReading(pszPath);
    if (!pFile) {
        if (pError != nullptr) {
            *pError = QT_TRANSLATE_NOOP("Skin", "no such readable file");
        }
        return false;
    }
    auto pNew = std::make_unique<CDib>();
    CFileSource source(pFile.get());
    if (pNew->Read(source) == 0) {
        if (pError != nullptr) {
            *pError = pNew->GetReadError();
        }
        return false;
    }
    pImage = std::move(pNew);
    return true;
}

void CSkin::LoadMainImage(const std::filesystem::path& pszPath)
{
    std::unique_ptr<CDib> pImage;
    if (ReadImageFile(pImage, pszPath)) {
        SetMainImage(std::move(pImage));
    }
}

void CSkin::LoadCloseImage(const std::filesystem::path& pszPath)
{
    std::unique_ptr<CDib> pImage;
    if (ReadImageFile(pImage, pszPath)) {
        SetCloseImage(std::move(pImage));
    }
}

void CSkin::LoadCloseHoverImage(const std::filesystem::path& pszPath)
{
    std::unique_ptr<CDib> pImage;
    if (ReadImageFile(pImage, pszPath)) {
        SetCloseHoverImage(std::move(pImage));
    }
}

int CSkin::GetMissingPart() const
{
    if (!m_pMainImage) {
        return SKINPART_MAIN_IMAGE;
    }
    if (!m_pCloseImage) {
        return SKINPART_CLOSE_IMAGE;
    }
    if (!m_pCloseHoverImage) {
        return SKINPART_CLOSE_HOVER_IMAGE;
    }
    return SKINPART_NONE;
}

int CSkin::GetUnwritablePart() const
{
    if (!m_pMainImage || !m_pMainImage->HasBitmap()) {
        return SKINPART_MAIN_IMAGE;
    }
    if (!m_pCloseImage || !m_pCloseImage->HasBitmap()) {
        return SKINPART_CLOSE_IMAGE;
    }
    if (!m_pCloseHoverImage || !m_pCloseHoverImage->HasBitmap()) {
        return SKINPART_CLOSE_HOVER_IMAGE;
    }
    return SKINPART_NONE;
}

std::string CSkin::GetPartName(int nPart)
{
    switch (nPart) {
    case SKINPART_NONE:
        return QT_TRANSLATE_NOOP("Skin", "None");
    case SKINPART_TITLE:
        return QT_TRANSLATE_NOOP("Skin", "Skin title area");
    case SKINPART_MESSAGE:
        return QT_TRANSLATE_NOOP("Skin", "Skin message area");
    case SKINPART_MAIN_IMAGE:
        return QT_TRANSLATE_NOOP("Skin", "Skin main window image");
    case SKINPART_CLOSE_IMAGE:
        return QT_TRANSLATE_NOOP("Skin", "Close button image and placement");
    case SKINPART_CLOSE_HOVER_IMAGE:
        return QT_TRANSLATE_NOOP("Skin", "Close button (mouse over) image and placement");
    default:
        return QT_TRANSLATE_NOOP("Skin", "Unknown skin part");
    }
}

void CSkin::GetMessageFont(LOGFONT* pLogFont) const
{
    m_fontMessage.GetLogFont(pLogFont);
}

void CSkin::GetTitleFont(LOGFONT* pLogFont) const
{
    m_fontTitle.GetLogFont(pLogFont);
}

void CSkin::SetMessageFont(const LOGFONT* pLogFont)
{
    m_fontMessage.DeleteObject();
    if (pLogFont != nullptr) {
        m_fontMessage.CreateFontIndirect(*pLogFont);
    }
}

void CSkin::SetTitleFont(const LOGFONT* pLogFont)
{
    m_fontTitle.DeleteObject();
    if (pLogFont != nullptr) {
        m_fontTitle.CreateFontIndirect(*pLogFont);
    }
}
