#include "commands.h"

#include "atomicfile.h"
#include "bytestream.h"
#include "codepage.h"
#include "interruptcleanup.h"
#include "jsonwriter.h"
#include "manifest.h"
#include "skin.h"
#include "skincheck.h"
#include "skinjson.h"
#include "stagingfolder.h"
#include "utf8path.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <ostream>
#include <span>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

constexpr char kToolName[] = "tavelo-skn";
constexpr char kManifestName[] = "skin.json";
constexpr int kLabelWidth = 20;

void ReportError(std::ostream& err, const std::string& strSubject, const std::string& strProblem)
{
    err << kToolName << ": " << strSubject << ": " << strProblem << '\n';
}

// ----- info ---------------------------------------------------------------------------------

// A skin string for the terminal: quoted, one line, control characters escaped.
std::string DisplayText(const std::string& bytes)
{
    std::string out;
    AppendJsonString(out, Cp1252ToUtf8(bytes));
    return out;
}

std::string Hex(std::uint32_t n, int nDigits)
{
    constexpr std::string_view kDigits = "0123456789abcdef";
    std::string out(static_cast<std::size_t>(nDigits), '0');
    for (auto it = out.rbegin(); it != out.rend(); ++it, n >>= 4) {
        *it = kDigits[n & 0x0F];
    }
    return out;
}

std::string DescribeColour(COLORREF cr)
{
    const std::uint32_t nRgb =
        (std::uint32_t{GetRValue(cr)} << 16) | (std::uint32_t{GetGValue(cr)} << 8) | GetBValue(cr);
    return '#' + Hex(nRgb, 6) + " (0x" + Hex(cr, 8) + ')';
}

std::string DescribeRect(const RECT& rc)
{
    return "left " + std::to_string(rc.left) + ", top " + std::to_string(rc.top) + ", right " +
           std::to_string(rc.right) + ", bottom " + std::to_string(rc.bottom);
}

std::string DescribeImage(const CDib* pImage, const CSkinFileStatus::ByteRange& chunk)
{
    if (pImage == nullptr || !pImage->HasBitmap()) {
        return "none";
    }
    return std::to_string(pImage->GetWidth()) + " x " + std::to_string(pImage->GetHeight()) + ", " +
           std::to_string(pImage->GetBitCount()) + " bits per pixel, compression " +
           std::to_string(pImage->GetCompression()) + ", " +
           std::to_string(pImage->GetColorCount()) + " colours, chunk of " +
           std::to_string(chunk.nSize) + " bytes at byte " + std::to_string(chunk.nOffset);
}

std::string DescribeFont(const LOGFONT& lf)
{
    return DisplayText(GetFaceName(lf)) + ", height " + std::to_string(lf.lfHeight) + ", width " +
           std::to_string(lf.lfWidth) + ", weight " + std::to_string(lf.lfWeight) + ", italic " +
           std::to_string(lf.lfItalic) + ", underline " + std::to_string(lf.lfUnderline) +
           ", strike-out " + std::to_string(lf.lfStrikeOut) + ", charset " +
           std::to_string(lf.lfCharSet) + ", escapement " + std::to_string(lf.lfEscapement) +
           ", orientation " + std::to_string(lf.lfOrientation) + ", out precision " +
           std::to_string(lf.lfOutPrecision) + ", clip precision " +
           std::to_string(lf.lfClipPrecision) + ", quality " + std::to_string(lf.lfQuality) +
           ", pitch and family " + std::to_string(lf.lfPitchAndFamily);
}

void WriteLine(std::ostream& out, std::string_view label, const std::string& value)
{
    out << std::left << std::setw(kLabelWidth) << (std::string(label) + ':') << value << '\n';
}

