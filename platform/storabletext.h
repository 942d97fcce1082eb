#pragma once

#include <QString>

#include <string>
#include <string_view>

// A skin keeps its texts in Windows-1252; what the user types there must fit it, or be refused
// with a word instead of turning into '?'.

// The message that names the characters of text a skin cannot store, for the field called
// strField ("The title"); empty when every character can be stored.
std::string UnstorableTextMessage(std::string_view strField, const QString& text);
