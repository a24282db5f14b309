// The window description: every control of Form1 with its design-time
// properties, in twips from the top-left corner of the client area. The Qt
// view builds its widgets from this table and the core takes the design-time
// values of its run-time properties from it, so each number stands once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/translatable.h"

namespace transistor {

enum class ControlKind { PictureBox, Label, TextBox, Button, Timer, Rectangle, Circle, Line };
enum class LineStyle { Solid, DashDot };
enum class FontKind { Default, BandLetter };

struct ControlDesign {
    ControlKind kind = ControlKind::Label;
    std::string_view name;
    int index = -1; // member of a control array; -1 for a single control
    // Left, Top, Width, Height of every kind but lines.
    int left = 0, top = 0, width = 0, height = 0;
    // End points of a line.
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    // Label and button caption, or the default text of a text box.
    std::string_view caption;
    int tabIndex = -1;              // -1: not in the tab numbering (lines, shapes, timers)
    std::uint32_t color = 0x000000; // line colour, or the fill of a filled shape
    bool filled = false;
    LineStyle style = LineStyle::Solid;
    FontKind font = FontKind::Default;
    bool transparent = false;   // label background
    bool flat = false;          // text box drawn flat, without a sunken border
    bool readOnly = false;      // a readout: only the program writes it
    int interval = 0;           // timer, ms
    bool enabled = true;        // timer at creation
    std::string_view container; // "Picture1" for the controls inside the plot
    // What a screen reader calls the control (empty: its caption) and what it
    // says about it.
    std::string_view accessibleName;
    std::string_view accessibleDescription;
    // For a label that captions exactly one box: that box.
    std::string_view buddy;
    // A band letter's subscript: a screen reader hears it in the name of its
    // large letter ("E C, conduction-band edge"), not on its own.
    bool subscript = false;
};

struct WindowDesign {
    std::string_view caption;
    int clientWidth;  // twips
    int clientHeight; // twips
    // The extent of everything in the description, the lower strip included.
    int extentWidth;
    int extentHeight;
};

inline constexpr std::string_view kBandLetterFamily = "ＭＳ Ｐゴシック";
inline constexpr double kBandLetterPointSize = 14.25;

// What a control says of itself when the pointer rests on it, or a finger
// holds it in the page: what a screen reader hears, its name over its
// description, in the user's language; empty for a control without a
// description.
std::string ToolTip(const ControlDesign &control, const Translate &translate);

const WindowDesign &Window();
const std::vector<ControlDesign> &WindowDescription();
// The control called name (and index, for a member of an array); throws
// std::out_of_range when there is none.
const ControlDesign &FindControl(std::string_view name, int index = -1);

} // namespace transistor
