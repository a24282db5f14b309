#include "view/simulation_clock.h"

#include <QTimer>
#include <algorithm>

namespace transistor {

SimulationClock::SimulationClock(QObject *parent) : QObject(parent) {}

void SimulationClock::add(QTimer *timer, const TimerProps *props, bool marker) {
    entries_.push_back({timer, props, timer->interval(), timer->timerType(), marker});
    // A timer thawed with its rest as interval returns to its own interval
    // and kind at the first tick after the pause. This runs after the tick's
    // handler.
    const int interval = timer->interval();
    const Qt::TimerType type = timer->timerType();
    connect(timer, &QTimer::timeout, this, [timer, interval, type] {
        if (timer->interval() == interval && timer->timerType() == type) return;
        timer->setTimerType(type);
        timer->setInterval(interval);
    });
}

void SimulationClock::sync() {
    for (Entry &e : entries_) {
        if (!e.props->Enabled) {
            e.frozenLeft = -1;
            e.timer->stop();
            continue;
        }
        // Enabling a running timer leaves its count alone.
        if (e.timer->isActive() || e.frozenLeft >= 0) continue;
        if (paused_ && !e.marker) continue;
        // A fresh start; a timer stopped during its rest has the rest as interval.
        e.timer->setTimerType(e.type);
        e.timer->start(e.interval);
    }
}

void SimulationClock::thaw(Entry &e) {
    if (e.frozenLeft >= 0 && e.props->Enabled) {
        // A coarse timer may shift a 10 s rest by half a second; the rest is
        // kept to the millisecond.
        e.timer->setTimerType(Qt::PreciseTimer);
        e.timer->start(e.frozenLeft);
    }
    e.frozenLeft = -1;
}

void SimulationClock::pause() {
    if (paused_) return;
    paused_ = true;
    for (Entry &e : entries_) {
        if (!e.timer->isActive()) continue;
        e.frozenLeft = std::max(0, e.timer->remainingTime());
        e.timer->stop();
    }
    emit pausedChanged(true);
}

void SimulationClock::resume() {
    if (!paused_) return;
    paused_ = false;
    for (Entry &e : entries_) thaw(e);
    sync();
    emit pausedChanged(false);
}

void SimulationClock::releaseMarkers() {
    for (Entry &e : entries_)
        if (e.marker) thaw(e);
}

void SimulationClock::stopAll() {
    for (Entry &e : entries_) {
        e.frozenLeft = -1;
        e.timer->stop();
    }
}

int SimulationClock::frozenRemaining(const QTimer *timer) const {
    for (const Entry &e : entries_)
        if (e.timer == timer) return e.frozenLeft;
    return -1;
}

} // namespace transistor
