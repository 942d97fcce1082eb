// Reading and writing the .skn file: one flat little-endian sequence, no magic number.

#include "archive.h"
#include "bytestream.h"
#include "skin.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <span>
#include <string_view>
#include <system_error>

namespace {

// The format has no signature. Versions count up from 1, so a version field above this is no
// version at all but the first bytes of some other file.
constexpr std::uint32_t kHighestPlausibleVersion = 0xFFFF;

// The bitmap file header: "BM", then the chunk's size as a uint32.
constexpr std::size_t kBitmapHeadSize = 6;
constexpr std::size_t kBitmapFileHeaderSize = 14;

// Thrown inside Load when the version says the rest is not ours to read.
struct UnknownVersion
{
};

// Thrown inside Load when the bytes are plainly something other than a skin.
struct NotASkin
{
    std::string strDetail;
};

// Passes reads on and keeps the first bytes read, so a bitmap chunk that does not read can be
// told apart as cut short or as broken.
class CChunkHeadSource final : public CByteSource
{
public:
    explicit CChunkHeadSource(CByteSource& source) : m_source(source) {}

    std::size_t Read(void* pDest, std::size_t nCount) override
    {
        const std::size_t nRead = m_source.Read(pDest, nCount);
        const std::size_t nKeep = std::min(nRead, m_head.size() - m_nKept);
        std::memcpy(m_head.data() + m_nKept, pDest, nKeep);
        m_nKept += nKeep;
        return nRead;
    }
    std::uint64_t GetPosition() const override { return m_source.GetPosition(); }
    std::uint64_t GetRemaining() const override { return m_source.GetRemaining(); }

    std::span<const std::uint8_t> GetHead() const { return {m_head.data(), m_nKept}; }

private:
    CByteSource& m_source;
    std::array<std::uint8_t, kBitmapHeadSize> m_head{};
    std::size_t m_nKept = 0;
};

// Throws what a bitmap chunk that did not read means: the file ends inside it, the file is no
// skin (nothing bitmap-like where the main image must begin), or a broken bitmap.
void ThrowChunkFailure(std::span<const std::uint8_t> head, std::uint64_t nStart, std::uint64_t nEnd,
                       int nPart, const SkinText& reason, CSkinFileStatus& status)
{
    const std::uint64_t nLeft = nEnd - nStart;
    constexpr std::array<std::uint8_t, 2> kMark = {'B', 'M'};
    const std::size_t nMarkBytes = std::min(head.size(), kMark.size());
    const std::span<const std::uint8_t> mark = head.first(nMarkBytes);
    const bool bMarked = std::equal(mark.begin(), mark.end(), kMark.begin());
    const bool bSizeBeyondEnd =
        head.size() == kBitmapHeadSize &&
        (std::uint64_t{head[2]} | std::uint64_t{head[3]} << 8 | std::uint64_t{head[4]} << 16 |
         std::uint64_t{head[5]} << 24) > nLeft;
    if (bMarked && (nLeft < kBitmapFileHeaderSize || bSizeBeyondEnd)) {
        throw CArchiveException(QT_TRANSLATE_NOOP("Skin", "the file ends early"), nStart,
                                CArchiveException::Kind::EndOfData);
    }
    if (!bMarked && nPart == SKINPART_MAIN_IMAGE) {
        throw NotASkin{"no bitmap at byte " + std::to_string(nStart) +
                       ", where the main image must begin"};
    }
    status.nPart = nPart;
    status.error = CSkinFileStatus::Error::BadImage;
    status.detailText = reason;
    throw CArchiveException(reason.English(), nStart);
}

std::string DescribeOpenError(int nError)
{
    return "cannot open the file: " + std::generic_category().message(nError);
}

} // namespace

