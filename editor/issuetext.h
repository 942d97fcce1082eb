#pragma once

#include "skincheck.h"

#include <QString>

// What the Issues panel shows of an issue, in the user's language. The checker keeps its English
// for the command line; these put its pattern and phrases through the translation.
QString IssueText(const SkinIssue& issue);
// The component or area the issue belongs to, as the Component list names it.
QString IssueAreaText(const SkinIssue& issue);
