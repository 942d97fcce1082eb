#include "accessiblename.h"

QString AccessibleNameFromLabel(const QString& strLabel)
{
    QString strName;
    strName.reserve(strLabel.size());
    for (qsizetype i = 0; i < strLabel.size(); ++i) {
        // A mark stands before the letter it marks; "&&" is one ampersand.
        if (strLabel[i] == u'&' && ++i == strLabel.size()) {
            break;
        }
        strName += strLabel[i];
    }
    strName = strName.trimmed();
    while (strName.endsWith(u':') || strName.endsWith(u'\uff1a')) {
        strName.chop(1);
    }
    return strName.trimmed();
}
