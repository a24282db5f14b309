#include "app/control_events.h"

#include <array>

namespace transistor {

namespace {

constexpr std::array<ControlEvent, 7> kControlEvents = {{
    {"Command1", "Start", &Command1_Click},
    {"Command2", "Close", [](Form &f, RandomSource &) { Command2_Click(f); }},
    {"Command3", "Restart", [](Form &f, RandomSource &) { Command3_Click(f); }},
    {"Timer1", "", &Timer1_Timer, &Controls::Timer1},
    {"Timer2", "", [](Form &f, RandomSource &) { Timer2_Timer(f); }, &Controls::Timer2},
    {"Timer3", "", [](Form &f, RandomSource &) { Timer3_Timer(f); }, &Controls::Timer3},
    {"Timer4", "", [](Form &f, RandomSource &) { Timer4_Timer(f); }, &Controls::Timer4},
}};

} // namespace

std::span<const ControlEvent> ControlEvents() {
    return kControlEvents;
}

const ControlEvent *FindControlEvent(std::string_view name) {
    for (const ControlEvent &e : kControlEvents)
        if (e.control == name) return &e;
    return nullptr;
}

const ControlEvent *FindButton(std::string_view name) {
    for (const ControlEvent &e : kControlEvents)
        if (!e.timer && (e.control == name || e.alias == name)) return &e;
    return nullptr;
}

void RunHandler(const ControlEvent &event, Form &f, RandomSource &rnd) {
    event.handler(f, rnd);
}

} // namespace transistor
