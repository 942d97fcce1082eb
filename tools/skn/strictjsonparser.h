#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Parses JSON text like nlohmann::json::parse, but refuses what a manifest never holds before it
// costs memory: a key twice in one object, and nesting deeper than a limit. The value built is
// proportional to the text. Failures throw CManifestError.
class CStrictJsonParser
{
public:
    using Json = nlohmann::json;

    static Json Parse(std::string_view text, std::size_t nMaxDepth);

    // The events of nlohmann::json::sax_parse; false stops the parse.
    bool null();
    bool boolean(bool bValue);
    bool number_integer(Json::number_integer_t nValue);
    bool number_unsigned(Json::number_unsigned_t nValue);
    bool number_float(Json::number_float_t value, const Json::string_t& text);
    bool string(Json::string_t& value);
    bool binary(Json::binary_t& value);
    bool start_object(std::size_t nElements);
    bool key(Json::string_t& value);
    bool end_object();
    bool start_array(std::size_t nElements);
    bool end_array();
    bool parse_error(std::size_t nPosition, const std::string& strLastToken,
                     const Json::exception& e);

private:
    explicit CStrictJsonParser(std::size_t nMaxDepth) : m_nMaxDepth(nMaxDepth) {}

    // Where the next value goes, e.g. "fonts.title" or "rects.title[2]".
    std::string GetNextPath() const;
    // Places value in the open container, or as the root; returns where it now stands.
    Json& Place(Json value);
    bool AddValue(Json value);
    bool Open(Json container);
    bool Close();

    std::size_t m_nMaxDepth;
    Json m_root;
    // The containers being filled, outermost first, with their paths.
    std::vector<Json*> m_open;
    std::vector<std::string> m_openPaths;
    std::string m_strKey; // of the next member of the innermost open object
    std::string m_strError;
};
