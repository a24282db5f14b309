// How the form is painted, beside the window description that says where
// everything is: the designed look, and a high contrast for a projector in a
// bright room. One set of names, two sets of values; both views paint from
// it, and the designed look is the default.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/window_description.h"

namespace transistor {

struct Look {
    std::string_view name;
    std::uint32_t formBackground; // behind the drawing, the labels and the buttons
    std::uint32_t text;           // labels and boxes
    std::uint32_t boxBackground;  // text boxes and the plot
    std::uint32_t boxBorder;      // a text box's border
    int boxBorderWidth;           // pixels at actual size
    // The marker lines' colours; -1: as the window description has them.
    std::int32_t generationMarker;
    std::int32_t recombinationMarker;
    // Every line, outline and plot point is at least this many device
    // pixels wide, whatever the zoom and the screen.
    int lineDevicePixels;
};

// The designed look: a desktop's grey window with one-pixel lines.
inline constexpr Look kDesignedLook = {"designed", 0xEFEFEF, 0x000000, 0xFFFFFF, 0x7A7A7A,
                                       1,          -1,       -1,       1};

// On white, a carrier's white hole shows only by its outline, black and two
// device pixels wide; the red marker darkens to 6.4 : 1 against white (the
// designed red is 4.0 : 1), the blue one is 8.6 : 1 already; box borders
// are black.
inline constexpr Look kHighContrastLook = {"high", 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000,
                                           2,      0xC00000, 0x0000FF, 2};

const Look &LookFor(bool highContrast);

// The colour a line or shape of the description is drawn in under look.
std::uint32_t ColorIn(const Look &look, const ControlDesign &control);

// The contrast of two colours as the readability guidelines for the web
// measure it: from 1 (the same) to 21 (black on white).
double Contrast(std::uint32_t a, std::uint32_t b);

} // namespace transistor
