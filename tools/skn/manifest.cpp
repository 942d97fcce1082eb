#include "manifest.h"

#include "codepage.h"
#include "skinimagefile.h"
#include "skinjson.h"
#include "strictjsonparser.h"
#include "utf8path.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

using Json = nlohmann::json;

constexpr std::int64_t kLongMin = std::numeric_limits<LONG>::min();
constexpr std::int64_t kLongMax = std::numeric_limits<LONG>::max();
constexpr std::int64_t kByteMax = std::numeric_limits<BYTE>::max();
constexpr std::int64_t kColourMax = std::numeric_limits<COLORREF>::max();
// A manifest nests three levels ("fonts", "title", its fields); the ignored keys may nest more.
constexpr std::size_t kMaxDepth = 16;
// Characters shown in an error are cut after this many.
constexpr std::size_t kMaxListedCharacters = 8;

[[noreturn]] void Fail(const std::string& key, const std::string& problem)
{
    throw CManifestError('"' + key + "\" " + problem);
}

std::string Join(const std::string& parent, std::string_view key)
{
    return parent.empty() ? std::string(key) : parent + '.' + std::string(key);
}

const Json* FindMember(const Json& object, std::string_view key)
{
    const auto it = object.find(std::string(key));
    return it == object.end() ? nullptr : &*it;
}

void RequireObject(const Json& value, const std::string& key)
{
    if (!value.is_object()) {
        Fail(key, "must be an object");
    }
}

// A misspelt key would otherwise leave its field at the default without a word.
void RequireKnownKeys(const Json& object, const std::string& path,
                      const std::vector<std::string_view>& known)
{
    for (const auto& item : object.items()) {
        if (std::find(known.begin(), known.end(), item.key()) == known.end()) {
            Fail(Join(path, item.key()), "is not a known key");
        }
    }
}

std::optional<std::int64_t> AsInteger(const Json& value, std::int64_t nMin, std::int64_t nMax)
{
    if (value.is_number_unsigned()) {
        const auto n = value.get<std::uint64_t>();
        if (n <= static_cast<std::uint64_t>(nMax)) {
            return static_cast<std::int64_t>(n);
        }
    } else if (value.is_number_integer()) {
        const auto n = value.get<std::int64_t>();
        if (n >= nMin && n <= nMax) {
            return n;
        }
    }
    return std::nullopt;
}

std::int64_t ReadInteger(const Json& value, const std::string& key, std::int64_t nMin,
                         std::int64_t nMax)
{
    const std::optional<std::int64_t> n = AsInteger(value, nMin, nMax);
    if (!n) {
        Fail(key,
             "must be an integer from " + std::to_string(nMin) + " to " + std::to_string(nMax));
    }
    return *n;
}

void AppendUtf8(std::string& out, char32_t ch)
{
    if (ch < 0x80) {
        out.push_back(static_cast<char>(ch));
    } else if (ch < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else if (ch < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (ch >> 18)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    }
}

// Each character in quotes with its code point, e.g. "Ж" (U+0416); controls by the code point only.
std::string ListCharacters(std::u32string_view characters)
{
    std::string out;
    for (std::size_t n = 0; n < characters.size() && n < kMaxListedCharacters; ++n) {
        const char32_t ch = characters[n];
        char szCode[16];
        std::snprintf(szCode, sizeof szCode, "U+%04X", static_cast<unsigned>(ch));
        out += n == 0 ? "" : ", ";
        if (ch >= 0xA0) {
            out += '"';
            AppendUtf8(out, ch);
            out += "\" (" + std::string(szCode) + ')';
        } else {
            out += szCode;
        }
    }
    if (characters.size() > kMaxListedCharacters) {
        out += " and " + std::to_string(characters.size() - kMaxListedCharacters) + " more";
    }
    return out;
}

// UTF-8 text in the code page of the file; a character the code page lacks is refused rather than
// stored as '?'.
std::string ReadText(const Json& value, const std::string& key)
{
    if (!value.is_string()) {
        Fail(key, "must be a string");
    }
    const std::string& text = value.get_ref<const std::string&>();
    const std::u32string unencodable = FindUnencodableUtf8(text);
    if (!unencodable.empty()) {
        Fail(key, "holds characters Windows-1252 cannot store: " + ListCharacters(unencodable));
    }
    return Utf8ToCp1252(text);
}

// A name ends at a NUL, so one inside would silently shorten it to something else.
void RefuseNul(std::string_view text, const std::string& key)
{
    if (text.find('\0') != std::string_view::npos) {
        Fail(key, "must not contain a NUL character");
    }
}

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9') {
        return ch - '0';
    }
    if (ch >= 'a' && ch <= 'f') {
        return ch - 'a' + 10;
    }
    if (ch >= 'A' && ch <= 'F') {
        return ch - 'A' + 10;
    }
    return -1;
}

