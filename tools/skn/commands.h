#pragma once

#include <iosfwd>
#include <string>
#include <vector>

inline constexpr int kExitOk = 0;
// Every failure, wrong usage included: scripts only need to know that the step failed, and the
// line on standard error says why.
inline constexpr int kExitFailure = 2;
// check --strict: the skins read and can be saved, but show warnings.
inline constexpr int kExitWarnings = 1;

// The commands of tavelo-skn. Results go to out; each failure is one line on err, starting with
// the tool's name. File names are used as given and shown as given.

// A summary of the skin FILE, or with bJson one line of JSON.
int RunInfo(const std::string& strFile, bool bJson, std::ostream& out, std::ostream& err);
// Per file "FILE: ok" or one line per issue, or with bJson one line of JSON; kExitWarnings with
// bStrict when there are warnings but no errors.
int RunCheck(const std::vector<std::string>& files, bool bJson, bool bStrict, std::ostream& out);
// Writes the chunks of the skin's bitmaps as they stand in FILE, and skin.json, into DIR.
int RunExtract(const std::string& strFile, const std::string& strDir, std::ostream& err);
// Builds the skin OUT from a manifest in the skin.json shape and the bitmaps it names.
int RunPack(const std::string& strManifest, const std::string& strOut, std::ostream& err);
