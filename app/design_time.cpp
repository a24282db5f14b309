#include "model/controls.h"

#include "app/window_description.h"

namespace transistor {

Controls Controls::DesignTime() {
    Controls c;
    for (std::size_t i = 0; i < kTextBoxes.size(); ++i)
        c.*kTextBoxes[i] = std::string(FindControl(kTextBoxNames[i]).caption);
    for (const NamedLine &l : kMovingLines) {
        const ControlDesign &s = FindControl(l.name);
        c.*l.line = LineProps{static_cast<Single>(s.x1), static_cast<Single>(s.y1),
                              static_cast<Single>(s.x2), static_cast<Single>(s.y2), true};
    }
    for (int i = 0; i <= 100; ++i) {
        const ControlDesign &e = FindControl("Shape1", i);
        c.Shape1(i) = Carrier{static_cast<Single>(e.left), static_cast<Single>(e.top)};
        const ControlDesign &h = FindControl("Shape2", i);
        c.Shape2(i) = Carrier{static_cast<Single>(h.left), static_cast<Single>(h.top)};
    }
    for (const NamedTimer &t : kTimers) (c.*t.timer).Enabled = FindControl(t.name).enabled;
    return c;
}

std::string *TextBox(Controls &c, std::string_view name) {
    for (std::size_t i = 0; i < kTextBoxNames.size(); ++i)
        if (kTextBoxNames[i] == name) return &(c.*kTextBoxes[i]);
    return nullptr;
}

} // namespace transistor
