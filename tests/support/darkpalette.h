#pragma once

#include <QColor>
#include <QPalette>

// A dark palette in the manner of a desktop's dark colour scheme, every chrome role a colour of
// its own so that a pixel tells which role drew it.
inline QPalette DarkPalette()
{
    QPalette palette;
    const auto set = [&palette](QPalette::ColorRole role, QColor colour) {
        palette.setColor(QPalette::All, role, colour);
    };
    set(QPalette::Window, QColor(0x2d, 0x2d, 0x30));
    set(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
    set(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    set(QPalette::AlternateBase, QColor(0x26, 0x26, 0x29));
    set(QPalette::Text, QColor(0xea, 0xea, 0xea));
    set(QPalette::Button, QColor(0x3a, 0x3a, 0x3d));
    set(QPalette::ButtonText, QColor(0xf0, 0xf0, 0xf0));
    set(QPalette::BrightText, QColor(0xff, 0x55, 0x55));
    set(QPalette::Light, QColor(0x5a, 0x5a, 0x5e));
    set(QPalette::Midlight, QColor(0x4a, 0x4a, 0x4e));
    set(QPalette::Mid, QColor(0x26, 0x26, 0x28));
    set(QPalette::Dark, QColor(0x18, 0x18, 0x1a));
    set(QPalette::Shadow, QColor(0x08, 0x08, 0x08));
    set(QPalette::Highlight, QColor(0x3d, 0x8e, 0xe6));
    set(QPalette::HighlightedText, QColor(0xff, 0xff, 0xfe));
    set(QPalette::Link, QColor(0x6c, 0xb4, 0xff));
    set(QPalette::ToolTipBase, QColor(0x30, 0x30, 0x33));
    set(QPalette::ToolTipText, QColor(0xe8, 0xe8, 0xe8));
    set(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    return palette;
}
