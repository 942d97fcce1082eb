#include "translatedskintext.h"

#include <QCoreApplication>

QString TranslatedSkinText(const SkinText& text)
{
    if (text.bLiteral) {
        return QString::fromStdString(text.strText);
    }
    const QString strPattern = QCoreApplication::translate(kSkinTextContext, text.strText.c_str());
    std::vector<std::string> values;
    values.reserve(text.args.size());
    for (const SkinText& arg : text.args) {
        values.push_back(TranslatedSkinText(arg).toStdString());
    }
    return QString::fromStdString(FillPlaceholders(strPattern.toStdString(), values));
}
