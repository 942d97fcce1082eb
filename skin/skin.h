#pragma once

#include "atomicfile.h"
#include "dib.h"
#include "fontex.h"
#include "skintext.h"
#include "wintypes.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

class CArchive;
class CByteSink;
class CByteSource;

enum SkinPart
{
    SKINPART_NONE = 0,
    SKINPART_TITLE = 1,
    SKINPART_MESSAGE = 2,
    SKINPART_MAIN_IMAGE = 3,
    SKINPART_CLOSE_IMAGE = 4,
    SKINPART_CLOSE_HOVER_IMAGE = 5,
};

// The highest file version this reader understands; the writer always writes it.
inline constexpr std::uint32_t SKIN_FILE_VERSION = 1;
// What the user is told about a file of a higher version.
inline constexpr char SKIN_VERSION_MESSAGE[] =
    QT_TRANSLATE_NOOP("Skin", "This skin is a version this skin reader does not recognize.");

// How a skin file operation ended, for callers that report more than success or failure.
struct CSkinFileStatus
{
    enum class Error
    {
        None,
        Open,         // the file could not be opened, read, created or replaced; strDetail says why
        NotSkin,      // nothing in the file reads as a skin
        Version,      // a version above SKIN_FILE_VERSION
        Truncated,    // the data ends inside the field strDetail names, which starts at nOffset
        Damaged,      // a field that cannot be right, such as a malformed string length
        BadImage,     // a bitmap chunk that is not a bitmap this program can hold
        MissingImage, // Save: an image slot without a bitmap
        Write,        // Save: writing, flushing or replacing the file failed
    };

    struct ByteRange
    {
        std::uint64_t nOffset = 0;
        std::uint64_t nSize = 0;
    };

    Error error = Error::None;
    std::uint64_t nOffset = 0;  // where reading failed
    std::uint64_t nEnd = 0;     // Truncated: the length of the data read
    std::uint32_t nVersion = 0; // the version field of the file read
    int nPart = SKINPART_NONE;  // the image concerned by BadImage and MissingImage
    std::string strDetail;
    // strDetail as pattern and values, where it was made from them.
    SkinText detailText;
    // Where the main, close and mouse-over close chunks stand in the file read.
    std::array<ByteRange, 3> imageChunks{};

    // One line for the user: what went wrong and, for read errors, at which byte. It does not
    // name the file; the caller puts the name in front ("skin.skn: not a skin file").
    std::string Describe() const;
    // Describe's line as pattern and values; strDetail goes in as a phrase, which a user
    // interface translates where it is one of the fixed texts marked in this layer.
    SkinText Text() const;
};

// Why path cannot be opened for reading, in the words of CSkinFileStatus::Describe.
std::string DescribeUnreadableFile(const std::filesystem::path& path);

// The skin in memory: three bitmaps, three rectangles on the main image, seven colours, two fonts
// and the information strings. Rectangles, colours and strings are public and changed in place;
// the images and fonts go through the operations below. Strings hold Windows-1252 bytes, as the
// file does.
class CSkin
{
public:
    static constexpr COLORREF kDefaultText = RGB(0, 0, 0);
    static constexpr COLORREF kDefaultBack = RGB(255, 255, 255);

    CSkin();
    virtual ~CSkin() = default;

    CSkin(const CSkin&) = delete;
    CSkin& operator=(const CSkin&) = delete;
    // Moving hands over the images: a skin read into a fresh object can replace another whole.
    CSkin(CSkin&&) noexcept = default;
    CSkin& operator=(CSkin&&) noexcept = default;

    // No images, empty rectangles and strings, the default GUI font, and colours that read:
    // black text on white, black as the transparent colour.
    void Reset();
    void DeleteImages();

    // Each replaces the image of its slot (null empties it).
    void SetMainImage(std::unique_ptr<CDib> pImage);
    void SetCloseImage(std::unique_ptr<CDib> pImage);
    void SetCloseHoverImage(std::unique_ptr<CDib> pImage);
    // Exchanges the image of slot nPart (SKINPART_MAIN_IMAGE, _CLOSE_IMAGE or
    // _CLOSE_HOVER_IMAGE) with pImage, so an undo step can keep the other one without a copy.
    void SwapImage(int nPart, std::unique_ptr<CDib>& pImage);

