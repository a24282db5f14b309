// The classroom controls that every view offers beside the form: pause and
// resume, a single step, zoom for a projector, and a copy of the picture for
// slides and worksheets, and in the page a link to the present setup; what
// the menu calls them and which keys press them.
// Their keys work anywhere in the window without taking a key from a text
// box or from the focused button.
#pragma once

#include <array>
#include <string_view>

#include "model/translatable.h"

namespace transistor {

inline constexpr const char *kClassroomContext = "Classroom";

struct ClassroomAction {
    std::string_view name; // "Pause" … "Menu"
    // The menu's text, '&' before the letter that picks it; empty for an
    // action that is only a key.
    std::string_view text;
    // The keys, as "Ctrl+Shift+C": modifiers joined by '+', then the key
    // ("F5", "+", "="), as Qt's portable key sequences spell them.
    std::array<std::string_view, 2> keys;
    // Menu items are grouped, with a separator between groups; -1: no item.
    int group;
    // Only the page has it: the window has no address to hand out.
    bool pageOnly = false;
};

// Ctrl++ is Ctrl+Shift+= on many keyboards; Ctrl+= saves the Shift. Ctrl+C
// stays with the text boxes. The Menu key opens the menu by itself.
// F8 is taken by no browser and no desktop, and types nothing.
inline constexpr std::array<ClassroomAction, 9> kClassroomActions = {{
    {"Pause", TRANSLATABLE("Classroom", "&Pause"), {"F5", "Pause"}, 0},
    {"Step", TRANSLATABLE("Classroom", "&Step one tick"), {"F6", ""}, 0},
    {"ZoomIn", TRANSLATABLE("Classroom", "Zoom &in"), {"Ctrl++", "Ctrl+="}, 1},
    {"ZoomOut", TRANSLATABLE("Classroom", "Zoom &out"), {"Ctrl+-", ""}, 1},
    {"ActualSize", TRANSLATABLE("Classroom", "&Actual size"), {"Ctrl+0", ""}, 1},
    {"CopyPicture", TRANSLATABLE("Classroom", "&Copy picture"), {"Ctrl+Shift+C", ""}, 2},
    {"Readouts", TRANSLATABLE("Classroom", "Rea&douts..."), {"F8", ""}, 3},
    // The page's address with the present inputs (app/setup_link.h).
    {"CopyLink", TRANSLATABLE("Classroom", "Copy &link to this setup"), {"", ""}, 4, true},
    {"Menu", "", {"Shift+F10", ""}, -1},
}};

// The Pause item while paused, and the sign that says so.
inline constexpr std::string_view kResumeText = TRANSLATABLE("Classroom", "&Resume");
inline constexpr std::string_view kPausedText = TRANSLATABLE("Classroom", "Paused");

// The "Paused" sign, in twips: small, in the empty upper right corner of the
// band diagram, its right edge at the collector's end (x 8760).
struct TwipRect {
    int left, top, width, height;
};
inline constexpr TwipRect kPausedSign = {7260, 1020, 1500, 300};

// Zoom: 100 % to 300 % in steps of 25 %.
inline constexpr double kZoomStep = 0.25;
inline constexpr int kZoomSteps = 8;

// The zoom `steps` steps of 25 % away from zoom, kept within 100 % .. 300 %.
double SteppedZoom(double zoom, int steps);

} // namespace transistor
