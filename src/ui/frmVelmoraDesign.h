#pragma once

#include "catalog/RecordTemplate.h"

#include <QRect>

#include <span>

// The window's design: every control with its place and design-time values, in twips, and the
// members of the record each control in the frame shows.

enum class ControlKind { Frame, Label, TextBox, CommandButton, UpDown };

enum class Container { Window, Frame1 };

// How a label or box looks beyond its kind.
enum ControlStyle : unsigned {
    kPlain = 0,
    kBordered = 1,  // fixed single border
    kAutoSize = 2,  // width and height follow the caption
    kWordWrap = 4,  // the caption breaks into lines inside the label
    kOwnFont = 8,   // a font of its own instead of the window's (the record number and count)
};

struct ControlDesign
{
    const char *name;
    ControlKind kind;
    Container container;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;  // labels and the frame carry one but take no focus
    const char *caption;
    unsigned style;
};

struct WindowDesign
{
    const char *name;
    const char *title;
    int clientWidth;
    int clientHeight;
};

const WindowDesign &frmVelmoraWindowDesign();

// Containers come before what they hold.
std::span<const ControlDesign> frmVelmoraDesign();

// Which control shows which member of the record's shape: a box edits its member, a label only
// shows it. The record's closing empty line is shown by none.
struct MemberControl
{
    MemberId member;
    const char *control;
    const char *accessibleName = nullptr;  // a box's, untranslated, for a screen reader
};

// In the order of the record's shape.
std::span<const MemberControl> frmVelmoraMemberControls();

// Twips to pixels at 96 dots per inch, to the nearest pixel. The window and its tests go through
// this; scripts/control-center, an awk script, restates it and the window's tests check it.
constexpr int twipsToPixels(int twips)
{
    return (twips + 7) / 15;
}

// A place and size in twips, in pixels.
constexpr QRect twipsToPixels(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

constexpr QRect twipsToPixels(const ControlDesign &design)
{
    return twipsToPixels(design.left, design.top, design.width, design.height);
}
