#include "storabletext.h"

#include "codepage.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdio>

namespace {

// A pasted paragraph of another script names the first few; the rest only counts.
constexpr std::size_t kMaxNamed = 8;

QString NameCharacter(char32_t ch)
{
    char szCode[16] = {};
    std::snprintf(szCode, sizeof(szCode), "U+%04X", static_cast<unsigned>(ch));
    QString strCode = QString::fromLatin1(szCode);
    // Invisible and combining characters read best by their code alone.
    if (!QChar::isPrint(ch) || QChar::isMark(ch)) {
        return strCode;
    }
    return QStringLiteral("\"%1\" (%2)").arg(QString::fromUcs4(&ch, 1), strCode);
}

} // namespace

QString UnstorableTextMessage(const QString& strField, const QString& text)
{
    const std::u32string unstorable = FindUnencodableUtf8(text.toStdString());
    if (unstorable.empty()) {
        return {};
    }
    QStringList names;
    for (std::size_t i = 0; i < unstorable.size() && i < kMaxNamed; ++i) {
        names << NameCharacter(unstorable[i]);
    }
    QString strNames = names.join(QStringLiteral(", "));
    if (unstorable.size() > kMaxNamed) {
        strNames = QCoreApplication::translate("StorableText", "%1 and %2 more")
                       .arg(strNames)
                       .arg(unstorable.size() - kMaxNamed);
    }
    return QCoreApplication::translate("StorableText",
                                       "%1 holds characters that a skin cannot store: %2.\n\nSkins "
                                       "keep their texts in Windows-1252. Replace or remove these "
                                       "characters.")
        .arg(strField, strNames);
}
