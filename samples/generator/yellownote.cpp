// A yellow sticky note: rounded corners, a darker title bar, a folded bottom-right corner and a
// two-tone drop shadow, all cut out of a magenta background.

#include "geometry.h"
#include "samples.h"

namespace {

constexpr Rgb kTransparent{255, 0, 255};
constexpr Rgb kCloseTransparent{0, 255, 255};

constexpr int kWidth = 240;
constexpr int kHeight = 200;
constexpr int kNoteWidth = 234;
constexpr int kNoteHeight = 194;
constexpr int kCornerRadius = 10;
constexpr int kFold = 24;
constexpr int kBarHeight = 28;

constexpr Rgb kPaper{255, 243, 150};
constexpr Rgb kBar{246, 208, 80};
constexpr Rgb kBarHighlight{252, 226, 130};
constexpr Rgb kBarShade{222, 178, 50};
constexpr Rgb kEdge{196, 160, 52};
constexpr Rgb kFoldLight{250, 232, 140};
constexpr Rgb kFoldDark{226, 200, 96};
constexpr Rgb kShadowNear{128, 120, 100};
constexpr Rgb kShadowFar{182, 176, 162};
constexpr Rgb kTitleText{96, 60, 8};
constexpr Rgb kMessageText{64, 52, 24};

// The note's outline moved by (dx, dy): a rounded rectangle without its bottom-right corner.
auto NoteShape(int dx, int dy)
{
    const RoundRect body{dx, dy, dx + kNoteWidth, dy + kNoteHeight, kCornerRadius};
    const HalfPlane cutOff{dx + kNoteWidth - kFold, dy + kNoteHeight, dx + kNoteWidth,
                           dy + kNoteHeight - kFold};
    return [body, cutOff](int x, int y) { return body(x, y) && !cutOff(x, y); };
}

CCanvas DrawMain()
{
    CCanvas canvas(kWidth, kHeight, kTransparent);
    canvas.Fill(NoteShape(5, 5), kShadowFar);
    canvas.Fill(NoteShape(3, 3), kShadowNear);

    const auto note = NoteShape(0, 0);
    canvas.Fill(note, kPaper);
    canvas.Fill([&note](int x, int y) { return note(x, y) && y < kBarHeight; }, kBar);
    canvas.Fill([&note](int x, int y) { return note(x, y) && y == 1; }, kBarHighlight);
    canvas.Fill([&note](int x, int y) { return note(x, y) && y == kBarHeight; }, kBarShade);
    canvas.Outline(note, kEdge);

    // The folded flap: the cut-off corner mirrored onto the note, lighter towards its fold line.
    const int nFoldX = kNoteWidth - kFold;
    const int nFoldY = kNoteHeight - kFold;
    const auto flap = [&](int x, int y) { return note(x, y) && x >= nFoldX && y >= nFoldY; };
    canvas.Paint(flap, [&](int x, int y) {
        return Mix(kFoldDark, kFoldLight, (x - nFoldX) + (y - nFoldY), 2 * kFold);
    });
    canvas.Outline(flap, kEdge);
    return canvas;
}

// A 14 x 14 button with rounded corners and a white cross.
CCanvas DrawClose(Rgb face, Rgb border)
{
    CCanvas canvas(14, 14, kCloseTransparent);
    const RoundRect button{0, 0, 14, 14, 3};
    canvas.Paint(button, [face](int, int y) { return Mix(face, Rgb{255, 255, 255}, 13 - y, 40); });
    canvas.Outline(button, border);
    constexpr Rgb kCross{255, 255, 255};
    canvas.Fill(Stroke{4, 4, 10, 10, 3}, kCross);
    canvas.Fill(Stroke{10, 4, 4, 10, 3}, kCross);
    return canvas;
}

} // namespace

std::unique_ptr<CSkin> MakeYellowNote()
{
    auto pSkin = std::make_unique<CSkin>();
    pSkin->SetMainImage(MakeDib(DrawMain()));
    pSkin->SetCloseImage(MakeDib(DrawClose(Rgb{178, 96, 72}, Rgb{128, 64, 44})));
    pSkin->SetCloseHoverImage(MakeDib(DrawClose(Rgb{232, 64, 48}, Rgb{160, 36, 24})));

    pSkin->m_rcCloseButton = {kNoteWidth - 8 - 14, 7, kNoteWidth - 8, 21};
    pSkin->m_rcTitle = {10, 5, kNoteWidth - 8 - 14 - 6, 25};
    pSkin->m_rcMessage = {12, kBarHeight + 9, kNoteWidth - 12, kNoteHeight - kFold - 4};

    pSkin->m_crMainTransparent = ToColorRef(kTransparent);
    pSkin->m_crCloseTransparent = ToColorRef(kCloseTransparent);
    pSkin->m_crCloseHoverTransparent = ToColorRef(kCloseTransparent);
    pSkin->m_crMessageBack = ToColorRef(kPaper);
    pSkin->m_crTitleBack = ToColorRef(kBar);
    pSkin->m_crMessageText = ToColorRef(kMessageText);
    pSkin->m_crTitleText = ToColorRef(kTitleText);

    const LOGFONT titleFont = MakeFont("Verdana", -12, FW_BOLD);
    const LOGFONT messageFont = MakeFont("Tahoma", -13, FW_NORMAL);
    pSkin->SetTitleFont(&titleFont);
    pSkin->SetMessageFont(&messageFont);

    SetInformation(*pSkin, "Yellow Note",
                   "A rounded yellow note with a title bar, a folded corner and a drop shadow. "
                   "Drawn by tavelo-samplegen.");
    return pSkin;
}
