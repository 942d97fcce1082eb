#include "skindocument.h"

#include "bytestream.h"
#include "skincommands.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// The component's name as the Component list shows it, in the user's language.
QString ComponentName(const ComponentTraits& traits)
{
    return QCoreApplication::translate(kSkinTextContext, traits.pszName);
}

// Two bitmaps are the same when a skin file would hold the same bytes for them.
bool SameBitmap(const CDib* pA, const CDib* pB)
{
    if (pA == pB) {
        return true;
    }
    if (pA == nullptr || pB == nullptr || pA->HasBitmap() != pB->HasBitmap()) {
        return false;
    }
    const auto same = [](std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
        return std::ranges::equal(a, b);
    };
    const BITMAPINFOHEADER headerA = pA->GetInfoHeader();
    const BITMAPINFOHEADER headerB = pB->GetInfoHeader();
    return std::memcmp(&headerA, &headerB, sizeof headerA) == 0 &&
           pA->GetColorMasks() == pB->GetColorMasks() &&
           same(pA->GetColorTable(), pB->GetColorTable()) && same(pA->GetBits(), pB->GetBits());
}

std::size_t PathSlot(int nPart)
{
    return static_cast<std::size_t>(
        std::clamp(nPart, int{SKINPART_MAIN_IMAGE}, int{SKINPART_CLOSE_HOVER_IMAGE}) -
        SKINPART_MAIN_IMAGE);
}

} // namespace

SkinChange ChangeOf(SkinRect rect)
{
    switch (rect) {
    case SkinRect::Title:
        return SkinChange::TitleRect;
    case SkinRect::Message:
        return SkinChange::MessageRect;
    case SkinRect::CloseButton:
        return SkinChange::CloseRect;
    case SkinRect::None:
        break;
    }
    return SkinChange{};
}

SkinChange ChangeOf(SkinColour colour)
{
    switch (colour) {
    case SkinColour::MainTransparent:
        return SkinChange::MainTransparent;
    case SkinColour::CloseTransparent:
        return SkinChange::CloseTransparent;
    case SkinColour::CloseHoverTransparent:
        return SkinChange::CloseHoverTransparent;
    case SkinColour::MessageText:
        return SkinChange::MessageText;
    case SkinColour::MessageBack:
        return SkinChange::MessageBack;
    case SkinColour::TitleText:
        return SkinChange::TitleText;
    case SkinColour::TitleBack:
        return SkinChange::TitleBack;
    case SkinColour::None:
        break;
    }
    return SkinChange{};
}

SkinChange ChangeOf(SkinFont font)
{
    return font == SkinFont::Title ? SkinChange::TitleFont : SkinChange::MessageFont;
}

SkinChange ImageChangeOf(int nPart)
{
    switch (nPart) {
    case SKINPART_MAIN_IMAGE:
        return SkinChange::MainImage;
    case SKINPART_CLOSE_IMAGE:
        return SkinChange::CloseImage;
    case SKINPART_CLOSE_HOVER_IMAGE:
        return SkinChange::CloseHoverImage;
    default:
        return SkinChange{};
    }
}

CSkinDocument::CSkinDocument(QObject* pParent) : QObject(pParent)
{
    connect(&m_undoStack, &QUndoStack::cleanChanged, this,
            [this](bool bClean) { emit modifiedChanged(!bClean); });
}

CSkinDocument::~CSkinDocument()
{
    // The commands refer to the document; they go while it is still whole. Clearing makes the
    // stack clean, which is no news to anyone: a document going away says nothing, so listeners
    // that are themselves being torn down are not called.
    disconnect(&m_undoStack, &QUndoStack::cleanChanged, this, nullptr);
    m_undoStack.clear();
}

std::unique_ptr<CSkinDocument> CSkinDocument::Open(const std::filesystem::path& path,
                                                   CSkinFileStatus& status)
{
    auto pDocument = std::make_unique<CSkinDocument>();
    if (!pDocument->m_skin.Load(path, &status)) {
        return nullptr;
    }
    return pDocument;
}

std::unique_ptr<CSkinDocument> CSkinDocument::FromTemplate(const std::filesystem::path& path,
                                                           CSkinFileStatus& status)
{
    // Read as a stream of bytes rather than by name, so the skin takes no file name.
    const FilePtr pFile = OpenFileForReading(path);
    if (!pFile) {
        return Open(path, status); // fails, and says why as Open does
    }
    CFileSource source(pFile.get());
    auto pDocument = std::make_unique<CSkinDocument>();
    if (!pDocument->m_skin.Load(source, &status)) {
        return nullptr;
    }
    return pDocument;
}

