// Reading and writing the .skn file: one flat little-endian sequence, no magic number.

#include "archive.h"
#include "bytestream.h"
#include "promptservice.h"
#include "skin.h"

#include <new>

namespace {

constexpr char kVersionMessage[] = "This skin is a version this skin reader does not recognize.";

// Thrown inside Load when the version says the rest is not ours to read.
struct UnknownVersion
{
};

} // namespace

std::string CSkinFileStatus::Describe() const
{
    const std::string strAt = " (at byte " + std::to_string(nOffset) + ")";
    switch (error) {
    case Error::None:
        return "no error";
    case Error::Open:
        return "cannot open the file: " + strDetail;
    case Error::Version:
        return std::string(kVersionMessage) + " (version " + std::to_string(nVersion) + ")";
    case Error::Truncated:
        return strDetail + strAt;
    case Error::BadImage:
        return CSkin::GetPartName(nPart) + ": " + strDetail + strAt;
    case Error::MissingImage:
        return CSkin::GetPartName(nPart) + ": no bitmap to store";
    case Error::Write:
        return "cannot write the file: " + strDetail;
    }
    return strDetail;
}

void CSkin::ReadFields(CArchive& ar, CSkinFileStatus& status)
{
    status.nVersion = ar.ReadDWord();
    if (status.nVersion > SKIN_FILE_VERSION) {
        throw UnknownVersion{};
    }
    m_strTitle = ar.ReadString();
    m_strAuthor = ar.ReadString();
    m_strDate = ar.ReadString();
    m_strComment = ar.ReadString();

    const std::array<CDib*, 3> images = {m_pMainImage.get(), m_pCloseImage.get(),
                                         m_pCloseHoverImage.get()};
    const std::array<int, 3> parts = {SKINPART_MAIN_IMAGE, SKINPART_CLOSE_IMAGE,
                                      SKINPART_CLOSE_HOVER_IMAGE};
    for (std::size_t n = 0; n < images.size(); ++n) {
        const std::uint64_t nStart = ar.GetPosition();
        const DWORD nSize = images[n]->Read(ar.GetSource());
        // Reading on after a chunk that is not a bitmap only turns pixels into fields.
        if (nSize == 0) {
            status.nPart = parts[n];
            status.error = CSkinFileStatus::Error::BadImage;
            throw CArchiveException(images[n]->GetReadError(), nStart);
        }
        status.imageChunks[n] = {nStart, nSize};
    }

    m_rcCloseButton = ar.ReadRect();
    m_rcTitle = ar.ReadRect();
    m_rcMessage = ar.ReadRect();

    m_crMainTransparent = ar.ReadDWord();
    m_crCloseTransparent = ar.ReadDWord();
    m_crCloseHoverTransparent = ar.ReadDWord();
    m_crMessageBack = ar.ReadDWord();
    m_crTitleBack = ar.ReadDWord();
    m_crMessageText = ar.ReadDWord();
    m_crTitleText = ar.ReadDWord();

    m_fontMessage.Serialize(ar);
    m_fontTitle.Serialize(ar);
}

void CSkin::WriteFields(CArchive& ar) const
{
    ar.WriteDWord(SKIN_FILE_VERSION);
    ar.WriteString(m_strTitle);
    ar.WriteString(m_strAuthor);
    ar.WriteString(m_strDate);
    ar.WriteString(m_strComment);

    m_pMainImage->Write(ar.GetSink());
    m_pCloseImage->Write(ar.GetSink());
    m_pCloseHoverImage->Write(ar.GetSink());

    ar.WriteRect(m_rcCloseButton);
    ar.WriteRect(m_rcTitle);
    ar.WriteRect(m_rcMessage);

    ar.WriteDWord(m_crMainTransparent);
    ar.WriteDWord(m_crCloseTransparent);
    ar.WriteDWord(m_crCloseHoverTransparent);
    ar.WriteDWord(m_crMessageBack);
    ar.WriteDWord(m_crTitleBack);
    ar.WriteDWord(m_crMessageText);
    ar.WriteDWord(m_crTitleText);

    // Serialize only reads from the font when storing.
    const_cast<CFontEx&>(m_fontMessage).Serialize(ar);
    const_cast<CFontEx&>(m_fontTitle).Serialize(ar);
}

