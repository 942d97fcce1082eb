#pragma once

#include "skintext.h"

#include <QString>

// A message of the skin layer in the user's language: its pattern and every phrase among its
// values looked up in the "Skin" context; literal values, and texts no translation knows, stay
// as they are.
QString TranslatedSkinText(const SkinText& text);
