#pragma once

#include "skin.h"
#include "skincheck.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The JSON form of a skin shared by `info --json`, skin.json and the manifest reader.

// Keys of the "images" object and the files extract writes, in the order the file stores them.
inline constexpr std::array<std::string_view, 3> kImageKeys = {"main", "close", "closeHover"};
inline constexpr std::array<std::string_view, 3> kImageFileNames = {"main.bmp", "close.bmp",
                                                                    "close-hover.bmp"};

// The image of each slot, in the order of kImageKeys; null for an empty slot.
std::array<const CDib*, 3> GetSkinImages(const CSkin& skin);

// Width, height, depth, compression, colour count and chunk size; null without a bitmap.
nlohmann::ordered_json ImageFactsToJson(const CDib* pImage);
nlohmann::ordered_json FontToJson(const LOGFONT& logFont);

// The whole skin; images is the value of the "images" key (facts or file names).
nlohmann::ordered_json SkinToJson(const CSkin& skin, std::uint32_t nVersion,
                                  nlohmann::ordered_json images);
// SkinToJson with the facts of each image, as `info --json` prints it.
nlohmann::ordered_json SkinInfoToJson(const CSkin& skin, std::uint32_t nVersion);

// What the skin writes for a font: its own, or the default GUI font when it holds none.
LOGFONT GetStoredMessageFont(const CSkin& skin);
LOGFONT GetStoredTitleFont(const CSkin& skin);

// The rule of the one issue check reports for a file that does not read as a skin.
inline constexpr char kUnreadableRule[] = "unreadable";

// What check --json prints for one file: {"file", "ok", "issues": [{"severity", "rule",
// "component", "message"}]}; "ok" when there are no issues, "component" null for none.
nlohmann::ordered_json CheckResultToJson(const std::string& strFile,
                                         const std::vector<SkinIssue>& issues);
