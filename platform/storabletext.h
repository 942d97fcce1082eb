#pragma once

#include <QString>

// A skin keeps its texts in Windows-1252; what the user types there must fit it, or be refused
// with a word instead of turning into '?'.

// The message that names the characters of text a skin cannot store, for the field called
// strField ("The title", in the user's language); empty when every character can be stored.
QString UnstorableTextMessage(const QString& strField, const QString& text);
