// transistor-clock: counts the ticks of Timer1 between two readouts of
// Timer2 while the window animates, in turn undisturbed, being dragged,
// being resized and with a message box open. The count should be 200 (10 s
// of 50 ms ticks) give or take 2.
//
//   transistor-clock [READOUTS]     (default 3 readouts per condition)
//
// Prints one line per condition with the counts and the seconds between the
// readouts; the exit status is 1 when a count is off by more than 2.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "view/main_window.h"

using transistor::MainWindow;

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const int readouts = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    MainWindow window;
    window.show();
    auto *start = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    if (!start) return 2;

    // A disturbance runs every 16 ms, about the rate at which a window
    // manager passes on a drag or a resize.
    struct Condition {
        const char *name;
        std::function<void(int)> step; // called with a running step number
        bool message = false;
    };
    const QPoint home = window.pos();
    const QSize size = window.size();
    const QSize larger = window.maximumSize();
    const std::vector<Condition> conditions = {
        {"still", nullptr},
        {"drag", [&](int n) { window.move(home + QPoint(n % 40 * 5, n % 30 * 3)); }},
        {"resize",
         [&](int n) {
             const int k = n % 20;
             window.resize(size + (larger - size) * k / 20);
         }},
        {"message", nullptr, true},
    };

    QTimer disturb;
    disturb.setInterval(16);
    int step = 0;
    std::size_t current = 0;
    int ticks = 0, counted = 0;
    bool started = false, failed = false;
    std::vector<int> counts;
    std::vector<double> seconds;
    QElapsedTimer clock;

    const auto onEvent = [&](const QString &control, const std::function<void()> &f) {
        QObject::connect(&window, &MainWindow::delivered, [control, f](const QString &c) {
            if (c == control) f();
        });
    };
    onEvent(QStringLiteral("Timer1"), [&] { ++ticks; });
    QObject::connect(&disturb, &QTimer::timeout, [&] {
        if (conditions[current].step) conditions[current].step(step++);
    });
    auto begin = [&](std::size_t i) {
        current = i;
        counts.clear();
        seconds.clear();
        counted = -1; // the first readout only starts the count
        window.move(home);
        window.resize(size);
        if (conditions[i].message) {
            // A Start with a temperature that is no number: the message box
            // opens while the animation goes on.
            window.form().ctl.Text1 = "x";
            start->click();
        }
        disturb.start();
    };
    onEvent(QStringLiteral("Timer2"), [&] {
        if (!started) return;
        if (counted >= 0) {
            counts.push_back(ticks);
            seconds.push_back(clock.nsecsElapsed() / 1e9);
        }
        ticks = 0;
        clock.restart();
        if (++counted < readouts) return;
        std::printf("%-8s", conditions[current].name);
        for (std::size_t k = 0; k < counts.size(); ++k) {
            std::printf(" %d (%.3f s)", counts[k], seconds[k]);
            if (counts[k] < 198 || counts[k] > 202) failed = true;
        }
        std::printf("\n");
        std::fflush(stdout);
        if (current + 1 == conditions.size()) {
            app.exit(failed ? 1 : 0);
            return;
        }
        // The next condition starts once the program has finished this event.
        QTimer::singleShot(0, [&, next = current + 1] { begin(next); });
    });

    // Start right after the window is up; the counts begin at the next readout.
    QTimer::singleShot(500, [&] {
        start->click();
        started = true;
        begin(0);
    });
    return app.exec();
}
