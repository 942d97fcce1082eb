#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

// JSON on one line with ", " and ": " between items, the form the tool prints and scripts compare
// against. Strings are written as UTF-8; only '"', '\' and control characters are escaped.
std::string ToJsonLine(const nlohmann::ordered_json& value);

// Appends text as a quoted JSON string.
void AppendJsonString(std::string& out, std::string_view text);

// text with every malformed UTF-8 sequence replaced by U+FFFD, so that JSON stays valid when it
// carries bytes from outside, such as a file name given on the command line.
std::string ToValidUtf8(std::string_view text);
