// Generation and recombination of electron-hole pairs, with the design-time
// geometry.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/phases.h"
#include "test_support.h"

namespace transistor {
namespace {

using namespace testing;

// The draw that places a generated pair at x: r * 7320 + 1440 == x in single.
Single DrawFor(Single x) {
    Single r = (x - 1440) / 7320;
    while (r * 7320.0f + 1440.0f > x) r = std::nextafter(r, 0.0f);
    while (r * 7320.0f + 1440.0f < x) r = std::nextafter(r, 1.0f);
    return r;
}

// Electrons at electronX and holes at holeX; the emitter target fixes the
// number of recombination attempts.
Form Scene(int electrons, int holes, Single electronX = 2000, Single holeX = 2000, int target = 81,
           const Inputs &in = {}) {
    Form f = LaidOut(in);
    for (int i = 1; i <= 100; ++i) {
        f.ctl.Shape1(i) = {electronX, i <= electrons ? 2175 : kParkedTop};
        f.ctl.Shape2(i) = {holeX, i <= holes ? 3480 : kParkedTop};
    }
    f.vars.ElectronCount = electrons;
    f.vars.HoleCount = holes;
    f.vars.EmitterElectronTarget = target;
    return f;
}

TEST(GeneratePair, ChanceIsTemperatureOver5000AndNeitherCountPasses100) {
    const Single r300 = 0.06f, up1 = std::nextafter(r300, 1.0f), up2 = std::nextafter(up1, 1.0f);
    // clang-format off
    const struct { const char *name; int temperature, electrons, holes; Single r1; bool pair; }
    rows[] = {
        {"r * 5000 equal to the temperature", 300, 5, 5, r300, true},
        {"300.0000119 rounds to 300", 300, 5, 5, up1, true},
        {"300.0000491 rounds to 300.00006", 300, 5, 5, up2, false},
        {"0 K, r above 0", 0, 5, 5, 1e-7f, false},
        {"-50 K, r 0", -50, 5, 5, 0, false},
        {"5000 K, r 0.999", 5000, 5, 5, 0.999f, true},
        {"99 of each: the pair makes 100", 300, 99, 99, 0, true},
        {"100 electrons: no pair", 300, 100, 40, 0, false},
        {"100 holes: no pair", 300, 40, 100, 0, false},
    };
    // clang-format on
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        Form f = Scene(r.electrons, r.holes);
        f.vars.Temperature = r.temperature;
        ScriptedRandom rnd({r.r1, 0.5f});
        GeneratePair(f, rnd);
        EXPECT_EQ(rnd.used(), r.pair ? 2u : 1u);
        EXPECT_EQ(f.vars.ElectronCount.value(), r.electrons + r.pair);
        EXPECT_EQ(f.vars.HoleCount.value(), r.holes + r.pair);
        EXPECT_EQ(f.ctl.Timer3.Enabled, r.pair);
        EXPECT_EQ(f.ctl.Text6, r.pair ? std::to_string(r.holes + 1) : "0") << "count box";
    }
}

TEST(GeneratePair, PlacesThePairAndTheMarkerByRegion) {
    // clang-format off
    const struct { const char *vcb; Single x, electronTop, holeTop, y1, y2; } rows[] = {
        {"1.5", 2000, 2175, 3480, 2280, 3480}, // emitter
        {"1.5", 4080, 2175, 3480, 2280, 3480}, // EmitterRightX is emitter
        {"1.5", 4220, 2055, 3360, 2160, 3360}, // emitter-base junction
        {"1.5", 4360, 1935, 3240, 2040, 3240}, // BaseLeftX is base
        {"1.5", 5800, 3135, 4440, 3240, 4440}, // base-collector junction
        {"1.5", 6400, 4335, 5640, 4440, 5640}, // CollectorLeftX is collector
        {"0", 5200, 2535, 3840, 2640, 3840},   // no junction: the collector's, not the base's
    };
    // clang-format on
    for (const auto &r : rows) {
        SCOPED_TRACE(r.x);
        Form f = Scene(10, 3, 2000, 2000, 81, Inputs{"300", "0.9", "0.2", "0.7", "0.5", r.vcb});
        ScriptedRandom rnd({0.0f, DrawFor(r.x)});
        GeneratePair(f, rnd);
        EXPECT_EQ(f.ctl.Shape1(11), (Carrier{r.x, r.electronTop}));
        EXPECT_EQ(f.ctl.Shape2(4), (Carrier{r.x, r.holeTop}));
        EXPECT_EQ(f.ctl.Line18, (LineProps{r.x, r.y1, r.x, r.y2, true}));
        Timer3_Timer(f);
        EXPECT_FALSE(f.ctl.Line18.Visible || f.ctl.Timer3.Enabled) << "Timer3 hides the marker";
    }
}

TEST(GeneratePair, PositionIsFormedInSinglePrecision) {
    Form f = Scene(10, 3);
    ScriptedRandom rnd({0.0f, 0.362841576f}); // 4096.00049 in double
    GeneratePair(f, rnd);
    EXPECT_EQ(f.ctl.Line18.X1, 4096.0f);
}

TEST(RecombinePairs, CaptureDistanceAndNumberOfAttempts) {
    // Electrons at 2000; one attempt per electron above the target minus one,
    // each drawing an electron and a hole (here always the first).
    // clang-format off
    const struct { const char *name; int electrons, target, holes; Single holeX; int draws, pairs; }
    rows[] = {
        {"99.9 right: recombines", 1, 1, 1, 2099.9f, 2, 1},
        {"99.9 left: recombines", 1, 1, 1, 1900.1f, 2, 1},
        {"100 apart: stays", 1, 1, 1, 2100, 2, 0},
        {"one below the target: no attempt, no draw", 80, 81, 12, 2000, 0, 0},
        {"at the target: one attempt", 81, 81, 12, 2000, 2, 1},
        {"four above, no hole: the draws are spent all the same", 85, 81, 0, 2000, 10, 0},
    };
    // clang-format on
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        Form f = Scene(r.electrons, r.holes, 2000, r.holeX, r.target);
        ScriptedRandom rnd = Draws(r.draws, 0.0f);
        RecombinePairs(f, rnd);
        EXPECT_EQ(rnd.remaining(), 0u);
        EXPECT_EQ(f.vars.ElectronCount.value(), r.electrons - r.pairs);
        EXPECT_EQ(f.vars.HoleCount.value(), r.holes - r.pairs);
        EXPECT_EQ(f.ctl.Timer4.Enabled, r.pairs > 0);
    }
}

