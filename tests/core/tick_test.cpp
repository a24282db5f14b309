#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>

#include "scene.h"

namespace transistor {
namespace {

using namespace testing;

// The window's timers as they fire between ticks: Timer2 every 10 s (200
// ticks), Timer3 and Timer4 every 200 ms (4 ticks) while enabled.
void AfterTick(Form &f, int tick) {
    if (tick % 4 == 0) {
        if (f.ctl.Timer3.Enabled) Timer3_Timer(f);
        if (f.ctl.Timer4.Enabled) Timer4_Timer(f);
    }
    if (tick % 200 == 0) Timer2_Timer(f);
}

// What must hold between two events; empty when all is well.
std::string Broken(const Form &f) {
    std::ostringstream out;
    if (f.feedback.error) out << "error: " << *f.feedback.error;
    auto check = [&](const char *what, const CarrierArray &shapes, Integer count) {
        if (count < 0 || count > 100) {
            out << what << " count " << count.value();
            return;
        }
        for (int i = 1; i <= 100; ++i) {
            const Carrier &c = shapes(i);
            if (i > count.value()) {
                if (c.Top != kParkedTop) out << what << ' ' << i << " above the count, not parked";
            } else if (c.Top == kParkedTop || !std::isfinite(c.Top) || !std::isfinite(c.Left) ||
                       c.Left < 1440 || c.Left > 8760) {
                out << what << ' ' << i << " in use at (" << c.Left << ", " << c.Top << ")";
            }
        }
    };
    check("electron", f.ctl.Shape1, f.vars.ElectronCount);
    check("hole", f.ctl.Shape2, f.vars.HoleCount);
    return out.str();
}

TEST(Tick, PhasesRunInOrder) {
    Form f = WithElectrons({{2000, 2175}, {2500, 2175}});
    PutCarriers(f.ctl.Shape2, f.vars.HoleCount, {{4500, 3240}, {4800, 3240}});
    f.vars.EmitterElectronTarget = 2;
    f.vars.CollectorElectronTarget = 0;
    f.vars.BaseHoleTarget = 2;
    ScriptedRandom rnd = Script({
        kStill, kNoRelax, kPlus, kStill, kNoRelax, kStill,  // electrons: 1 steps right
        kStill, kNoRelax, kMinus, kStill, kNoRelax, kStill, // holes: 1 steps left
        0.0f, DrawFor(7000),                                // a pair at 7000
        0.0f, 0.99f,                                        // electron 1 with the new hole
    });
    Timer1_Timer(f, rnd);
    EXPECT_EQ(rnd.remaining(), 0u);
    ASSERT_FALSE(f.feedback.error);
    EXPECT_EQ(f.ctl.Shape1(1).Left, 2060);
    EXPECT_EQ(f.ctl.Shape2(1).Left, 4440);
    EXPECT_EQ(f.ctl.Text11, "2");
    EXPECT_EQ(f.ctl.Text12, "0");
    // The refills parked electron 2 and hole 2; generation brought both back.
    EXPECT_EQ(f.ctl.Shape1(2), (Carrier{7000, 4335}));
    EXPECT_EQ(f.ctl.Shape2(2), (Carrier{7000, 5640}));
    EXPECT_EQ(f.vars.CollectorCurrentCount.value(), -1);
    EXPECT_EQ(f.vars.BaseCurrentCount.value(), -1);
    // This tick's bins became the previous tick's: electrons in bins 1 and 2,
    // holes in bins 8 and 9, counted before the refills.
    BinArray electrons{}, holes{};
    electrons[1] = electrons[2] = 1;
    holes[8] = holes[9] = 1;
    EXPECT_EQ(f.vars.ElectronBinPrev, electrons);
    EXPECT_EQ(f.vars.HoleBinPrev, holes);
    EXPECT_EQ(f.vars.ElectronBinCount, BinArray{});
    EXPECT_EQ(f.ctl.Picture1.back(), (PlotPoint{0, 1380 - 14 * 2}));
}

// No carrier, no target, 0 K: every tick draws once for generation and twice
// for the one recombination attempt, and changes nothing but the plot.
Form Idle() {
    Form f = LaidOut();
    f.vars.Temperature = 0;
    f.vars.EmitterElectronTarget = 0;
    f.vars.CollectorElectronTarget = 0;
    f.vars.BaseHoleTarget = 0;
    return f;
}

TEST(Tick, PlotSweepsEveryTwoTwipsAndClearsAfter2660) {
    Form f = Idle();
    ScriptedRandom rnd = Draws(3 * 1332, 0.5f);
    for (int t = 0; t < 1332; ++t) {
        ASSERT_EQ(f.vars.PlotX.value(), t <= 1330 ? 2 * t : 0);
        Timer1_Timer(f, rnd);
        if (t == 1329) {
            ASSERT_EQ(f.ctl.Picture1.back().x, 2658);
        }
        if (t == 1330) {
            EXPECT_TRUE(f.ctl.Picture1.empty()) << "the point at 2660 is cleared with the rest";
            EXPECT_EQ(f.vars.PlotX.value(), 0);
        }
    }
    EXPECT_EQ(f.ctl.Picture1, (std::vector<PlotPoint>{{0, 1380}}));
    EXPECT_EQ(rnd.remaining(), 0u);
}

TEST(Tick, PlotHeightIs14TwipsPerElectron) {
    // All in the collector with a target of 0: the emitter step parks one.
    for (auto [before, y] : {std::pair{1, 1380}, {51, 680}, {99, 8}, {100, -6}}) {
        Form f = Idle();
        for (int i = 1; i <= 100; ++i) f.ctl.Shape1(i) = {7000, i <= before ? 4335 : kParkedTop};
        f.vars.ElectronCount = before;
        FixedSeedRandom rnd;
        Timer1_Timer(f, rnd);
        ASSERT_EQ(f.vars.ElectronCount.value(), before - 1);
        EXPECT_EQ(f.ctl.Picture1.back().y, y) << before - 1 << " electrons";
    }
}

TEST(Readout, ShowsAndClearsBothCurrents) {
    EXPECT_EQ(LoadedForm().ctl.Text7, "0");
    const struct {
        int collector, base;
        const char *text7, *text10;
    } rows[] = {{0, 0, "0", "0"}, {5, -3, "5", "-3"}, {-1, 200, "-1", "200"}};
    for (const auto &r : rows) {
        Form f = LoadedForm();
        f.vars.CollectorCurrentCount = r.collector;
        f.vars.BaseCurrentCount = r.base;
        Timer2_Timer(f);
        EXPECT_EQ(f.ctl.Text7, r.text7);
        EXPECT_EQ(f.ctl.Text10, r.text10);
        EXPECT_EQ(f.vars.CollectorCurrentCount.value(), 0);
        EXPECT_EQ(f.vars.BaseCurrentCount.value(), 0);
    }
}

TEST(Tick, RunTimeErrorStopsTheAnimationWhereItHappened) {
    Form f = Idle();
    f.ctl.Timer1.Enabled = true;
    f.vars.BaseHoleTarget = 12;
    f.vars.BaseCurrentCount = 32767;
    const Form before = f;
    ScriptedRandom rnd = Script({0.5f}); // the hole refill's; nothing later draws
    Timer1_Timer(f, rnd);
    EXPECT_FALSE(f.ctl.Timer1.Enabled);
    ASSERT_TRUE(f.feedback.error);
    EXPECT_NE(f.feedback.error->find("Overflow"), std::string::npos) << *f.feedback.error;
    // The hole was fed before the counter overflowed; nothing after it ran.
    EXPECT_EQ(f.vars.HoleCount.value(), 1);
    EXPECT_EQ(f.ctl.Shape2(1), (Carrier{4780, 3240}));
    EXPECT_EQ(f.vars.BaseCurrentCount.value(), 32767);
    EXPECT_EQ(f.vars.PlotX, before.vars.PlotX);
    EXPECT_EQ(f.ctl.Picture1, before.ctl.Picture1);
    EXPECT_EQ(f.vars.ElectronBinPrev, before.vars.ElectronBinPrev);
}

TEST(LongRun, DesignTimeInputsKeepTheInvariants) {
    Form f = LaidOut();
    FixedSeedRandom rnd;
    Command1_Click(f, rnd);
    for (int t = 1; t <= 100000; ++t) {
        Timer1_Timer(f, rnd);
        AfterTick(f, t);
        const std::string broken = Broken(f);
        ASSERT_EQ(broken, "") << "after tick " << t;
    }
}

TEST(LongRun, RandomRestartsKeepTheInvariants) {
    Form f = LaidOut();
    FixedSeedRandom rnd;
    Command1_Click(f, rnd);
    std::mt19937 inputs(2024);
    auto pick = [&](double lo, double hi) {
        std::ostringstream s;
        s << std::uniform_real_distribution<double>(lo, hi)(inputs);
        return s.str();
    };
    for (int t = 1; t <= 50000; ++t) {
        if (t % 250 == 0) {
            Inputs in;
            in.temperature = std::to_string(std::uniform_int_distribution<int>(0, 1000)(inputs));
            in.emitter = pick(0, 1);
            in.base = pick(0, 1);
            in.collector = pick(0, 1);
            in.veb = pick(0, 0.6);
            in.vcb = pick(0, 2);
            Type(f, in);
            Command3_Click(f);
            ASSERT_FALSE(f.feedback.message) << *f.feedback.message;
        }
        Timer1_Timer(f, rnd);
        AfterTick(f, t);
        const std::string broken = Broken(f);
        ASSERT_EQ(broken, "") << "after tick " << t << " with " << f.ctl.Text1 << ' ' << f.ctl.Text2
                              << ' ' << f.ctl.Text3 << ' ' << f.ctl.Text9 << ' ' << f.ctl.Text4
                              << ' ' << f.ctl.Text8;
    }
}

// Every carrier's position, bit for bit.
std::uint64_t PositionsChecksum(const Controls &c) {
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&](Single v) {
        h ^= std::bit_cast<std::uint32_t>(v);
        h *= 1099511628211ull;
    };
    for (int i = 0; i <= 100; ++i) {
        mix(c.Shape1(i).Left), mix(c.Shape1(i).Top), mix(c.Shape2(i).Left), mix(c.Shape2(i).Top);
    }
    return h;
}

TEST(Golden, FiveHundredTicksFromStart) {
    Form f = LaidOut();
    FixedSeedRandom rnd;
    Command1_Click(f, rnd);
    for (int t = 1; t <= 500; ++t) {
        Timer1_Timer(f, rnd);
        AfterTick(f, t);
    }
    // Recorded from this implementation; a change here means the run differs.
    const Controls &c = f.ctl;
    EXPECT_EQ(f.vars.ElectronCount.value(), 98);
    EXPECT_EQ(f.vars.HoleCount.value(), 11);
    const std::pair<std::string, const char *> texts[] = {
        {c.Text5, "99"},  {c.Text6, "12"},  {c.Text7, "134"},
        {c.Text10, "54"}, {c.Text11, "80"}, {c.Text12, "11"},
    };
    for (const auto &[got, want] : texts) EXPECT_EQ(got, want);
    EXPECT_EQ(c.Shape1(1), (Carrier{6121.98438f, 3499.79004f}));
    EXPECT_EQ(c.Shape2(1), (Carrier{5066.36523f, 3300}));
    EXPECT_EQ(PositionsChecksum(c), 0xe4667c4ebbbc8676ull);
}

} // namespace
} // namespace transistor
