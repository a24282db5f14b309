#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "test_support.h"
#include "tests/support/invariants.h"

namespace transistor {
namespace {

using namespace testing;

// No carrier, no target, 0 K: every tick draws once for generation and twice
// for the one recombination attempt, and changes nothing but the plot.
Form Idle() {
    Form f = LaidOut();
    f.vars.Temperature = 0;
    f.vars.EmitterElectronTarget = f.vars.CollectorElectronTarget = f.vars.BaseHoleTarget = 0;
    return f;
}

TEST(Tick, PlotSweepsEveryTwoTwipsAndClearsAfter2660) {
    Form f = Idle();
    ScriptedRandom rnd = Draws(3 * 1332, 0.5f);
    for (int t = 0; t < 1330; ++t) {
        ASSERT_EQ(f.vars.PlotX.value(), 2 * t);
        Timer1_Timer(f, rnd);
    }
    EXPECT_EQ(f.ctl.Picture1.back().x, 2658);
    EXPECT_EQ(f.vars.PlotX.value(), 2660);
    Timer1_Timer(f, rnd);
    EXPECT_TRUE(f.ctl.Picture1.empty()) << "the point at 2660 is cleared with the rest";
    EXPECT_EQ(f.vars.PlotX.value(), 0);
    Timer1_Timer(f, rnd);
    EXPECT_EQ(f.ctl.Picture1, (std::vector<PlotPoint>{{0, 1380}}));
    EXPECT_EQ(rnd.remaining(), 0u);
}

TEST(Tick, RunTimeErrorStopsTheAnimationWhereItHappened) {
    Form f = Idle();
    f.ctl.Timer1.Enabled = true;
    f.vars.BaseHoleTarget = 12;
    f.vars.BaseCurrentCount = 32767;
    ScriptedRandom rnd({0.5f}); // the hole refill's; nothing later draws
    Timer1_Timer(f, rnd);
    EXPECT_FALSE(f.ctl.Timer1.Enabled);
    ASSERT_TRUE(f.feedback.error);
    EXPECT_NE(f.feedback.error->find("Overflow"), std::string::npos) << *f.feedback.error;
    // The hole was fed before the counter overflowed; nothing after it ran.
    EXPECT_EQ(f.ctl.Shape2(1), (Carrier{4780, 3240}));
    EXPECT_TRUE(f.ctl.Picture1.empty());
    // A fresh Start clears the report, so that the next error is a new one.
    ScriptedRandom again = Draws(201, 0.5f);
    Command1_Click(f, again);
    EXPECT_FALSE(f.feedback.error);
    EXPECT_TRUE(f.ctl.Timer1.Enabled);
}

TEST(Golden, FiveHundredTicksFromStart) {
    Form f = LaidOut();
    FixedSeedRandom rnd;
    Command1_Click(f, rnd);
    // The window's timers between ticks: Timer3 and Timer4 every 4 ticks
    // while enabled, Timer2 every 200.
    for (int t = 1; t <= 500; ++t) {
        Timer1_Timer(f, rnd);
        if (t % 4 == 0 && f.ctl.Timer3.Enabled) Timer3_Timer(f);
        if (t % 4 == 0 && f.ctl.Timer4.Enabled) Timer4_Timer(f);
        if (t % 200 == 0) Timer2_Timer(f);
        ASSERT_EQ(BrokenInvariant(f), "") << "after tick " << t;
    }
    // Recorded from this implementation; a change here means the run differs.
    const Controls &c = f.ctl;
    const std::string texts[] = {c.Text5, c.Text6, c.Text7, c.Text10, c.Text11, c.Text12};
    EXPECT_THAT(texts, ::testing::ElementsAre("99", "12", "134", "54", "80", "11"));
    EXPECT_EQ(c.Picture1.back(), (PlotPoint{998, 1380 - 14 * 98})) << "14 twips per electron";
    // Every carrier's position, bit for bit.
    std::uint64_t h = 1469598103934665603ull;
    for (int i = 0; i <= 100; ++i)
        for (Single v : {c.Shape1(i).Left, c.Shape1(i).Top, c.Shape2(i).Left, c.Shape2(i).Top})
            h = (h ^ std::bit_cast<std::uint32_t>(v)) * 1099511628211ull;
    EXPECT_EQ(h, 0xe4667c4ebbbc8676ull);
}

// Each invariant, fed a state that breaks it, is the one reported.
TEST(Invariants, EachBrokenOneIsReported) {
    const Form running = [] {
        Form f = LaidOut();
        ScriptedRandom rnd = Draws(201, 0.5f);
        Command1_Click(f, rnd);
        return f;
    }();
    ASSERT_EQ(BrokenInvariant(running), "");
    // clang-format off
    const std::pair<const char *, void (*)(Form &)> rows[] = {
        {"electron count outside 0..100", [](Form &f) { f.vars.ElectronCount = 101; }},
        {"hole count outside 0..100", [](Form &f) { f.vars.HoleCount = -1; }},
        {"electron 99 above the count is not parked", [](Form &f) { f.ctl.Shape1(99).Top = 0; }},
        {"hole 3 in use is parked", [](Form &f) { f.ctl.Shape2(3).Top = kParkedTop; }},
        {"electron 1 has no finite position", [](Form &f) { f.ctl.Shape1(1).Top = NAN; }},
        {"hole 2 is outside the device", [](Form &f) { f.ctl.Shape2(2).Left = 8761; }},
        {"electron 2 is outside the device", [](Form &f) { f.ctl.Shape1(2).Left = 1439; }},
        {"red marker and Timer3 disagree", [](Form &f) { f.ctl.Line18.Visible = true; }},
        {"blue marker and Timer4 disagree", [](Form &f) { f.ctl.Timer4.Enabled = true; }},
        {"PlotX outside 0..2660", [](Form &f) { f.vars.PlotX = 2662; }},
        {"PlotX outside 0..2660", [](Form &f) { f.vars.PlotX = -2; }},
        {"more plot points than one sweep", [](Form &f) { f.ctl.Picture1.resize(1332); }},
        {"negative bin count", [](Form &f) { f.vars.HoleBinPrev[20] = -1; }},
        {"negative bin count", [](Form &f) { f.vars.ElectronBinPrev[0] = -1; }},
        {"run-time error: Overflow", [](Form &f) { f.feedback.error = "Overflow"; }},
    };
    // clang-format on
    for (const auto &[broken, breakIt] : rows) {
        Form f = running;
        breakIt(f);
        EXPECT_EQ(BrokenInvariant(f), broken);
    }
}

} // namespace
} // namespace transistor