void WriteSummary(std::ostream& out, const std::string& strFile, const CSkin& skin,
                  const CSkinFileStatus& status)
{
    WriteLine(out, "File", strFile);
    WriteLine(out, "Version", std::to_string(status.nVersion));
    WriteLine(out, "Title", DisplayText(skin.m_strTitle));
    WriteLine(out, "Author", DisplayText(skin.m_strAuthor));
    WriteLine(out, "Date", DisplayText(skin.m_strDate));
    WriteLine(out, "Comment", DisplayText(skin.m_strComment));

    constexpr std::array<std::string_view, 3> kImageLabels = {"Main image", "Close image",
                                                              "Close hover image"};
    const std::array<const CDib*, 3> images = GetSkinImages(skin);
    for (std::size_t n = 0; n < images.size(); ++n) {
        WriteLine(out, kImageLabels[n], DescribeImage(images[n], status.imageChunks[n]));
    }

    WriteLine(out, "Close button rect", DescribeRect(skin.m_rcCloseButton));
    WriteLine(out, "Title rect", DescribeRect(skin.m_rcTitle));
    WriteLine(out, "Message rect", DescribeRect(skin.m_rcMessage));

    WriteLine(out, "Main transparent", DescribeColour(skin.m_crMainTransparent));
    WriteLine(out, "Close transparent", DescribeColour(skin.m_crCloseTransparent));
    WriteLine(out, "Hover transparent", DescribeColour(skin.m_crCloseHoverTransparent));
    WriteLine(out, "Message back", DescribeColour(skin.m_crMessageBack));
    WriteLine(out, "Title back", DescribeColour(skin.m_crTitleBack));
    WriteLine(out, "Message text", DescribeColour(skin.m_crMessageText));
    WriteLine(out, "Title text", DescribeColour(skin.m_crTitleText));

    WriteLine(out, "Message font", DescribeFont(GetStoredMessageFont(skin)));
    WriteLine(out, "Title font", DescribeFont(GetStoredTitleFont(skin)));

    WriteLine(out, "Missing part", CSkin::GetPartName(skin.GetMissingPart()));
}

// ----- check ---------------------------------------------------------------------------------

// The issues of the skin FILE; an unreadable file is one error with the reason.
std::vector<SkinIssue> CheckFile(const std::string& strFile)
{
    CSkin skin;
    CSkinFileStatus status;
    if (!skin.Load(std::filesystem::path(strFile), &status)) {
        return {{IssueSeverity::Error,
                 kUnreadableRule,
                 COMPONENT_NONE,
                 {},
                 status.Describe(),
                 status.Text()}};
    }
    return CheckSkin(skin);
}

void WriteIssueLines(std::ostream& out, const std::string& strFile,
                     const std::vector<SkinIssue>& issues)
{
    if (issues.empty()) {
        out << strFile << ": ok\n";
    }
    for (const SkinIssue& issue : issues) {
        out << strFile << ": " << SeverityName(issue.severity) << ": "
            << (issue.strComponent.empty() ? "" : issue.strComponent + ": ") << issue.strMessage
            << '\n';
    }
}

// ----- extract -------------------------------------------------------------------------------

// Reads the file once and the skin from those bytes, so the chunk offsets describe the very bytes
// that are sliced.
bool LoadSkinBytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes, CSkin& skin,
                   CSkinFileStatus& status)
{
    if (!ReadWholeFile(path, bytes)) {
        status = CSkinFileStatus{};
        status.error = CSkinFileStatus::Error::Open;
        status.strDetail = DescribeUnreadableFile(path);
        return false;
    }
    CMemorySource source(bytes);
    return skin.Load(source, &status);
}

// Ctrl-C while the file is written leaves neither it nor its temporary file behind.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         std::string& strError)
{
    CInterruptCleanup cleanup;
    CAtomicFile file;
    const bool bOpened = cleanup.WhileHeld([&] {
        if (!file.Open(path, strError)) {
            return false;
        }
        cleanup.Add(file.GetTemporaryPath());
        return true;
    });
    if (!bOpened) {
        return false;
    }
    if (!bytes.empty() &&
        std::fwrite(bytes.data(), 1, bytes.size(), file.GetFile()) != bytes.size()) {
        strError = "cannot write the file: " + std::generic_category().message(errno);
        return false;
    }
    return cleanup.WhileHeld([&] {
        const bool bCommitted = file.Commit(FileSync::Flush, strError);
        cleanup.Clear();
        return bCommitted;
    });
}

std::span<const std::uint8_t> ChunkBytes(const std::vector<std::uint8_t>& bytes,
                                         const CSkinFileStatus::ByteRange& chunk)
{
    if (chunk.nOffset > bytes.size() || chunk.nSize > bytes.size() - chunk.nOffset) {
        return {};
    }
    return std::span<const std::uint8_t>(bytes).subspan(static_cast<std::size_t>(chunk.nOffset),
                                                        static_cast<std::size_t>(chunk.nSize));
}

struct ExtractedFile
{
    std::string strName;
    std::span<const std::uint8_t> bytes;
};

