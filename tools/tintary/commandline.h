#pragma once

#include "colourreport.h"

#include <QStringList>

#include <optional>
#include <ostream>

// tintary's command line, read in two steps because Qt takes its own options (-platform,
// -display, -style...) only when the application object exists, and that needs a display.

// Answers --help and --version from the raw arguments, before Qt starts: the exit code when
// one of them was given, after printing the answer to out.
std::optional<int> AnswerWithoutDisplay(const QStringList& arguments, std::ostream& out);

// Checks what is left once Qt has taken its options: the exit code for wrong usage, after
// saying what is wrong on err.
std::optional<int> RefuseWrongUsage(const QStringList& arguments, std::ostream& err);

// The exit code for wrong usage. On the standard output channel it is 2, which the editor reads
// as "no colour" like any non-zero code; on the exit code channel 2 would be a colour, so it is
// the cancelled value there.
int UsageErrorExitCode(ColourChannel channel = NATIVE_COLOUR_CHANNEL);
