// A green leaf with a stem and veins, shaded from its sunlit tip to its stalk, with a pale label
// for the title and the message and round close buttons.

#include "geometry.h"
#include "samples.h"

#include <array>

namespace {

constexpr Rgb kTransparent{255, 0, 255};

constexpr int kWidth = 284;
constexpr int kHeight = 180;
constexpr int kMidrib = 95; // the leaf's axis, from its tip at x 8 to its stalk at x 250

constexpr Rgb kLeafLight{160, 210, 94};
constexpr Rgb kLeafDark{44, 124, 56};
constexpr Rgb kLeafEdge{30, 84, 36};
constexpr Rgb kVein{226, 242, 196};
constexpr Rgb kStem{104, 112, 46};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kLabel{242, 248, 226};
constexpr Rgb kLabelEdge{108, 156, 80};
constexpr Rgb kLabelRule{190, 216, 162};
constexpr Rgb kTitleText{34, 92, 40};
constexpr Rgb kMessageText{40, 56, 36};

constexpr RoundRect kLabelShape{56, 38, 202, 140, 10};

// Two arcs through the tip and the stalk; the upper one bulges more, so the leaf is not an eye.
struct LeafShape
{
    int inset = 0;

    bool operator()(int x, int y) const
    {
        return Circle{129, 131, 126 - inset}(x, y) && Circle{129, 35, 135 - inset}(x, y);
    }
};

Rgb LeafColour(int x, int y)
{
    const Rgb c = Mix(kLeafLight, kLeafDark, x + y, kWidth + kHeight - 40);
    // The lower half turns away from the light.
    return y > kMidrib ? Mix(c, kBlack, 1, 8) : c;
}

bool IsVein(int x, int y)
{
    if (Stroke{10, kMidrib, 248, kMidrib, 5}(x, y)) {
        return true;
    }
    constexpr std::array<int, 7> kVeinRoots = {38, 72, 106, 140, 174, 208, 236};
    for (const int x0 : kVeinRoots) {
        if (Stroke{x0, kMidrib, x0 - 34, kMidrib - 56, 3}(x, y) ||
            Stroke{x0, kMidrib, x0 - 32, kMidrib + 48, 3}(x, y)) {
            return true;
        }
    }
    return false;
}

CCanvas DrawMain()
{
    CCanvas canvas(kWidth, kHeight, kTransparent);
    // The stalk, thinning towards its end.
    canvas.Fill(Stroke{244, 95, 258, 99, 10}, kStem);
    canvas.Fill(Stroke{258, 99, 269, 106, 9}, kStem);
    canvas.Fill(Stroke{269, 106, 278, 115, 7}, kStem);

    const LeafShape leaf;
    canvas.Paint(leaf, LeafColour);
    const LeafShape veinArea{4};
    canvas.Paint([&](int x, int y) { return veinArea(x, y) && IsVein(x, y); },
                 [](int x, int y) { return Mix(LeafColour(x, y), kVein, 9, 20); });
    canvas.Outline(leaf, kLeafEdge);

    // The label lies on the leaf and casts a small shadow on it.
    const RoundRect shadow{kLabelShape.left + 2, kLabelShape.top + 3, kLabelShape.right + 2,
                           kLabelShape.bottom + 3, kLabelShape.radius};
    canvas.Paint(shadow,
                 [&canvas](int x, int y) { return Mix(canvas.GetPixel(x, y), kBlack, 1, 4); });
    canvas.Fill(kLabelShape, kLabel);
    canvas.Outline(kLabelShape, kLabelEdge);
    canvas.Fill([](int x, int y) { return y == 68 && x >= 64 && x < 194; }, kLabelRule);
    return canvas;
}

// A 14 x 14 round button with a pale cross, lighter at the top.
CCanvas DrawClose(Rgb face, Rgb border)
{
    CCanvas canvas(14, 14, kTransparent);
    const Circle button{7, 7, 7};
    canvas.Paint(button, [face](int, int y) { return Mix(face, Rgb{255, 255, 255}, 13 - y, 36); });
    canvas.Outline(button, border);
    constexpr Rgb kCross{250, 252, 240};
    canvas.Fill(Stroke{4, 4, 10, 10, 3}, kCross);
    canvas.Fill(Stroke{10, 4, 4, 10, 3}, kCross);
    return canvas;
}

} // namespace

std::unique_ptr<CSkin> MakeLeaf()
{
    auto pSkin = std::make_unique<CSkin>();
    pSkin->SetMainImage(MakeDib(DrawMain()));
    pSkin->SetCloseImage(MakeDib(DrawClose(Rgb{64, 130, 64}, Rgb{32, 84, 36})));
    pSkin->SetCloseHoverImage(MakeDib(DrawClose(Rgb{222, 100, 44}, Rgb{150, 56, 20})));

    pSkin->m_rcCloseButton = {182, 45, 196, 59};
    pSkin->m_rcTitle = {66, 44, 178, 64};
    pSkin->m_rcMessage = {66, 74, 194, 134};

    pSkin->m_crMainTransparent = ToColorRef(kTransparent);
    pSkin->m_crCloseTransparent = ToColorRef(kTransparent);
    pSkin->m_crCloseHoverTransparent = ToColorRef(kTransparent);
    pSkin->m_crMessageBack = ToColorRef(kLabel);
    pSkin->m_crTitleBack = ToColorRef(kLabel);
    pSkin->m_crMessageText = ToColorRef(kMessageText);
    pSkin->m_crTitleText = ToColorRef(kTitleText);

    const LOGFONT titleFont = MakeFont("Trebuchet MS", -13, FW_BOLD);
    const LOGFONT messageFont = MakeFont("Verdana", -12, FW_NORMAL);
    pSkin->SetTitleFont(&titleFont);
    pSkin->SetMessageFont(&messageFont);

    SetInformation(*pSkin, "Leaf",
                   "A leaf-shaped note with veins, a stalk and a label for the text, showing an "
                   "irregular outline cut by the transparent colour. Drawn by tavelo-samplegen.");
    return pSkin;
}