RECT CSkinDocument::GetRect(SkinRect rect) const
{
    const RECT* const pSlot = RectSlot(m_skin, rect);
    return pSlot != nullptr ? *pSlot : RECT{};
}

COLORREF CSkinDocument::GetColour(SkinColour colour) const
{
    const COLORREF* const pSlot = ColourSlot(m_skin, colour);
    return pSlot != nullptr ? *pSlot : 0;
}

LOGFONT CSkinDocument::GetFont(SkinFont font) const
{
    LOGFONT lf{};
    if (font == SkinFont::Title) {
        m_skin.GetTitleFont(&lf);
    } else {
        m_skin.GetMessageFont(&lf);
    }
    return lf;
}

SkinInformation CSkinDocument::GetInformation() const
{
    return SkinInformation{m_skin.m_strTitle, m_skin.m_strAuthor, m_skin.m_strDate,
                           m_skin.m_strComment};
}

std::filesystem::path CSkinDocument::GetImagePath(int nPart) const
{
    return IsImagePart(nPart) ? m_imagePaths.at(PathSlot(nPart)) : std::filesystem::path();
}

void CSkinDocument::SetRect(SkinRect rect, const RECT& rc)
{
    if (rect == SkinRect::None || GetRect(rect) == rc) {
        return;
    }
    m_undoStack.push(std::make_unique<CExchangeCommand<SkinRect, RECT>>(
                         *this, rect, rc, tr("Move %1 Rectangle").arg(RectName(rect)))
                         .release());
}

void CSkinDocument::NudgeRect(SkinRect rect, const RECT& rc)
{
    if (rect == SkinRect::None || GetRect(rect) == rc) {
        return;
    }
    m_undoStack.push(std::make_unique<CNudgeCommand>(*this, rect, rc,
                                                     tr("Nudge %1 Rectangle").arg(RectName(rect)))
                         .release());
}

void CSkinDocument::SetColour(SkinColour colour, COLORREF cr)
{
    if (colour == SkinColour::None || GetColour(colour) == cr) {
        return;
    }
    m_undoStack.push(std::make_unique<CExchangeCommand<SkinColour, COLORREF>>(*this, colour, cr,
                                                                              ColourName(colour))
                         .release());
}

void CSkinDocument::SetFont(SkinFont font, const LOGFONT& lf)
{
    // Compared as the skin keeps it: bytes after the face name's end are not part of the font.
    LOGFONT lfKept = lf;
    SetFaceName(lfKept, GetFaceName(lf));
    if (GetFont(font) == lfKept) {
        return;
    }
    m_undoStack.push(
        std::make_unique<CExchangeCommand<SkinFont, LOGFONT>>(*this, font, lfKept, FontName(font))
            .release());
}

void CSkinDocument::SetInformation(const SkinInformation& info)
{
    if (GetInformation() == info) {
        return;
    }
    m_undoStack.push(std::make_unique<CExchangeCommand<std::nullptr_t, SkinInformation>>(
                         *this, nullptr, info, tr("Skin Details"))
                         .release());
}

void CSkinDocument::ApplyComponent(SkinComponent nComponent, ComponentEdit edit)
{
    const ComponentTraits* const pTraits = TraitsOf(nComponent);
    if (pTraits == nullptr) {
        return;
    }
    auto pBatch =
        std::make_unique<CBatchCommand>(*this, tr("Apply %1").arg(ComponentName(*pTraits)));
    if (pTraits->bRectFieldsEditable && edit.rect && GetRect(pTraits->rect) != *edit.rect) {
        pBatch->Add(std::make_unique<CExchangeCommand<SkinRect, RECT>>(*this, pTraits->rect,
                                                                       *edit.rect, QString()));
    }
    const int nPart = pTraits->nImagePart;
    if (IsImagePart(nPart)) {
        if (edit.pImage && !SameBitmap(edit.pImage.get(), m_skin.GetImage(nPart))) {
            pBatch->Add(std::make_unique<CExchangeCommand<int, std::unique_ptr<CDib>>>(
                *this, nPart, std::move(edit.pImage), QString()));
        }
        if (edit.imagePath != GetImagePath(nPart)) {
            pBatch->Add(std::make_unique<CExchangeCommand<int, std::filesystem::path>>(
                *this, nPart, std::move(edit.imagePath), QString()));
        }
    }
    if (!pBatch->IsEmpty()) {
        m_undoStack.push(pBatch.release());
    }
}

