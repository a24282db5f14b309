// The program's clock with a time of the test's own: pause, single step, a
// late wake, and the window's rules that the program keeps (Enter, what the
// user is told, the pause described). The order of the timers' events and a
// readout every 200 ticks are in the traces' stored dumps.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"

namespace transistor {
namespace {

struct Event {
    std::string control;
    Millis at;
    friend bool operator==(const Event &, const Event &) = default;
    friend void PrintTo(const Event &e, std::ostream *os) { *os << e.control << '@' << e.at; }
};

// A program whose events are logged with the time of their delivery. A tick
// throws an overflow from the tick numbered failAt on, as an error that a
// handler lets out.
struct Session {
    std::vector<Event> log;
    int failAt = -1;
    int ticks = 0;
    std::unique_ptr<Program> p;

    Session() {
        Program::Options o;
        o.delivered = [this](const ControlEvent &e) {
            log.push_back({std::string(e.control), p->clock().now()});
        };
        o.run = [this](const ControlEvent &e, Form &f, RandomSource &rnd) {
            if (e.control == "Timer1" && failAt >= 0 && ++ticks >= failAt) throw OverflowError();
            RunHandler(e, f, rnd);
        };
        p = std::make_unique<Program>(std::move(o));
    }
    void press(const char *button, Millis at) { p->press(*FindButton(button), at); }
    int count(const char *control, Millis from = 0, Millis to = 1 << 30) const {
        int n = 0;
        for (const Event &e : log) n += e.control == control && e.at > from && e.at <= to;
        return n;
    }
    bool runs(const char *timer) const {
        const Clock::Timer &t = p->clock().timer(timer);
        return t.running && !t.frozenLeft;
    }
};

// A pause of any length, at any moment, leaves every event where it was in
// running time: the run after the pause is the run without it, later.
TEST(Clock, APauseShiftsEveryLaterEventByItsLength) {
    Session plain;
    plain.press("Start", 0);
    plain.p->runUntil(30000);
    for (const Millis pausedAt : {3000, 3025, 9999}) {
        for (const Millis length : {1, 49, 50, 10000, 60000}) {
            Session r;
            r.press("Start", 0);
            r.p->runUntil(pausedAt);
            r.p->pause(pausedAt);
            r.p->runUntil(pausedAt + length);
            EXPECT_EQ(r.count("Timer1", pausedAt) + r.count("Timer2", pausedAt), 0);
            r.p->resume(pausedAt + length);
            r.p->runUntil(30000 + length);
            std::vector<Event> shifted = r.log;
            for (Event &e : shifted)
                if (e.at > pausedAt) e.at -= length;
            EXPECT_EQ(shifted, plain.log) << pausedAt << " + " << length;
        }
    }
}

TEST(Clock, EachStepIsOneTickAndLeavesTheRestFrozen) {
    Session r;
    r.p->step(100);
    EXPECT_TRUE(r.log.empty() && !r.p->paused()) << "nothing before the first Start";
    r.press("Start", 0);
    r.p->runUntil(1020);
    const Form before = r.p->form();
    r.p->step(1020);
    r.p->step(1021);
    r.p->step(5000);
    EXPECT_EQ(r.count("Timer1", 1000), 3);
    EXPECT_EQ(r.p->form().vars.PlotX.value(), before.vars.PlotX.value() + 6);
    EXPECT_TRUE(r.p->paused());
    EXPECT_EQ(*r.p->clock().timer("Timer1").frozenLeft, 30);
    EXPECT_EQ(*r.p->clock().timer("Timer2").frozenLeft, 10000 - 1020);
    r.p->runUntil(20000);
    EXPECT_EQ(r.count("Timer1", 5000) + r.count("Timer2", 5000), 0);
}

TEST(Clock, AMarkerShownByAStepClearsAfterItsOwn200Ms) {
    Session r;
    r.press("Start", 0);
    Millis t = 10;
    r.p->step(t);
    while (!r.p->form().ctl.Line18.Visible && t < 20000) r.p->step(++t);
    ASSERT_TRUE(r.p->form().ctl.Line18.Visible);
    r.log.clear();
    r.p->runUntil(t + 199);
    EXPECT_TRUE(r.p->form().ctl.Line18.Visible);
    r.p->runUntil(t + 200);
    EXPECT_FALSE(r.p->form().ctl.Line18.Visible || r.runs("Timer3"));
    EXPECT_EQ(r.count("Timer3"), 1);
    EXPECT_EQ(r.count("Timer1") + r.count("Timer2"), 0) << "no tick or readout";
    EXPECT_TRUE(r.p->paused());
}

// A view that wakes late gets every event that fell due, each at its own
// time and in order, as a view woken on time at every deadline would (the
// driver's wait). Past a second of catch-up the clock slips: the events of
// the last second run, and the rest is the run with a pause after the last
// wake, the time skipped told in the window's description.
TEST(Clock, ALateWakeCatchesUpAtMostASecondAndSlipsBeyond) {
    const struct {
        const char *name;
        Millis last, wake; // the last wake, on time, and the late one
        int ticks;
        Millis skipped;
    } rows[] = {
        {"on time", 1000, 1050, 1, 0},
        {"500 ms after the last wake", 1000, 1500, 10, 0},
        {"with a readout", 9500, 10020, 10, 0},
        {"a second late", 1000, 2050, 21, 0},
        {"just past the bound", 1000, 2051, 21, 1},
        {"an hour late", 1000, 1000 + 3600000, 21, 3600000 - 1050},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Session late, paused;
        for (Session *r : {&late, &paused}) {
            r->press("Start", 0);
            r->p->runUntil(row.last);
            r->log.clear();
        }
        late.p->advanceTo(row.wake);
        EXPECT_EQ(late.count("Timer1"), row.ticks);
        EXPECT_EQ(late.p->skipped(), row.skipped);
        EXPECT_EQ(late.p->clock().now(), row.wake);
        // The same events at the same times as on-time wakes, with the
        // skipped time paused away right after the last wake.
        paused.p->pause(row.last);
        paused.p->resume(row.last + row.skipped);
        paused.p->runUntil(row.wake);
        EXPECT_EQ(late.log, paused.log);
        late.p->runUntil(row.wake + 30000);
        paused.p->runUntil(row.wake + 30000);
        EXPECT_EQ(late.log, paused.log) << "and after it";
        EXPECT_EQ(late.p->windowDescription().empty(), row.skipped == 0);
    }
}

TEST(Clock, TheSkippedTimeIsToldUntilTheNextStart) {
    Program::Options o;
    o.decimalSeparator = ",";
    o.translate = [](const char *, std::string_view source) { return std::string(source); };
    Program p(std::move(o));
    p.press(*FindButton("Start"), 0);
    p.advanceTo(3601050);
    EXPECT_EQ(p.windowDescription(), "The animation could not keep up with the clock and has "
                                     "skipped 3600,0 s since Start; each readout still counts "
                                     "10 s of animation.");
    p.pause(3601060);
    EXPECT_EQ(p.windowDescription(), "The animation is paused.");
    p.press(*FindButton("Start"), 3601070);
    EXPECT_EQ(p.windowDescription(), "");
}

// An error in a step while paused stops the ticks for good: later steps do
// nothing, and a resume brings back the readouts but not the ticks.
TEST(Clock, AnErrorInAStepStopsTheTicks) {
    Session r;
    r.press("Start", 0);
    r.p->runUntil(1010);
    r.p->pause(1010);
    r.failAt = 1;
    r.p->step(1010);
    EXPECT_TRUE(r.p->form().feedback.error && !r.p->form().ctl.Timer1.Enabled);
    r.p->step(1020);
    EXPECT_EQ(r.count("Timer1"), 21);
    EXPECT_TRUE(r.p->paused());
    r.p->resume(2000);
    r.p->runUntil(12000);
    EXPECT_FALSE(r.runs("Timer1"));
    EXPECT_TRUE(r.runs("Timer2"));
}

TEST(Program, EnterInAnInputBoxStartsThenRestarts) {
    const struct {
        const char *box;
        bool started;
        const char *delivered; // "" when the box takes no Enter
    } rows[] = {
        {"Text4", false, "Command1"}, {"Text1", true, "Command3"}, {"Text9", true, "Command3"},
        {"Text7", false, ""},         {"Text13", true, ""},
    };
    for (const auto &row : rows) {
        Session r;
        if (row.started) r.press("Start", 0);
        r.log.clear();
        EXPECT_EQ(r.p->enter(row.box, 10), *row.delivered != '\0') << row.box;
        EXPECT_EQ(r.log.empty() ? "" : r.log.back().control, row.delivered) << row.box;
    }
}

// Each message once, with the box to go back to; each error once, and
// again once a Start has cleared it. The texts in the user's language.
TEST(Program, TellsEachMessageAndErrorOnce) {
    Program::Options o;
    o.translate = [](const char *context, std::string_view source) {
        return std::string(context) + ":" + std::string(source);
    };
    Program p(std::move(o));
    EXPECT_FALSE(p.takeNotice());
    p.form().ctl.Text9 = "x";
    p.press(*FindButton("Start"), 0);
    const std::optional<Notice> refused = p.takeNotice();
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->focusBox, "Text9");
    // The template and the phrases translated, then the places filled.
    EXPECT_EQ(refused->text,
              "Message:Message:Collector Fermi level (eV): \"x\" is not a number. Message:Enter a "
              "level in eV above the valence-band edge, such as 0.7.");
    EXPECT_FALSE(p.takeNotice());
    p.form().ctl.Text9 = "0.7";
    for (int round = 0; round < 2; ++round) {
        p.form().feedback.error = "Overflow";
        const std::optional<Notice> error = p.takeNotice();
        ASSERT_TRUE(error);
        EXPECT_EQ(*error, (Notice{"Overflow", ""}));
        EXPECT_FALSE(p.takeNotice());
        p.press(*FindButton("Start"), 100);
        EXPECT_FALSE(p.takeNotice());
    }
    p.pause(200);
    EXPECT_EQ(p.windowDescription(), "Description:The animation is paused.");
    p.resume(300);
    EXPECT_EQ(p.windowDescription(), "");
}

} // namespace
} // namespace transistor
