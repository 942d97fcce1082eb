#include "issuetext.h"

#include "translatedskintext.h"

QString IssueText(const SkinIssue& issue)
{
    return TranslatedSkinText(issue.text);
}

QString IssueAreaText(const SkinIssue& issue)
{
    return TranslatedSkinText(Phrase(issue.strComponent));
}
