#pragma once

#include <iosfwd>
#include <optional>
#include <string>

// The largest --size: a thumbnail is at most 1024 pixels, and this keeps the scaled picture of any
// skin within 64 MiB.
constexpr int kMaxRenderSize = 4096;

struct RenderOptions
{
    std::optional<std::string> message; // UTF-8, into the message area
    std::optional<int> nSize;           // the longer side of the picture, 1 to kMaxRenderSize
};

// Draws the note preview of the skin FILE into the PNG OUT: the note's pixels where its shape is,
// fully transparent elsewhere, with the title, the message text and the close button in its
// normal state. Always draws offscreen, so it needs no display and a broken one cannot stop it.
// OUT is replaced only once completely written; an image of at most 256 colours is written with a
// palette.
int RunRender(const std::string& strFile, const std::string& strOut, const RenderOptions& options,
              std::ostream& err);
