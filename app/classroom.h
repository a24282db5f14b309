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
    std::array<std::string_view, 3> keys;
    // Menu items are grouped, with a separator between groups; -1: no item.
    int group;
    // Only the page has it: the window has no address to hand out.
    bool pageOnly = false;
};

// Ctrl++ is Ctrl+Shift+= on many keyboards; Ctrl+= saves the Shift. Ctrl+C
// stays with the text boxes.
//
// A Chromebook has no F5, F6 or Pause without its Search key, and its top
// row reloads the page; so pause and step also have Ctrl+. (a full stop) and
// Ctrl+, (a small step on): keys of the main block on every layout, which
// type nothing into a box, edit no text on any system (unlike Ctrl with an
// arrow or a letter), are no shortcut of Chrome, Edge, Firefox or Safari nor
// of ChromeOS, Windows or a Linux desktop, and need no Alt (AltGr types on
// European layouts, Option types on a Mac). On a Mac they are the Control
// key's, since Command+, opens a browser's settings.
//
// F8 (the Readouts view) is taken by no browser and no desktop, and types
// nothing. The Menu key opens the menu wherever the focus is, a text box
// excepted.
inline constexpr std::array<ClassroomAction, 12> kClassroomActions = {{
    {"Pause", TRANSLATABLE("Classroom", "&Pause"), {"F5", "Pause", "Ctrl+."}, 0},
    {"Step", TRANSLATABLE("Classroom", "&Step one tick"), {"F6", "Ctrl+,"}, 0},
    {"ZoomIn", TRANSLATABLE("Classroom", "Zoom &in"), {"Ctrl++", "Ctrl+="}, 1},
    {"ZoomOut", TRANSLATABLE("Classroom", "Zoom &out"), {"Ctrl+-", ""}, 1},
    {"ActualSize", TRANSLATABLE("Classroom", "&Actual size"), {"Ctrl+0", ""}, 1},
    {"CopyPicture", TRANSLATABLE("Classroom", "&Copy picture"), {"Ctrl+Shift+C", ""}, 2},
    {"Readouts", TRANSLATABLE("Classroom", "Rea&douts..."), {"F8"}, 3},
    // The page's address with the present inputs (app/setup_link.h).
    {"CopyLink", TRANSLATABLE("Classroom", "Copy &link to this setup"), {}, 4, true},
    // For every school device: the whole form as large as the window allows
    // (Ctrl+Shift+F: no browser's or desktop's key, and no box's), the high
    // contrast for a projector (app/look.h), and the list of these keys.
    {"Fit", TRANSLATABLE("Classroom", "&Fit to window"), {"Ctrl+Shift+F"}, 5},
    {"HighContrast", TRANSLATABLE("Classroom", "&High contrast"), {}, 5},
    {"Keys", TRANSLATABLE("Classroom", "&Keys"), {}, 5},
    {"Menu", "", {"Shift+F10", "Menu"}, -1},
}};

// What a key of the list of keys does: the menu's text, or for the menu's
// own keys what they do; empty for an action without a key.
inline constexpr std::string_view kMenuKeyText = TRANSLATABLE("Classroom", "Open this menu");
std::string_view KeyHelpText(const ClassroomAction &action);

// The Pause item while paused, and the sign that says so.
inline constexpr std::string_view kResumeText = TRANSLATABLE("Classroom", "&Resume");
inline constexpr std::string_view kPausedText = TRANSLATABLE("Classroom", "Paused");

// The "Paused" sign, in twips: small, in the empty upper right corner of the
// band diagram, its right edge at the collector's end (x 8760).
struct TwipRect {
    int left, top, width, height;
};
inline constexpr TwipRect kPausedSign = {7260, 1020, 1500, 300};

// Touch. A finger held this long (ms) on the band diagram or the plot opens
// the menu, as a right click does; moving further than kLongPressSlop CSS
// pixels, or a second finger, cancels it. Apps wait about as long before
// they answer a long press.
inline constexpr int kLongPressMs = 500;
inline constexpr int kLongPressSlop = 8;
// The smallest target for a finger, in CSS pixels: a menu item opened by
// touch is at least this tall.
inline constexpr int kTouchTarget = 44;
// Two fingers that move apart (or together) by this factor step the zoom once.
inline constexpr double kPinchStep = 1.25;
// A button that opens the menu, for a finger or a mouse: in the upper right
// corner of the form, which no control uses, a finger's target across at
// actual size (660 twips are 44 CSS pixels).
inline constexpr TwipRect kMenuButton = {9135, 120, 660, 660};
inline constexpr std::string_view kMenuButtonName = TRANSLATABLE("Classroom", "Classroom menu");

// Zoom: 100 % to 300 % in steps of 25 %.
inline constexpr double kZoomStep = 0.25;
inline constexpr int kZoomSteps = 8;

// The zoom `steps` steps of 25 % away from zoom, kept within 100 % .. 300 %.
double SteppedZoom(double zoom, int steps);

// The largest zoom, in whole percent from 100 % to 300 %, at which the whole
// form, its strip included, fits width × height pixels (at actual size);
// 100 % where it does not fit even then. The page opens at it when it is
// more than 100 %.
double FitZoom(double width, double height);

} // namespace transistor
