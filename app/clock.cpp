#include "app/clock.h"

#include <algorithm>
#include <stdexcept>

#include "app/window_description.h"

namespace transistor {

namespace {

// The order in which events due at the same millisecond are delivered.
constexpr std::array<std::string_view, 4> kOrder = {"Timer3", "Timer4", "Timer1", "Timer2"};

} // namespace

Clock::Clock(Millis start) : now_(start), until_(start) {
    for (std::size_t i = 0; i < kOrder.size(); ++i) {
        timers_[i].event = FindControlEvent(kOrder[i]);
        timers_[i].interval = FindControl(kOrder[i]).interval;
        timers_[i].marker = i < 2;
    }
}

Millis Clock::wake(Millis t) {
    until_ = std::max(now_, t);
    const std::optional<Millis> oldest = nextDeadline();
    const Millis slip = oldest ? std::max<Millis>(until_ - *oldest - kCatchUp, 0) : 0;
    if (slip > 0)
        for (Timer &timer : timers_)
            if (timer.running && !timer.frozenLeft) timer.due += slip;
    return slip;
}

Clock::Timer *Clock::takeDue() {
    Timer *next = nullptr;
    for (Timer &t : timers_)
        if (t.running && !t.frozenLeft && t.due <= until_ && (!next || t.due < next->due))
            next = &t;
    if (!next) {
        now_ = until_;
        return nullptr;
    }
    now_ = std::max(now_, next->due);
    next->due += next->interval;
    return next;
}

std::optional<Millis> Clock::nextDeadline() const {
    std::optional<Millis> next;
    for (const Timer &t : timers_)
        if (t.running && !t.frozenLeft && (!next || t.due < *next)) next = t.due;
    return next;
}

void Clock::start(Timer &t) {
    t.running = true;
    t.due = now_ + t.interval;
    t.frozenLeft.reset();
}

void Clock::sync(const Controls &c) {
    for (Timer &t : timers_) {
        if (!(c.*t.event->timer).Enabled) {
            t.running = false;
            t.frozenLeft.reset();
        } else if (!t.running && (!paused_ || t.marker)) {
            start(t);
        }
    }
}

void Clock::pause() {
    if (paused_) return;
    paused_ = true;
    for (Timer &t : timers_)
        if (t.running) t.frozenLeft = std::max<Millis>(t.due - now_, 0);
}

void Clock::resume(const Controls &c) {
    if (!paused_) return;
    paused_ = false;
    for (Timer &t : timers_) {
        if (!t.frozenLeft) continue;
        t.due = now_ + *t.frozenLeft;
        t.frozenLeft.reset();
    }
    sync(c);
}

void Clock::releaseMarkers(const Controls &c) {
    for (Timer &t : timers_) {
        if (!t.marker || !t.frozenLeft) continue;
        t.due = now_ + *t.frozenLeft;
        t.frozenLeft.reset();
    }
    sync(c);
}

void Clock::stopAll() {
    for (Timer &t : timers_) {
        t.running = false;
        t.frozenLeft.reset();
    }
}

const Clock::Timer &Clock::timer(std::string_view control) const {
    for (const Timer &t : timers_)
        if (t.event->control == control) return t;
    throw std::out_of_range("no timer " + std::string(control));
}

} // namespace transistor
