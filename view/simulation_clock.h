// The window's four timers as one clock that can be paused. Each timer runs
// while its control is Enabled. A pause stops them all, and each keeps the
// time it had left: on resume it fires after that rest and then at its own
// interval again, so a pause of any length leaves the ticks and the 10 s
// readout where they were.
#pragma once

#include <QObject>
#include <vector>

#include "model/controls.h"

class QTimer;

namespace transistor {

class SimulationClock : public QObject {
    Q_OBJECT

  public:
    explicit SimulationClock(QObject *parent = nullptr);

    // A timer of the window and the control whose Enabled drives it. A
    // marker timer only hides a marker line: it may run out after a single
    // step while the clock is paused, so that the marker flashes as in the
    // running animation.
    void add(QTimer *timer, const TimerProps *props, bool marker);

    // Starts and stops the timers as their controls say; runs after every
    // handler. While paused only a marker enabled since the pause starts.
    void sync();

    void pause();
    void resume();
    bool isPaused() const { return paused_; }

    // A single step ran while paused: the marker timers run out.
    void releaseMarkers();

    // Ends every timer for good (the window closes).
    void stopAll();

    // What a timer frozen by the pause has left, in ms; -1 if it is not frozen.
    int frozenRemaining(const QTimer *timer) const;

  signals:
    void pausedChanged(bool paused);

  private:
    struct Entry {
        QTimer *timer;
        const TimerProps *props;
        int interval;
        Qt::TimerType type;
        bool marker;
        int frozenLeft = -1;
    };
    void thaw(Entry &e);

    std::vector<Entry> entries_;
    bool paused_ = false;
};

} // namespace transistor