void CSkin::InstallEmptyImages()
{
    DeleteImages();
    m_pMainImage = std::make_unique<CDib>();
    m_pCloseImage = std::make_unique<CDib>();
    m_pCloseHoverImage = std::make_unique<CDib>();
}

bool CSkin::Load(const std::filesystem::path& pszPath, CSkinFileStatus* pStatus)
{
    CSkinFileStatus localStatus;
    CSkinFileStatus& status = pStatus != nullptr ? *pStatus : localStatus;
    status = CSkinFileStatus{};

    InstallEmptyImages();
    const FilePtr pFile = OpenFileForReading(pszPath);
    if (!pFile) {
        status.error = CSkinFileStatus::Error::Open;
        status.strDetail = pszPath.empty() ? "no file name was given" : "no such readable file";
        return false;
    }
    CFileSource source(pFile.get());
    if (!LoadFrom(source, status)) {
        return false;
    }
    m_strPath = pszPath;
    return true;
}

bool CSkin::Load(CByteSource& source, CSkinFileStatus* pStatus)
{
    CSkinFileStatus localStatus;
    CSkinFileStatus& status = pStatus != nullptr ? *pStatus : localStatus;
    status = CSkinFileStatus{};

    InstallEmptyImages();
    return LoadFrom(source, status);
}

bool CSkin::LoadFrom(CByteSource& source, CSkinFileStatus& status)
{
    try {
        CArchive ar(source);
        ReadFields(ar, status);
        return true;
    } catch (const UnknownVersion&) {
        status.error = CSkinFileStatus::Error::Version;
        Prompts().ShowMessage(kVersionMessage, PromptButtons::Ok, PromptIcon::Exclamation);
    } catch (const CArchiveException& e) {
        if (status.error == CSkinFileStatus::Error::None) {
            status.error = CSkinFileStatus::Error::Truncated;
        }
        status.nOffset = e.GetOffset();
        status.strDetail = e.what();
    } catch (const std::bad_alloc&) {
        status.error = CSkinFileStatus::Error::Truncated;
        status.nOffset = source.GetPosition();
        status.strDetail = "not enough memory to read the file";
    }
    return false;
}

bool CSkin::RefuseUnwritable(CSkinFileStatus& status) const
{
    status = CSkinFileStatus{};
    status.nPart = GetUnwritablePart();
    if (status.nPart == SKINPART_NONE) {
        return false;
    }
    status.error = CSkinFileStatus::Error::MissingImage;
    return true;
}

bool CSkin::Save(CByteSink& sink, CSkinFileStatus* pStatus) const
{
    CSkinFileStatus localStatus;
    CSkinFileStatus& status = pStatus != nullptr ? *pStatus : localStatus;
    if (RefuseUnwritable(status)) {
        return false;
    }
    try {
        CArchive ar(sink);
        WriteFields(ar);
        return true;
    } catch (const CArchiveException& e) {
        status.error = CSkinFileStatus::Error::Write;
        status.nOffset = e.GetOffset();
        status.strDetail = e.what();
    } catch (const std::bad_alloc&) {
        status.error = CSkinFileStatus::Error::Write;
        status.strDetail = "not enough memory";
    }
    return false;
}

bool CSkin::Save(const std::filesystem::path& pszPath, CSkinFileStatus* pStatus, FileSync sync)
{
    CSkinFileStatus localStatus;
    CSkinFileStatus& status = pStatus != nullptr ? *pStatus : localStatus;
    // Checked before the temporary file exists, so a refused save leaves nothing behind.
    if (RefuseUnwritable(status)) {
        return false;
    }
    CAtomicFile file;
    if (!file.Open(pszPath, status.strDetail)) {
        status.error = CSkinFileStatus::Error::Open;
        return false;
    }
    CFileSink sink(file.GetFile());
    if (!Save(sink, &status)) {
        return false;
    }
    if (!file.Commit(sync, status.strDetail)) {
        status.error = CSkinFileStatus::Error::Write;
        return false;
    }
    m_strPath = pszPath;
    return true;
}
