#pragma once

#include "wintypes.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

// How the external colour chooser hands its answer to the program that started it, and how that
// answer is read back. Both sides live here so they cannot drift apart.
//
// Windows: the chooser's exit code is the chosen COLORREF.
// POSIX: exit codes carry only 8 bits, so the chooser prints the COLORREF as one line
// "0x00BBGGRR" (upper-case hex digits; the reader accepts either case) and exits 0. A cancelled
// chooser prints nothing and exits 1.
// The reader treats no line, more than one line, a non-zero exit and any value with a non-zero
// high byte as "cancelled".

enum class ColourChannel
{
    ExitCode,       // the whole COLORREF as the exit code
    StandardOutput, // one "0x00BBGGRR" line, exit 0
};

#ifdef _WIN32
inline constexpr ColourChannel NATIVE_COLOUR_CHANNEL = ColourChannel::ExitCode;
#else
inline constexpr ColourChannel NATIVE_COLOUR_CHANNEL = ColourChannel::StandardOutput;
#endif

// The environment variable that hands the chooser the native id (decimal) of the window it
// works for; where the windowing system allows, the chooser stacks itself above that window as
// its modal dialog. Absent when there is no such window.
inline constexpr const char* CHOOSER_OWNER_VARIABLE = "TINTARY_OWNER_WINDOW";

// A chooser result that is no colour. Any value with a non-zero high byte is no colour; this is
// the one the chooser exits with on Windows when cancelled and the runner reports for a chooser
// that was cancelled, failed to start or crashed.
inline constexpr std::uint32_t CHOOSER_CANCELLED = 0xFFFFFFFFu;

// True when a chooser result carries a colour (its high byte is zero).
constexpr bool IsChosenColour(std::uint32_t result)
{
    return (result & 0xFF000000u) == 0;
}

// "0x00BBGGRR", without a line end.
std::string FormatColourReport(COLORREF cr);

// Reads a POSIX chooser's standard output and exit code; no value when it was cancelled.
std::optional<COLORREF> ParseColourReport(std::string_view output, int exitCode);

// The reader for either channel: on ExitCode the output is ignored.
std::optional<COLORREF> ReadColourReport(std::string_view output, int exitCode,
                                         ColourChannel channel = NATIVE_COLOUR_CHANNEL);

// The chooser's side: writes the answer to out when the channel asks for it and returns the exit
// code to end with. An answer that cannot be written is reported as cancelled.
int ReportColour(std::optional<COLORREF> chosen, std::ostream& out,
                 ColourChannel channel = NATIVE_COLOUR_CHANNEL);
