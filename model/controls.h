// The run-time properties of every control that a handler reads or writes.
// Everything else in the window keeps its design-time state (see
// app/window_description.h) and lives only in the view.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/numeric.h"

namespace transistor {

// Top of a carrier that is not in use: below everything the window shows.
inline constexpr Single kParkedTop = 10000;

struct Carrier {
    Single Left = 0;
    Single Top = 0;
    friend bool operator==(const Carrier &, const Carrier &) = default;
};

struct LineProps {
    Single X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool Visible = true;
    friend bool operator==(const LineProps &, const LineProps &) = default;
};

struct TimerProps {
    bool Enabled = false;
    friend bool operator==(const TimerProps &, const TimerProps &) = default;
};

struct PlotPoint {
    Single x = 0, y = 0;
    friend bool operator==(const PlotPoint &, const PlotPoint &) = default;
};

// A control array of 101 circles; an index outside 0..100 is an error.
class CarrierArray {
  public:
    Carrier &operator()(double index) { return members_[IndexFrom(index, 0, 100)]; }
    const Carrier &operator()(double index) const { return members_[IndexFrom(index, 0, 100)]; }
    Carrier &operator()(Integer index) { return (*this)(index.toDouble()); }
    const Carrier &operator()(Integer index) const { return (*this)(index.toDouble()); }
    Carrier &operator()(int index) { return members_[checked(index)]; }
    const Carrier &operator()(int index) const { return members_[checked(index)]; }
    static constexpr int size() { return 101; }
    friend bool operator==(const CarrierArray &, const CarrierArray &) = default;

  private:
    static int checked(int index) {
        if (index < 0 || index > 100) throw SubscriptError();
        return index;
    }
    std::array<Carrier, 101> members_{};
};

struct Controls {
    std::string Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10, Text11,
        Text12, Text13;
    LineProps Line3, Line4, Line5, Line8, Line9, Line10, Line18, Line19, Line20, Line21, Line23,
        Line24, Line25;
    CarrierArray Shape1; // electrons
    CarrierArray Shape2; // holes
    TimerProps Timer1, Timer2, Timer3, Timer4;
    std::vector<PlotPoint> Picture1; // points set since the plot was last cleared

    // Each control with its design-time properties. The window provides them
    // (app/design_time.cpp), from its description.
    static Controls DesignTime();

    friend bool operator==(const Controls &, const Controls &) = default;
};

// Named access, for the script driver, the dump and the view.
inline constexpr std::array<std::string Controls::*, 13> kTextBoxes = {
    &Controls::Text1,  &Controls::Text2,  &Controls::Text3, &Controls::Text4, &Controls::Text5,
    &Controls::Text6,  &Controls::Text7,  &Controls::Text8, &Controls::Text9, &Controls::Text10,
    &Controls::Text11, &Controls::Text12, &Controls::Text13};
inline constexpr std::array<std::string_view, 13> kTextBoxNames = {
    "Text1", "Text2", "Text3",  "Text4",  "Text5",  "Text6", "Text7",
    "Text8", "Text9", "Text10", "Text11", "Text12", "Text13"};

struct NamedLine {
    std::string_view name;
    LineProps Controls::*line;
};
inline constexpr std::array<NamedLine, 13> kMovingLines = {{
    {"Line3", &Controls::Line3},
    {"Line4", &Controls::Line4},
    {"Line5", &Controls::Line5},
    {"Line8", &Controls::Line8},
    {"Line9", &Controls::Line9},
    {"Line10", &Controls::Line10},
    {"Line18", &Controls::Line18},
    {"Line19", &Controls::Line19},
    {"Line20", &Controls::Line20},
    {"Line21", &Controls::Line21},
    {"Line23", &Controls::Line23},
    {"Line24", &Controls::Line24},
    {"Line25", &Controls::Line25},
}};

// The text box called name ("Text1" … "Text13"), or nullptr.
std::string *TextBox(Controls &c, std::string_view name);

} // namespace transistor