TEST(RecombinePairs, TwoInOneCallHighestMembersFillTheFreedPlaces) {
    Form f = Scene(82, 3, 2000, 8000);
    f.ctl.Shape1(82) = {2500, 2175};
    f.ctl.Shape2(1) = {2050, 3480};
    f.ctl.Shape2(3) = {8100, 5640};
    f.ctl.Shape1(81) = {7000, 4335};
    f.ctl.Shape2(2) = {7050, 5640};
    // Attempt 1: electron 1 with hole 1. Attempt 2 draws among 81 electrons
    // and 2 holes: 0.99 picks electron 81 and hole 2 (with the old counts it
    // would pick the parked 82 and 3).
    ScriptedRandom rnd({0.0f, 0.0f, 0.99f, 0.99f});
    RecombinePairs(f, rnd);
    EXPECT_EQ(f.vars.ElectronCount.value(), 80);
    EXPECT_EQ(f.vars.HoleCount.value(), 1);
    EXPECT_EQ(f.ctl.Shape1(1), (Carrier{2500, 2175}));
    EXPECT_EQ(f.ctl.Shape2(1), (Carrier{8100, 5640}));
    EXPECT_EQ(f.ctl.Shape1(81), (Carrier{7000, kParkedTop})) << "highest: just parked";
    EXPECT_EQ(f.ctl.Shape2(2), (Carrier{7050, kParkedTop}));
    EXPECT_EQ(f.ctl.Line19, (LineProps{7000, 4440, 7000, 5640, true})) << "at the second pair";
    Timer4_Timer(f);
    EXPECT_FALSE(f.ctl.Line19.Visible || f.ctl.Timer4.Enabled);
}

TEST(RecombinePairs, IndexTakesTheProductInDouble) {
    // floor(0.454545438 * 11) is 4 in double and 5 in single: electron and
    // hole 5 are the pair, 6 are far apart.
    Form f = Scene(11, 11, 8000, 1500, 11);
    f.ctl.Shape1(5).Left = 3000;
    f.ctl.Shape2(5).Left = 3050;
    ScriptedRandom rnd({0.454545438f, 0.454545438f});
    RecombinePairs(f, rnd);
    EXPECT_EQ(f.ctl.Line19.X1, 3000) << "the pair at 3000 recombined";
}

} // namespace
} // namespace transistor
