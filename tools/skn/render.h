#pragma once

#include <iosfwd>
#include <optional>
#include <string>

class CSkin;
class QImage;

// Draws the note preview of the skin FILE into the PNG OUT: the note's pixels where its shape is,
// fully transparent elsewhere, with the title, the message text (UTF-8) and the close button in
// its normal state. Needs no display: without one it draws offscreen. OUT is replaced only once
// completely written; an image of at most 256 colours is written with a palette.
int RunRender(const std::string& strFile, const std::string& strOut,
              const std::optional<std::string>& message, std::ostream& err);

// The image RunRender writes, for a skin that loaded and has all its parts; null when its images
// cannot be drawn. Needs a running QApplication.
QImage RenderNote(const CSkin& skin, const std::optional<std::string>& message);
