#include "textlimit.h"

#include <algorithm>

CTextLimit::CTextLimit(int nMaxChars, QObject* pParent)
    : QValidator(pParent), m_nMaxChars(nMaxChars), m_nAllowed(nMaxChars)
{
}

void CTextLimit::AllowText(const QString& strText)
{
    m_nAllowed = std::max(m_nMaxChars, static_cast<int>(strText.size()));
}

QValidator::State CTextLimit::validate(QString& strInput, int& /*nPos*/) const
{
    return strInput.size() <= m_nAllowed ? Acceptable : Invalid;
}