// Writes every file into a staging folder and moves them into dir together, so a failure
// leaves dir as it was.
bool WriteExtractedFiles(const std::vector<ExtractedFile>& files, const std::filesystem::path& dir,
                         std::ostream& err)
{
    CInterruptCleanup cleanup;
    CStagingFolder staging;
    std::string strError;
    bool bDone = cleanup.WhileHeld([&] {
        if (!staging.Open(dir, strError)) {
            return false;
        }
        cleanup.Add(staging.GetPath());
        return true;
    });
    for (std::size_t n = 0; bDone && n < files.size(); ++n) {
        cleanup.Add(staging.GetPath() / files[n].strName);
        bDone = staging.AddFile(files[n].strName, files[n].bytes, strError);
    }
    bDone = bDone && cleanup.WhileHeld([&] {
        const bool bCommitted = staging.Commit(strError);
        cleanup.Clear();
        return bCommitted;
    });
    if (!bDone) {
        ReportError(err, PathToUtf8(staging.GetFailedPath()), strError);
    }
    return bDone;
}

} // namespace

int RunInfo(const std::string& strFile, bool bJson, std::ostream& out, std::ostream& err)
{
    CSkin skin;
    CSkinFileStatus status;
    if (!skin.Load(std::filesystem::path(strFile), &status)) {
        ReportError(err, strFile, status.Describe());
        return kExitFailure;
    }
    if (bJson) {
        out << ToJsonLine(SkinInfoToJson(skin, status.nVersion)) << '\n';
    } else {
        WriteSummary(out, strFile, skin, status);
    }
    return kExitOk;
}

int RunCheck(const std::vector<std::string>& files, bool bJson, bool bStrict, std::ostream& out)
{
    bool bError = false;
    bool bWarning = false;
    for (const std::string& strFile : files) {
        const std::vector<SkinIssue> issues = CheckFile(strFile);
        if (bJson) {
            out << ToJsonLine(CheckResultToJson(strFile, issues)) << '\n';
        } else {
            WriteIssueLines(out, strFile, issues);
        }
        bError = bError || HasError(issues);
        bWarning = bWarning || !issues.empty();
    }
    if (bError) {
        return kExitFailure;
    }
    return bStrict && bWarning ? kExitWarnings : kExitOk;
}

int RunExtract(const std::string& strFile, const std::string& strDir, std::ostream& err)
{
    std::vector<std::uint8_t> bytes;
    CSkin skin;
    CSkinFileStatus status;
    if (!LoadSkinBytes(std::filesystem::path(strFile), bytes, skin, status)) {
        ReportError(err, strFile, status.Describe());
        return kExitFailure;
    }

    std::vector<ExtractedFile> files;
    nlohmann::ordered_json images = nlohmann::ordered_json::object();
    for (std::size_t n = 0; n < kImageFileNames.size(); ++n) {
        const std::span<const std::uint8_t> chunk = ChunkBytes(bytes, status.imageChunks[n]);
        if (chunk.empty()) {
            ReportError(err, strFile,
                        CSkin::GetPartName(SKINPART_MAIN_IMAGE + static_cast<int>(n)) +
                            ": the chunk lies outside the file");
            return kExitFailure;
        }
        files.push_back({std::string(kImageFileNames[n]), chunk});
        images[std::string(kImageKeys[n])] = std::string(kImageFileNames[n]);
    }
    const std::string strJson =
        ToJsonLine(SkinToJson(skin, status.nVersion, std::move(images))) + '\n';
    const auto* const pJson = reinterpret_cast<const std::uint8_t*>(strJson.data());
    files.push_back({kManifestName, std::span(pJson, strJson.size())});
    return WriteExtractedFiles(files, std::filesystem::path(strDir), err) ? kExitOk : kExitFailure;
}

int RunPack(const std::string& strManifest, const std::string& strOut, std::ostream& err)
{
    const std::filesystem::path manifest(strManifest);
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(manifest, bytes)) {
        ReportError(err, strManifest, DescribeUnreadableFile(manifest));
        return kExitFailure;
    }

    CSkin skin;
    std::vector<ConvertedImage> converted;
    try {
        const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        const ManifestImagePaths paths = ApplyManifest(text, skin);
        converted = LoadManifestImages(paths, manifest.parent_path(), skin);
    } catch (const CManifestError& e) {
        ReportError(err, "manifest", e.what());
        return kExitFailure;
    }

    CMemorySink sink;
    CSkinFileStatus status;
    if (!skin.Save(sink, &status)) {
        ReportError(err, strOut, status.Describe());
        return kExitFailure;
    }
    std::string strError;
    if (!WriteFileAtomically(std::filesystem::path(strOut), sink.GetBytes(), strError)) {
        ReportError(err, strOut, strError);
        return kExitFailure;
    }
    for (const ConvertedImage& image : converted) {
        ReportError(err, image.strKey,
                    "converted the " + image.strFormat + " image " + PathToUtf8(image.path) +
                        " to a 24-bit bitmap");
    }
    return kExitOk;
}
