#include "strictjsonparser.h"

#include "manifest.h"

#include <utility>

CStrictJsonParser::Json CStrictJsonParser::Parse(std::string_view text, std::size_t nMaxDepth)
{
    CStrictJsonParser parser(nMaxDepth);
    if (!Json::sax_parse(text.begin(), text.end(), &parser)) {
        throw CManifestError(parser.m_strError);
    }
    return std::move(parser.m_root);
}

std::string CStrictJsonParser::GetNextPath() const
{
    if (m_open.empty()) {
        return {};
    }
    const std::string& parent = m_openPaths.back();
    if (m_open.back()->is_array()) {
        return parent + '[' + std::to_string(m_open.back()->size()) + ']';
    }
    return parent.empty() ? m_strKey : parent + '.' + m_strKey;
}

CStrictJsonParser::Json& CStrictJsonParser::Place(Json value)
{
    if (m_open.empty()) {
        m_root = std::move(value);
        return m_root;
    }
    Json& parent = *m_open.back();
    if (parent.is_array()) {
        parent.push_back(std::move(value));
        return parent.back();
    }
    Json& member = parent[m_strKey];
    member = std::move(value);
    return member;
}

bool CStrictJsonParser::AddValue(Json value)
{
    Place(std::move(value));
    return true;
}

bool CStrictJsonParser::Open(Json container)
{
    std::string strPath = GetNextPath();
    if (m_open.size() >= m_nMaxDepth) {
        m_strError = "nests deeper than " + std::to_string(m_nMaxDepth) + " levels";
        if (!strPath.empty()) {
            m_strError += " at \"" + strPath + '"';
        }
        return false;
    }
    // A pointer into the parent stays valid: the parent grows again only after this closes.
    m_open.push_back(&Place(std::move(container)));
    m_openPaths.push_back(std::move(strPath));
    return true;
}

bool CStrictJsonParser::Close()
{
    m_open.pop_back();
    m_openPaths.pop_back();
    return true;
}

bool CStrictJsonParser::null()
{
    return AddValue(nullptr);
}

bool CStrictJsonParser::boolean(bool bValue)
{
    return AddValue(bValue);
}

bool CStrictJsonParser::number_integer(Json::number_integer_t nValue)
{
    return AddValue(nValue);
}

bool CStrictJsonParser::number_unsigned(Json::number_unsigned_t nValue)
{
    return AddValue(nValue);
}

bool CStrictJsonParser::number_float(Json::number_float_t value, const Json::string_t& /*text*/)
{
    return AddValue(value);
}

bool CStrictJsonParser::string(Json::string_t& value)
{
    return AddValue(std::move(value));
}

bool CStrictJsonParser::binary(Json::binary_t& value)
{
    return AddValue(Json::binary(std::move(value)));
}

bool CStrictJsonParser::start_object(std::size_t /*nElements*/)
{
    return Open(Json::object());
}

bool CStrictJsonParser::key(Json::string_t& value)
{
    m_strKey = std::move(value);
    if (m_open.back()->contains(m_strKey)) {
        // Which of the two counts would be a guess.
        m_strError = '"' + GetNextPath() + "\" appears twice";
        return false;
    }
    return true;
}

bool CStrictJsonParser::end_object()
{
    return Close();
}

bool CStrictJsonParser::start_array(std::size_t /*nElements*/)
{
    return Open(Json::array());
}

bool CStrictJsonParser::end_array()
{
    return Close();
}

bool CStrictJsonParser::parse_error(std::size_t /*nPosition*/, const std::string& /*strLastToken*/,
                                    const Json::exception& e)
{
    // Drop the library's "[json.exception.parse_error.101] " tag; the rest says where.
    const std::string_view what = e.what();
    const std::size_t nTagEnd = what.find("] ");
    m_strError = "not valid JSON: " +
                 std::string(nTagEnd == std::string_view::npos ? what : what.substr(nTagEnd + 2));
    return false;
}