std::string DescribeUnreadableFile(const std::filesystem::path& path)
{
    if (path.empty()) {
        return QT_TRANSLATE_NOOP("Skin", "no file name was given");
    }
    std::error_code error;
    switch (std::filesystem::status(path, error).type()) {
    case std::filesystem::file_type::not_found:
        return QT_TRANSLATE_NOOP("Skin", "no such file");
    case std::filesystem::file_type::directory:
        return QT_TRANSLATE_NOOP("Skin", "it is a folder, not a file");
    case std::filesystem::file_type::regular:
        break;
    case std::filesystem::file_type::none:
        return DescribeOpenError(error.value());
    default:
        return QT_TRANSLATE_NOOP("Skin", "it is not a regular file");
    }
#ifdef _WIN32
    const FilePtr pFile(_wfopen(path.c_str(), L"rb"));
#else
    const FilePtr pFile(std::fopen(path.c_str(), "rb"));
#endif
    return pFile ? std::string(QT_TRANSLATE_NOOP("Skin", "cannot open the file"))
                 : DescribeOpenError(errno);
}

std::string CSkinFileStatus::Describe() const
{
    return Text().English();
}

SkinText CSkinFileStatus::Text() const
{
    SkinText detail = detailText.strText.empty() ? Phrase(strDetail) : detailText;
    const SkinText offset = Literal(std::to_string(nOffset));
    const SkinText part = Phrase(CSkin::GetPartName(nPart));
    switch (error) {
    case Error::None:
        return Phrase(QT_TRANSLATE_NOOP("Skin", "no error"));
    case Error::Open:
    case Error::Write:
        return detail;
    case Error::NotSkin:
        if (strDetail.empty()) {
            return Phrase(QT_TRANSLATE_NOOP("Skin", "not a skin file"));
        }
        return Phrase(QT_TRANSLATE_NOOP("Skin", "not a skin file (%1)"), {detail});
    case Error::Version:
        return Phrase(QT_TRANSLATE_NOOP("Skin", "%1 (version %2)"),
                      {Phrase(SKIN_VERSION_MESSAGE), Literal(std::to_string(nVersion))});
    case Error::Truncated:
        return Phrase(
            QT_TRANSLATE_NOOP("Skin",
                              "the file ends early at byte %1 (in %2, which starts at byte %3)"),
            {Literal(std::to_string(nEnd)), detail, offset});
    case Error::Damaged:
        return Phrase(QT_TRANSLATE_NOOP("Skin", "the file is damaged: %1 (at byte %2)"),
                      {detail, offset});
    case Error::BadImage:
        return Phrase(QT_TRANSLATE_NOOP("Skin", "%1: %2 (at byte %3)"), {part, detail, offset});
    case Error::MissingImage:
        return Phrase(QT_TRANSLATE_NOOP("Skin", "%1: no bitmap to store"), {part});
    }
    return detail;
}

