#pragma once

#include <string>
#include <string_view>
#include <vector>

// Marks a fixed English text for the translation tools; this layer itself never translates. The
// definition is the one Qt gives, so either may come first.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

// The context the fixed texts of this layer are marked in.
inline constexpr char kSkinTextContext[] = "Skin";

// A message kept as its English pattern and the values that fill its %1, %2... placeholders, so
// the command line prints it in English while a user interface puts the pattern, and each value
// that is itself a phrase, into its own language.
struct SkinText
{
    std::string strText;        // a pattern marked with QT_TRANSLATE_NOOP, or a literal value
    bool bLiteral = false;      // a number, colour or name that no language changes
    std::vector<SkinText> args; // what %1, %2... stand for

    std::string English() const;

    friend bool operator==(const SkinText&, const SkinText&) = default;
};

// A fixed text, marked with QT_TRANSLATE_NOOP, with the values of its placeholders.
SkinText Phrase(std::string strPattern, std::vector<SkinText> args = {});
SkinText Literal(std::string strValue);

// Puts values into pattern's %1..%9, each placeholder read once from left to right so a value
// holding "%2" is never filled in again.
std::string FillPlaceholders(std::string_view pattern, const std::vector<std::string>& values);