std::optional<COLORREF> ParseHexColour(std::string_view text)
{
    if (text.size() != 7 || text[0] != '#') {
        return std::nullopt;
    }
    std::uint32_t nRgb = 0;
    for (const char ch : text.substr(1)) {
        const int nDigit = HexDigit(ch);
        if (nDigit < 0) {
            return std::nullopt;
        }
        nRgb = (nRgb << 4) | static_cast<std::uint32_t>(nDigit);
    }
    return RGB(static_cast<BYTE>(nRgb >> 16), static_cast<BYTE>(nRgb >> 8),
               static_cast<BYTE>(nRgb));
}

COLORREF ReadColour(const Json& value, const std::string& key)
{
    if (value.is_string()) {
        if (const auto cr = ParseHexColour(value.get_ref<const std::string&>())) {
            return *cr;
        }
    } else if (const auto n = AsInteger(value, 0, kColourMax)) {
        return static_cast<COLORREF>(*n);
    }
    Fail(key,
         "must be an integer from 0 to " + std::to_string(kColourMax) + " or a \"#rrggbb\" string");
}

RECT ReadRect(const Json& value, const std::string& key)
{
    if (!value.is_array() || value.size() != 4 ||
        !std::all_of(value.begin(), value.end(),
                     [](const Json& element) { return element.is_number_integer(); })) {
        Fail(key, "must be an array of 4 integers");
    }
    std::array<LONG, 4> fields{};
    for (std::size_t n = 0; n < fields.size(); ++n) {
        fields[n] = static_cast<LONG>(
            ReadInteger(value[n], key + '[' + std::to_string(n) + ']', kLongMin, kLongMax));
    }
    return RECT{fields[0], fields[1], fields[2], fields[3]};
}

template <typename Value, typename Target>
using FieldTable = std::initializer_list<std::pair<std::string_view, Value Target::*>>;

template <typename Value, typename Target>
std::vector<std::string_view> KeysOf(FieldTable<Value, Target> fields)
{
    std::vector<std::string_view> keys;
    for (const auto& field : fields) {
        keys.push_back(field.first);
    }
    return keys;
}

// Reads each field of the table that object holds, with read(value, key path), into target.
template <typename Value, typename Target, typename Reader>
void ReadFields(const Json& object, const std::string& path, FieldTable<Value, Target> fields,
                Target& target, Reader read)
{
    for (const auto& [key, member] : fields) {
        if (const Json* pValue = FindMember(object, key)) {
            target.*member = read(*pValue, Join(path, key));
        }
    }
}

// The object under key, or null when root has none.
const Json* FindSection(const Json& root, const std::string& key)
{
    const Json* const pSection = FindMember(root, key);
    if (pSection != nullptr) {
        RequireObject(*pSection, key);
    }
    return pSection;
}