void CSkin::ReadFields(CArchive& ar, CSkinFileStatus& status)
{
    const std::uint64_t nEnd = ar.GetPosition() + ar.GetSource().GetRemaining();
    // Names the field being read, for a file that ends inside it.
    const auto begin = [&](const char* pszField) {
        status.strDetail = pszField;
        status.nOffset = ar.GetPosition();
    };
    begin(QT_TRANSLATE_NOOP("Skin", "the title"));
    m_strTitle = ar.ReadString();
    begin(QT_TRANSLATE_NOOP("Skin", "the author"));
    m_strAuthor = ar.ReadString();
    begin(QT_TRANSLATE_NOOP("Skin", "the date"));
    m_strDate = ar.ReadString();
    begin(QT_TRANSLATE_NOOP("Skin", "the comment"));
    m_strComment = ar.ReadString();

    const std::array<CDib*, 3> images = {m_pMainImage.get(), m_pCloseImage.get(),
                                         m_pCloseHoverImage.get()};
    const std::array<int, 3> parts = {SKINPART_MAIN_IMAGE, SKINPART_CLOSE_IMAGE,
                                      SKINPART_CLOSE_HOVER_IMAGE};
    constexpr std::array<const char*, 3> kImageFields = {
        QT_TRANSLATE_NOOP("Skin", "the main image"),
        QT_TRANSLATE_NOOP("Skin", "the close button image"),
        QT_TRANSLATE_NOOP("Skin", "the close button mouse-over image")};
    for (std::size_t n = 0; n < images.size(); ++n) {
        begin(kImageFields[n]);
        const std::uint64_t nStart = ar.GetPosition();
        CChunkHeadSource chunk(ar.GetSource());
        const DWORD nSize = images[n]->Read(chunk);
        // Reading on after a chunk that is not a bitmap only turns pixels into fields.
        if (nSize == 0) {
            ThrowChunkFailure(chunk.GetHead(), nStart, nEnd, parts[n],
                              images[n]->GetReadErrorText(), status);
        }
        status.imageChunks[n] = {nStart, nSize};
    }

    begin(QT_TRANSLATE_NOOP("Skin", "the rectangles"));
    m_rcCloseButton = ar.ReadRect();
    m_rcTitle = ar.ReadRect();
    m_rcMessage = ar.ReadRect();

    begin(QT_TRANSLATE_NOOP("Skin", "the colours"));
    m_crMainTransparent = ar.ReadDWord();
    m_crCloseTransparent = ar.ReadDWord();
    m_crCloseHoverTransparent = ar.ReadDWord();
    m_crMessageBack = ar.ReadDWord();
    m_crTitleBack = ar.ReadDWord();
    m_crMessageText = ar.ReadDWord();
    m_crTitleText = ar.ReadDWord();

    begin(QT_TRANSLATE_NOOP("Skin", "the message font"));
    m_fontMessage.Serialize(ar);
    begin(QT_TRANSLATE_NOOP("Skin", "the title font"));
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
        status.strDetail = DescribeUnreadableFile(pszPath);
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
    const std::uint64_t nEnd = source.GetPosition() + source.GetRemaining();
    try {
        CArchive ar(source);
        if (nEnd == 0) {
            throw NotASkin{QT_TRANSLATE_NOOP("Skin", "it is empty")};
        }
        status.strDetail = QT_TRANSLATE_NOOP("Skin", "the version");
        status.nVersion = ar.ReadDWord();
        if (status.nVersion > SKIN_FILE_VERSION) {
            // A version no one wrote is news only when the rest is shaped like a skin.
            if (status.nVersion > kHighestPlausibleVersion && !ReadsAsSkin(ar)) {
                throw NotASkin{};
            }
            throw UnknownVersion{};
        }
        ReadFields(ar, status);
        status.nOffset = 0;
        status.strDetail.clear();
        return true;
    } catch (const UnknownVersion&) {
        status.error = CSkinFileStatus::Error::Version;
        status.strDetail.clear();
    } catch (const NotASkin& e) {
        status.error = CSkinFileStatus::Error::NotSkin;
        status.nOffset = 0;
        status.strDetail = e.strDetail;
    } catch (const CArchiveException& e) {
        if (status.error == CSkinFileStatus::Error::None) {
            if (e.IsEndOfData()) {
                status.error = CSkinFileStatus::Error::Truncated;
                status.nEnd = nEnd;
                return false;
            }
            status.error = CSkinFileStatus::Error::Damaged;
        }
        status.nOffset = e.GetOffset();
        status.strDetail = e.what();
    } catch (const std::bad_alloc&) {
        status.error = CSkinFileStatus::Error::Open;
        status.nOffset = source.GetPosition();
        status.strDetail = QT_TRANSLATE_NOOP("Skin", "not enough memory to read the file");
    }
    return false;
}

bool CSkin::ReadsAsSkin(CArchive& ar)
{
    CSkin probe;
    CSkinFileStatus probeStatus;
    probe.InstallEmptyImages();
    try {
        probe.ReadFields(ar, probeStatus);
        return true;
    } catch (const CArchiveException&) {
    } catch (const NotASkin&) {
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
        status.strDetail = QT_TRANSLATE_NOOP("Skin", "not enough memory");
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
    errno = 0;
    if (!Save(sink, &status)) {
        // A full disk says so only through errno.
        if (status.error == CSkinFileStatus::Error::Write && errno != 0) {
            status.strDetail += ": " + std::generic_category().message(errno);
        }
        return false;
    }
    if (!file.Commit(sync, status.strDetail)) {
        status.error = CSkinFileStatus::Error::Write;
        return false;
    }
    m_strPath = pszPath;
    return true;
}