bool CSkinDocument::Save(const std::filesystem::path& path, CSkinFileStatus& status)
{
    const std::filesystem::path oldPath = GetFilePath();
    if (!m_skin.Save(path, &status)) {
        return false;
    }
    m_undoStack.setClean();
    if (oldPath != path) {
        emit filePathChanged();
    }
    return true;
}

QString CSkinDocument::RectName(SkinRect rect)
{
    switch (rect) {
    case SkinRect::Title:
        return tr("Title");
    case SkinRect::Message:
        return tr("Message");
    case SkinRect::CloseButton:
        return tr("Close Button");
    case SkinRect::None:
        break;
    }
    return {};
}

QString CSkinDocument::ColourName(SkinColour colour)
{
    switch (colour) {
    case SkinColour::MainTransparent:
        return tr("Main Window Transparency");
    case SkinColour::CloseTransparent:
        return tr("Close Button (Normal) Transparency");
    case SkinColour::CloseHoverTransparent:
        return tr("Close Button (Mouse Over) Transparency");
    case SkinColour::MessageText:
        return tr("Message Foreground");
    case SkinColour::MessageBack:
        return tr("Message Background");
    case SkinColour::TitleText:
        return tr("Title Foreground");
    case SkinColour::TitleBack:
        return tr("Title Background");
    case SkinColour::None:
        break;
    }
    return {};
}

QString CSkinDocument::FontName(SkinFont font)
{
    return font == SkinFont::Title ? tr("Title Font") : tr("Message Font");
}

void CSkinDocument::ReloadImage(int nPart, std::unique_ptr<CDib> pImage)
{
    if (!IsImagePart(nPart) || !pImage || SameBitmap(pImage.get(), m_skin.GetImage(nPart))) {
        return;
    }
    m_undoStack.push(std::make_unique<CExchangeCommand<int, std::unique_ptr<CDib>>>(
                         *this, nPart, std::move(pImage), tr("Reload %1").arg(ImageName(nPart)))
                         .release());
}

QString CSkinDocument::ImageName(int nPart)
{
    const ComponentTraits* const pTraits = TraitsOf(ComponentOfImage(nPart));
    return pTraits != nullptr ? tr("%1 Image").arg(ComponentName(*pTraits)) : QString();
}

void CSkinDocument::Exchange(SkinRect rect, RECT& value)
{
    if (RECT* const pSlot = RectSlot(m_skin, rect)) {
        std::swap(*pSlot, value);
        Announce(ChangeOf(rect));
    }
}

void CSkinDocument::Exchange(SkinColour colour, COLORREF& value)
{
    if (COLORREF* const pSlot = ColourSlot(m_skin, colour)) {
        std::swap(*pSlot, value);
        Announce(ChangeOf(colour));
    }
}

void CSkinDocument::Exchange(SkinFont font, LOGFONT& value)
{
    const LOGFONT lfOld = GetFont(font);
    if (font == SkinFont::Title) {
        m_skin.SetTitleFont(&value);
    } else {
        m_skin.SetMessageFont(&value);
    }
    value = lfOld;
    Announce(ChangeOf(font));
}

void CSkinDocument::Exchange(std::nullptr_t /*unused*/, SkinInformation& value)
{
    std::swap(m_skin.m_strTitle, value.strTitle);
    std::swap(m_skin.m_strAuthor, value.strAuthor);
    std::swap(m_skin.m_strDate, value.strDate);
    std::swap(m_skin.m_strComment, value.strComment);
    Announce(SkinChange::Information);
}

void CSkinDocument::Exchange(int nPart, std::unique_ptr<CDib>& value)
{
    m_skin.SwapImage(nPart, value);
    Announce(ImageChangeOf(nPart));
}

void CSkinDocument::Exchange(int nPart, std::filesystem::path& value)
{
    std::swap(m_imagePaths.at(PathSlot(nPart)), value);
    Announce(SkinChange::ImagePath);
}

void CSkinDocument::BeginChange()
{
    ++m_nChangeDepth;
}

void CSkinDocument::EndChange()
{
    if (--m_nChangeDepth == 0 && m_pending != SkinChanges()) {
        const SkinChanges what = std::exchange(m_pending, SkinChanges());
        emit changed(what);
    }
}

void CSkinDocument::Announce(SkinChanges what)
{
    if (m_nChangeDepth > 0) {
        m_pending |= what;
    } else {
        emit changed(what);
    }
}