void ReadStrings(const Json& root, CSkin& skin)
{
    const FieldTable<std::string, CSkin> fields = {
        {"title", &CSkin::m_strTitle},
        {"author", &CSkin::m_strAuthor},
        {"date", &CSkin::m_strDate},
        {"comment", &CSkin::m_strComment},
    };
    ReadFields(root, "", fields, skin, ReadText);
}

void ReadRects(const Json& root, CSkin& skin)
{
    const FieldTable<RECT, CSkin> fields = {
        {"closeButton", &CSkin::m_rcCloseButton},
        {"title", &CSkin::m_rcTitle},
        {"message", &CSkin::m_rcMessage},
    };
    if (const Json* pRects = FindSection(root, "rects")) {
        RequireKnownKeys(*pRects, "rects", KeysOf(fields));
        ReadFields(*pRects, "rects", fields, skin, ReadRect);
    }
}

void ReadColours(const Json& root, CSkin& skin)
{
    const FieldTable<COLORREF, CSkin> fields = {
        {"mainTransparent", &CSkin::m_crMainTransparent},
        {"closeTransparent", &CSkin::m_crCloseTransparent},
        {"closeHoverTransparent", &CSkin::m_crCloseHoverTransparent},
        {"messageBack", &CSkin::m_crMessageBack},
        {"titleBack", &CSkin::m_crTitleBack},
        {"messageText", &CSkin::m_crMessageText},
        {"titleText", &CSkin::m_crTitleText},
    };
    if (const Json* pColours = FindSection(root, "colours")) {
        RequireKnownKeys(*pColours, "colours", KeysOf(fields));
        ReadFields(*pColours, "colours", fields, skin, ReadColour);
    }
}

LONG ReadLong(const Json& value, const std::string& key)
{
    return static_cast<LONG>(ReadInteger(value, key, kLongMin, kLongMax));
}

BYTE ReadByte(const Json& value, const std::string& key)
{
    return static_cast<BYTE>(ReadInteger(value, key, 0, kByteMax));
}

// Fields left out keep the values of base.
LOGFONT ReadFont(const Json& value, const std::string& key, LOGFONT base)
{
    const FieldTable<LONG, LOGFONT> longFields = {
        {"height", &LOGFONT::lfHeight},         {"width", &LOGFONT::lfWidth},
        {"escapement", &LOGFONT::lfEscapement}, {"orientation", &LOGFONT::lfOrientation},
        {"weight", &LOGFONT::lfWeight},
    };
    const FieldTable<BYTE, LOGFONT> byteFields = {
        {"italic", &LOGFONT::lfItalic},
        {"underline", &LOGFONT::lfUnderline},
        {"strikeOut", &LOGFONT::lfStrikeOut},
        {"charSet", &LOGFONT::lfCharSet},
        {"outPrecision", &LOGFONT::lfOutPrecision},
        {"clipPrecision", &LOGFONT::lfClipPrecision},
        {"quality", &LOGFONT::lfQuality},
        {"pitchAndFamily", &LOGFONT::lfPitchAndFamily},
    };
    RequireObject(value, key);
    std::vector<std::string_view> known = KeysOf(longFields);
    const std::vector<std::string_view> byteKeys = KeysOf(byteFields);
    known.insert(known.end(), byteKeys.begin(), byteKeys.end());
    known.push_back("faceName");
    RequireKnownKeys(value, key, known);

    if (const Json* pFace = FindMember(value, "faceName")) {
        const std::string strKey = Join(key, "faceName");
        const std::string strFace = ReadText(*pFace, strKey);
        RefuseNul(strFace, strKey);
        if (strFace.size() >= LF_FACESIZE) {
            Fail(strKey, "is longer than the " + std::to_string(LF_FACESIZE - 1) +
                             " characters a face name holds");
        }
        SetFaceName(base, strFace);
    }
    ReadFields(value, key, longFields, base, ReadLong);
    ReadFields(value, key, byteFields, base, ReadByte);
    return base;
}

