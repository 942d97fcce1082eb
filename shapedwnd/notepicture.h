#pragma once

#include <QImage>

#include <filesystem>
#include <optional>
#include <string>

class CSkin;

// The note preview as a picture: what `tavelo-skn render` and the editor's Export Preview write.

// The note of a skin that loaded and has all its parts, drawn offscreen: its pixels where its
// shape is, fully transparent elsewhere, with "[Note Title]", the message text (UTF-8) and the
// close button in its normal state. Null when its images cannot be drawn. Needs a running
// QApplication.
QImage RenderNote(const CSkin& skin, const std::optional<std::string>& message);

// The picture scaled so that its longer side is nSide, keeping its aspect and its transparency.
QImage ScaledToLongerSide(const QImage& image, int nSide);

// Writes the picture as a PNG, with a palette when it has at most 256 colours. out is replaced
// only once the whole PNG is written, and only where CAtomicFile may replace it; false with the
// reason in strProblem otherwise.
bool WriteNotePng(const QImage& image, const std::filesystem::path& out, std::string& strProblem);