    // Each installs the bitmap file at pszPath only when it reads; otherwise the slot is unchanged.
    void LoadMainImage(const std::filesystem::path& pszPath);
    void LoadCloseImage(const std::filesystem::path& pszPath);
    void LoadCloseHoverImage(const std::filesystem::path& pszPath);
    // A new image read from the bitmap file; false and pImage null when it cannot be read, with
    // the reason in *pError when given.
    static bool ReadImageFile(std::unique_ptr<CDib>& pImage, const std::filesystem::path& pszPath,
                              std::string* pError = nullptr);

    // The first image slot that holds no object. A slot holding an object without a bitmap
    // counts as present here; Save refuses it.
    int GetMissingPart() const;
    static std::string GetPartName(int nPart);

    void GetMessageFont(LOGFONT* pLogFont) const;
    void GetTitleFont(LOGFONT* pLogFont) const;
    void SetMessageFont(const LOGFONT* pLogFont);
    void SetTitleFont(const LOGFONT* pLogFont);

    std::string GetTitle() const { return m_strTitle; }
    std::string GetAuthor() const { return m_strAuthor; }
    std::string GetDate() const { return m_strDate; }
    std::string GetComment() const { return m_strComment; }
    std::filesystem::path GetPath() const { return m_strPath; }

    // Replaces the contents with the skin file's. Fields read before a failure keep their new
    // values; the image slots always end up holding objects. The status says what went wrong;
    // telling the user is the caller's part.
    bool Load(const std::filesystem::path& pszPath, CSkinFileStatus* pStatus = nullptr);
    bool Load(CByteSource& source, CSkinFileStatus* pStatus = nullptr);

    // Writes the skin to a temporary file beside pszPath and renames it over pszPath only once
    // every byte is written (and flushed, with FileSync::Flush); a failed save leaves the old file
    // as it was. Refuses, writing nothing, when an image slot holds no bitmap.
    bool Save(const std::filesystem::path& pszPath, CSkinFileStatus* pStatus = nullptr,
              FileSync sync = FileSync::Flush);
    bool Save(CByteSink& sink, CSkinFileStatus* pStatus = nullptr) const;

    const CDib* GetMainImage() const { return m_pMainImage.get(); }
    const CDib* GetCloseImage() const { return m_pCloseImage.get(); }
    const CDib* GetCloseHoverImage() const { return m_pCloseHoverImage.get(); }
    // The image of slot nPart; null for a slot without an image or a part that is not one.
    const CDib* GetImage(int nPart) const;
    const CFontEx& GetMessageFontObject() const { return m_fontMessage; }
    const CFontEx& GetTitleFontObject() const { return m_fontTitle; }

    RECT m_rcCloseButton;
    RECT m_rcTitle;
    RECT m_rcMessage;

    COLORREF m_crMainTransparent = 0;
    COLORREF m_crCloseTransparent = 0;
    COLORREF m_crCloseHoverTransparent = 0;
    COLORREF m_crMessageBack = kDefaultBack;
    COLORREF m_crTitleBack = kDefaultBack;
    COLORREF m_crMessageText = kDefaultText;
    COLORREF m_crTitleText = kDefaultText;

    std::string m_strTitle;
    std::string m_strAuthor;
    std::string m_strComment;
    std::string m_strDate;
    std::filesystem::path m_strPath;

private:
    // Fresh objects without bitmaps in all three slots: a failed load never leaves one null.
    void InstallEmptyImages();
    bool LoadFrom(CByteSource& source, CSkinFileStatus& status);
    // Every field after the version; throws where one does not read.
    void ReadFields(CArchive& ar, CSkinFileStatus& status);
    // Whether the rest of ar reads as the fields of a skin; for telling other files apart.
    static bool ReadsAsSkin(CArchive& ar);
    void WriteFields(CArchive& ar) const;
    // The first slot without an object or without a bitmap, or SKINPART_NONE.
    int GetUnwritablePart() const;
    // Resets status; true, with the part named in it, when a slot cannot be written.
    bool RefuseUnwritable(CSkinFileStatus& status) const;

    std::unique_ptr<CDib> m_pMainImage;
    std::unique_ptr<CDib> m_pCloseImage;
    std::unique_ptr<CDib> m_pCloseHoverImage;

    CFontEx m_fontMessage;
    CFontEx m_fontTitle;
};