void ReadFonts(const Json& root, CSkin& skin)
{
    const Json* const pFonts = FindSection(root, "fonts");
    if (pFonts == nullptr) {
        return;
    }
    RequireKnownKeys(*pFonts, "fonts", {"message", "title"});
    if (const Json* pValue = FindMember(*pFonts, "message")) {
        const LOGFONT logFont = ReadFont(*pValue, "fonts.message", GetStoredMessageFont(skin));
        skin.SetMessageFont(&logFont);
    }
    if (const Json* pValue = FindMember(*pFonts, "title")) {
        const LOGFONT logFont = ReadFont(*pValue, "fonts.title", GetStoredTitleFont(skin));
        skin.SetTitleFont(&logFont);
    }
}

ManifestImagePaths ReadImagePaths(const Json& root)
{
    const Json* const pImages = FindMember(root, "images");
    if (pImages == nullptr) {
        Fail("images", "is required");
    }
    RequireObject(*pImages, "images");
    RequireKnownKeys(*pImages, "images", {kImageKeys[0], kImageKeys[1], kImageKeys[2]});
    ManifestImagePaths paths;
    for (std::size_t n = 0; n < kImageKeys.size(); ++n) {
        const std::string key = Join("images", kImageKeys[n]);
        const Json* const pValue = FindMember(*pImages, kImageKeys[n]);
        if (pValue == nullptr) {
            Fail(key, "is required");
        }
        if (!pValue->is_string() || pValue->get_ref<const std::string&>().empty()) {
            Fail(key, "must be the name of a bitmap file");
        }
        RefuseNul(pValue->get_ref<const std::string&>(), key);
        paths[n] = PathFromUtf8(pValue->get_ref<const std::string&>());
    }
    return paths;
}

} // namespace

ManifestImagePaths ApplyManifest(std::string_view text, CSkin& skin)
{
    const Json root = CStrictJsonParser::Parse(text, kMaxDepth);
    if (!root.is_object()) {
        throw CManifestError("must be a JSON object");
    }
    // "version" and "missingPart" are what extract reports about the file, not settings.
    RequireKnownKeys(root, "",
                     {"version", "title", "author", "date", "comment", "images", "rects", "colours",
                      "fonts", "missingPart"});
    skin.Reset();
    ManifestImagePaths paths = ReadImagePaths(root);
    ReadStrings(root, skin);
    ReadRects(root, skin);
    ReadColours(root, skin);
    ReadFonts(root, skin);
    return paths;
}

std::vector<ConvertedImage> LoadManifestImages(const ManifestImagePaths& paths,
                                               const std::filesystem::path& baseDir, CSkin& skin)
{
    using Setter = void (CSkin::*)(std::unique_ptr<CDib>);
    constexpr std::array<Setter, 3> kSetters = {&CSkin::SetMainImage, &CSkin::SetCloseImage,
                                                &CSkin::SetCloseHoverImage};
    const std::array<COLORREF, 3> keys = {skin.m_crMainTransparent, skin.m_crCloseTransparent,
                                          skin.m_crCloseHoverTransparent};
    std::vector<ConvertedImage> converted;
    for (std::size_t n = 0; n < paths.size(); ++n) {
        // An absolute name replaces baseDir.
        const std::filesystem::path path = baseDir / paths[n];
        const std::string strKey = Join("images", kImageKeys[n]);
        SkinImageFile file = ReadSkinImageFile(path, keys[n]);
        if (!file.pImage) {
            std::error_code error;
            const bool bExists = std::filesystem::is_regular_file(path, error);
            Fail(strKey, bExists ? "names " + PathToUtf8(path) + ": " + file.strError
                                 : "names no readable file: " + PathToUtf8(path));
        }
        if (!file.strConvertedFrom.empty()) {
            converted.push_back({strKey, path, file.strConvertedFrom});
        }
        (skin.*kSetters[n])(std::move(file.pImage));
    }
    return converted;
}
