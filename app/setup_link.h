// A setup in the page's address, for a teacher who hands out a link: the
// six inputs, the language, the zoom, the high contrast for a projector and
// whether Start is pressed once the
// page is ready, as in transistor-sim.html?VEB=0.3&VCB=1.5&start. The
// window takes no command line; only the page reads an address.
//
// A link changes only what the boxes hold as the page opens: their texts go
// in as they are, as if typed, and Start reads them as it reads typed text,
// so a value the program refuses is refused with the same message.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/controls.h"

namespace transistor {

// The name of each input in a link (any case: "veb" is VEB) and its box.
struct LinkInput {
    std::string_view name;
    std::string_view box;
};
inline constexpr std::array<LinkInput, 6> kLinkInputs = {{
    {"T", "Text1"},
    {"EFE", "Text2"},
    {"EFB", "Text3"},
    {"EFC", "Text9"},
    {"VEB", "Text4"},
    {"VCB", "Text8"},
}};

struct LinkSetup {
    // The boxes' texts, as box name and text, in the order of the link; a
    // name given twice: the last one counts, as it is set last.
    std::vector<std::pair<std::string_view, std::string>> texts;
    // lang=: the language whose translation the page shows before the
    // browser's ("en", "ja"; "designed": the texts as designed); one without
    // a translation leaves the browser's languages, then English, to choose.
    std::string language;
    // zoom= in percent, to the nearest step of the zoom keys within
    // 100 .. 300 %; 1 when not a number; 0 when absent: the page opens as
    // large as the form fits.
    double zoom = 0.0;
    // contrast=high: the look for a projector (app/look.h).
    bool highContrast = false;
    // start, start=1 (anything but start=0): Start is pressed once ready.
    bool start = false;
};

// Reads a query string, with or without its '?': name=value pairs joined by
// '&', each percent-decoded with '+' for a space, as forms send them. A
// name the page does not know is left alone (a platform may add its own).
LinkSetup ReadSetupLink(std::string_view query);

// The query of a link to the present inputs: every input, in the order of
// kLinkInputs, its text percent-encoded ("T=300&EFE=0.9&…").
std::string SetupLinkQuery(const Controls &controls);

} // namespace transistor
