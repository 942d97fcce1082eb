#pragma once

#include "skin.h"

#include <array>

// The editor's five components, in the order of the Component list.
enum SkinComponent
{
    COMPONENT_NONE = -1,
    COMPONENT_MAIN_WINDOW = 0,
    COMPONENT_TITLE = 1,
    COMPONENT_CLOSE_BUTTON = 2,
    COMPONENT_CLOSE_HOVER = 3,
    COMPONENT_MESSAGE = 4,
};
inline constexpr int SKIN_COMPONENT_COUNT = 5;

enum class SkinRect
{
    None,
    Title,
    Message,
    CloseButton,
};

enum class SkinColour
{
    None,
    MainTransparent,
    CloseTransparent,
    CloseHoverTransparent,
    MessageText,
    MessageBack,
    TitleText,
    TitleBack,
};

enum class SkinFont
{
    Title,
    Message,
};

// Where the skin keeps each rectangle and colour, for reading and exchanging alike; null for None.
template <class Skin>
inline auto RectSlot(Skin& skin, SkinRect rect) -> decltype(&skin.m_rcTitle)
{
    switch (rect) {
    case SkinRect::Title:
        return &skin.m_rcTitle;
    case SkinRect::Message:
        return &skin.m_rcMessage;
    case SkinRect::CloseButton:
        return &skin.m_rcCloseButton;
    case SkinRect::None:
        break;
    }
    return nullptr;
}

template <class Skin>
inline auto ColourSlot(Skin& skin, SkinColour colour) -> decltype(&skin.m_crTitleText)
{
    switch (colour) {
    case SkinColour::MainTransparent:
        return &skin.m_crMainTransparent;
    case SkinColour::CloseTransparent:
        return &skin.m_crCloseTransparent;
    case SkinColour::CloseHoverTransparent:
        return &skin.m_crCloseHoverTransparent;
    case SkinColour::MessageText:
        return &skin.m_crMessageText;
    case SkinColour::MessageBack:
        return &skin.m_crMessageBack;
    case SkinColour::TitleText:
        return &skin.m_crTitleText;
    case SkinColour::TitleBack:
        return &skin.m_crTitleBack;
    case SkinColour::None:
        break;
    }
    return nullptr;
}

// What one component of the skin is made of, and which of its parts the user edits.
struct ComponentTraits
{
    SkinComponent component;
    const char* pszName;      // as the Component list shows it
    int nImagePart;           // the image it takes from a bitmap file, or SKINPART_NONE
    SkinRect rect;            // the rectangle the picker places, or None
    SkinColour transparent;   // the key colour of its image, or None
    bool bRectFieldsEditable; // the typed rectangle is stored by Apply
};

inline constexpr std::array<ComponentTraits, SKIN_COMPONENT_COUNT> kComponentTraits{{
    {COMPONENT_MAIN_WINDOW, QT_TRANSLATE_NOOP("Skin", "Main Window"), SKINPART_MAIN_IMAGE,
     SkinRect::None, SkinColour::MainTransparent, false},
    {COMPONENT_TITLE, QT_TRANSLATE_NOOP("Skin", "Title"), SKINPART_NONE, SkinRect::Title,
     SkinColour::None, true},
    {COMPONENT_CLOSE_BUTTON, QT_TRANSLATE_NOOP("Skin", "Close Button (Normal)"),
     SKINPART_CLOSE_IMAGE, SkinRect::CloseButton, SkinColour::CloseTransparent, true},
    {COMPONENT_CLOSE_HOVER, QT_TRANSLATE_NOOP("Skin", "Close Button (Mouse Over)"),
     SKINPART_CLOSE_HOVER_IMAGE, SkinRect::CloseButton, SkinColour::CloseHoverTransparent, false},
    {COMPONENT_MESSAGE, QT_TRANSLATE_NOOP("Skin", "Message"), SKINPART_NONE, SkinRect::Message,
     SkinColour::None, true},
}};

// The traits of nComponent; nullptr for COMPONENT_NONE or anything out of range.
inline const ComponentTraits* TraitsOf(int nComponent)
{
    return nComponent >= 0 && nComponent < SKIN_COMPONENT_COUNT
               ? &kComponentTraits.at(static_cast<std::size_t>(nComponent))
               : nullptr;
}

// Whether nPart is one of the skin's three images.
inline bool IsImagePart(int nPart)
{
    return nPart >= SKINPART_MAIN_IMAGE && nPart <= SKINPART_CLOSE_HOVER_IMAGE;
}

// The component whose image is nPart, or COMPONENT_NONE.
inline SkinComponent ComponentOfImage(int nPart)
{
    for (const ComponentTraits& traits : kComponentTraits) {
        if (traits.nImagePart == nPart) {
            return traits.component;
        }
    }
    return COMPONENT_NONE;
}
