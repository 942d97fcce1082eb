#pragma once

#include <QValidator>

// A typing limit for an edit that, unlike QLineEdit::setMaxLength, never cuts a text the program
// puts there: such a text may be longer, and the user can shorten it but not lengthen it.
class CTextLimit : public QValidator
{
    Q_OBJECT

public:
    explicit CTextLimit(int nMaxChars, QObject* pParent = nullptr);

    // Call with each text the program writes into the edit.
    void AllowText(const QString& strText);
    int GetMaxChars() const { return m_nMaxChars; }

    State validate(QString& strInput, int& nPos) const override;

private:
    int m_nMaxChars;
    int m_nAllowed;
};
