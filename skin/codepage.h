#pragma once

#include <string>
#include <string_view>

// Windows-1252, the code page of every string in a skin file. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as on
// Windows, so every byte string survives a trip through Unicode.

// Bytes of a skin string to UTF-8 text for display.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 text to skin bytes. Characters the code page cannot hold, and malformed UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view text);

// The characters of UTF-8 text that the code page cannot hold, each once, in order of first
// appearance (malformed UTF-8 counts as U+FFFD). Empty when Utf8ToCp1252 keeps every character.
std::u32string FindUnencodableUtf8(std::string_view text);

// UTF-16 code units (the wide string form) to skin bytes, unmappable characters and lone
// surrogates becoming '?'.
std::string Utf16ToCp1252(std::u16string_view text);

// Whether byte is one of the five the code page leaves undefined: no font draws it as a character.
bool IsUndefinedCp1252(unsigned char byte);

// The Windows-1252 byte of one Unicode code point, or '?' when it has none.
char CodePointToCp1252(char32_t ch);
