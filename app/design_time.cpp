// The design-time values of the controls' run-time properties, read from the
// window description: the core declares what it needs, the window provides it.
#include "app/control_events.h"
#include "app/window_description.h"
#include "model/controls.h"

namespace transistor {

Controls Controls::DesignTime() {
    Controls c;
    for (std::size_t i = 0; i < kTextBoxes.size(); ++i)
        c.*kTextBoxes[i] = std::string(FindControl(kTextBoxNames[i]).caption);
    for (const NamedLine &l : kMovingLines) {
        const ControlDesign &design = FindControl(l.name);
        c.*l.line = LineProps{static_cast<Single>(design.x1), static_cast<Single>(design.y1),
                              static_cast<Single>(design.x2), static_cast<Single>(design.y2), true};
    }
    for (int i = 0; i <= 100; ++i) {
        const ControlDesign &e = FindControl("Shape1", i);
        c.Shape1(i) = Carrier{static_cast<Single>(e.left), static_cast<Single>(e.top)};
        const ControlDesign &h = FindControl("Shape2", i);
        c.Shape2(i) = Carrier{static_cast<Single>(h.left), static_cast<Single>(h.top)};
    }
    for (const ControlEvent &e : ControlEvents())
        if (e.timer) (c.*e.timer).Enabled = FindControl(e.control).enabled;
    return c;
}

} // namespace transistor
