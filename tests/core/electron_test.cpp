// The electron pass and refill, one rule at a time, with the design-time
// geometry: conduction edges 2280 / 2040 / 4440, Fermi levels 2400 / 3000 /
// 4800, junctions 4080-4360 and 5200-6400, 300 K (a unit of 60 twips).
#include <gtest/gtest.h>

#include "scene.h"

namespace transistor {
namespace {

using namespace testing;

Form At(int temperature) {
    Form f = LaidOut();
    f.vars.Temperature = temperature;
    return f;
}

struct MoveRow {
    const char *name;
    int temperature;
    Carrier start;
    Draw3 draws;
    Carrier want;
};

template <std::size_t N> void Check(const MoveRow (&rows)[N]) {
    for (const MoveRow &r : rows)
        EXPECT_EQ(MovedElectron(At(r.temperature), r.start, r.draws), r.want) << r.name;
}

TEST(ElectronPass, JitterMovesWholeUnits) {
    const MoveRow rows[] = {
        {"r 0 goes up a unit", 300, {2000, 1500}, {kMinus}, {2000, 1440}},
        {"r 0.3 goes up a unit", 300, {2000, 1500}, {0.3f}, {2000, 1440}},
        {"r 0.34 stays", 300, {2000, 1500}, {0.34f}, {2000, 1500}},
        {"r 0.66 stays", 300, {2000, 1500}, {0.66f}, {2000, 1500}},
        {"r 0.67 goes down a unit", 300, {2000, 1500}, {0.67f}, {2000, 1560}},
        {"left a unit", 300, {2000, 1500}, kStepLeft, {1940, 1500}},
        {"right a unit", 300, {2000, 1500}, {kStill, kNoRelax, 0.999f}, {2060, 1500}},
        {"a unit is Temperature / 5", 1000, {2000, 1500}, {kMinus, kNoRelax, kPlus}, {2200, 1300}},
        {"0 K: no jitter", 0, {2000, 1500}, {kMinus, kNoRelax, kPlus}, {2000, 1500}},
        {"0 K: no barrier push", 0, {4220, 2055}, {kMinus, kNoRelax, kMinus}, {4220, 2055}},
        {"0 K: no drift", 0, {5800, 3135}, {kMinus, kNoRelax, kPlus}, {5800, 3135}},
    };
    Check(rows);
}

TEST(ElectronPass, RelaxationNeedsRTimesDSquaredAboveThree) {
    const Single justAbove = std::nextafter(0.75f, 1.0f), justBelow = std::nextafter(0.75f, 0.0f);
    const MoveRow rows[] = {
        {"866 above: never", 300, {2000, 1534}, {kStill, 0.99999994f}, {2000, 1534}},
        {"1000 above, r 0.75: exactly 3", 300, {2000, 1400}, {kStill, 0.75f}, {2000, 1400}},
        {"1000 above, r just above 0.75", 300, {2000, 1400}, {kStill, justAbove}, {2000, 1460}},
        {"1000 above, r just below 0.75", 300, {2000, 1400}, {kStill, justBelow}, {2000, 1400}},
        {"the drop does not scale with temperature", 0, {2000, 1000}, {kStill, 0.4f}, {2000, 1060}},
    };
    Check(rows);
}

TEST(ElectronPass, ConfinementLimitByRegionOfTheStartingX) {
    // Dropped from far below, the electron comes to rest on the limit.
    const struct {
        Single x0, limit;
    } rows[] = {
        {2000, 2175}, {4080, 2175}, {4220, 2055}, {4360, 1935}, {4800, 1935},
        {5200, 1935}, {5800, 3135}, {6400, 4335}, {8760, 4335},
    };
    for (const auto &r : rows)
        EXPECT_EQ(MovedElectron(LaidOut(), {r.x0, 5000}).Top, r.limit) << r.x0;
    EXPECT_EQ(MovedElectron(LaidOut(), {2000, 2100}).Top, 2100) << "above the limit: stays";
    EXPECT_EQ(MovedElectron(LaidOut(), {2000, -50}).Top, 0) << "top margin";

    Inputs in;
    in.vcb = "0";
    Form f = LaidOut(in);
    ASSERT_EQ(f.vars.BaseRightX, f.vars.CollectorLeftX);
    EXPECT_EQ(MovedElectron(f, {5200, 5000}).Top, (f.vars.CollectorConductionY - 105).toSingle())
        << "the shared boundary takes the collector's limit";
}

TEST(ElectronPass, BarrierAndDriftActOnlyInsideTheJunctions) {
    const MoveRow rows[] = {
        {"at EmitterRightX: an emitter electron", 300, {4080, 2175}, {}, {4080, 2175}},
        {"just inside: pushed back", 300, {4081, 2175}, {}, {4021, 2174.14282f}},
        {"at BaseLeftX: a base electron", 300, {4360, 1935}, {}, {4360, 1935}},
        {"at BaseRightX: no drift", 300, {5200, 1935}, {}, {5200, 1935}},
        // It has left the base, so it cools: 1935 + (3000 - 1935) / 10.
        {"base into junction: no drift", 300, {5180, 1935}, kStepRight, {5240, 2041.5f}},
        {"at CollectorLeftX: no drift", 300, {6400, 4335}, {}, {6400, 4335}},
    };
    Check(rows);
}

TEST(ElectronPass, EmitterBaseBarrier) {
    const MoveRow rows[] = {
        {"140 above the base edge: pushed back", 300, {4220, 1900}, {}, {4160, 1900}},
        {"240 above: no push", 300, {4220, 1800}, {}, {4220, 1800}},
        // Top 1840 is exactly 200 above; xb = 335 * 280 / 240 + 4080 = 4470.83.
        {"right of xb: pushed back", 1000, {4300, 1840}, kStepRight, {4300, 1840}},
        {"left of xb: stays", 1000, {4260, 1840}, kStepRight, {4460, 1840}},
    };
    Check(rows);
}

TEST(ElectronPass, DriftDownTheBaseCollectorJunction) {
    // One unit to the right on top of the jitter, wherever the electron stands.
    const MoveRow rows[] = {
        {"on the edge, jitter left", 300, {5800, 3135}, kStepLeft, {5800, 3135}},
        {"on the edge", 300, {5800, 3135}, {}, {5860, 3135}},
        {"on the edge, jitter right", 300, {5800, 3135}, kStepRight, {5920, 3135}},
        {"above the edge", 300, {5800, 3000}, {}, {5860, 3000}},
    };
    Check(rows);
}

TEST(ElectronPass, DiffusionAwayFromTheFullerNeighbourOfTheLastTick) {
    const struct {
        const char *name;
        Carrier start;
        int prevBelow, prevAbove; // bins b - 1 and b + 1
        Single left;
    } rows[] = {
        {"bin 5, 7 left and 3 right", {3400, 2175}, 7, 3, 3460},
        {"bin 5, 3 left and 7 right", {3400, 2175}, 3, 7, 3340},
        {"bin 5, equal", {3400, 2175}, 5, 5, 3400},
        {"bin 1 diffuses", {1900, 2175}, 9, 0, 1960},
        {"bin 18 diffuses", {8300, 4335}, 0, 9, 8240},
        {"bin 0 never", {1500, 2175}, 0, 9, 1500},
        {"bin 19 never", {8500, 4335}, 9, 0, 8500},
        {"bin 20 never", {8760, 4335}, 9, 0, 8760},
    };
    for (const auto &r : rows) {
        Form f = LaidOut();
        const int b = static_cast<int>((r.start.Left - 1440) / 366);
        if (b > 0) f.vars.ElectronBinPrev[b - 1] = r.prevBelow;
        f.vars.ElectronBinPrev[b + 1] = r.prevAbove;
        EXPECT_EQ(MovedElectron(f, r.start).Left, r.left) << r.name;
    }
}

TEST(ElectronPass, DiffusionReadsLastTicksBinsNotThisTicks) {
    Form f = LaidOut();
    ScriptedRandom start = Draws(201, 0.5f);
    Command1_Click(f, start);
    for (int b = 0; b <= 50; ++b) ASSERT_EQ(f.vars.ElectronBinPrev[b], 0) << "first tick: none";

    PutCarriers(f.ctl.Shape1, f.vars.ElectronCount, {{3000, 2175}, {3400, 2175}});
    ScriptedRandom pass1 = Draws(6, kStill);
    ElectronPass(f, pass1);
    EXPECT_EQ(f.ctl.Shape1(2).Left, 3400) << "electron 1, just counted in bin 4, does not push";
    ShiftBinCounts(f);
    ScriptedRandom pass2 = Draws(6, kStill);
    ElectronPass(f, pass2);
    EXPECT_EQ(f.ctl.Shape1(1).Left, 2940);
    EXPECT_EQ(f.ctl.Shape1(2).Left, 3460);
}

TEST(ElectronPass, WallsAndBins) {
    const struct {
        const char *name;
        Carrier start;
        Single horizontal, left;
        int bin;
    } rows[] = {
        {"left end", {1440, 2175}, kStill, 1440, 0},
        {"pushed past the left wall", {1450, 2175}, kMinus, 1440, 0},
        {"first x of bin 1", {1806, 2175}, kStill, 1806, 1},
        {"last twip of bin 19", {8759, 4335}, kStill, 8759, 19},
        {"right end", {8760, 4335}, kStill, 8760, 20},
        {"pushed past the right wall", {8720, 4335}, kPlus, 8760, 20},
    };
    for (const auto &r : rows) {
        Form f = LaidOut();
        PutCarriers(f.ctl.Shape1, f.vars.ElectronCount, {r.start});
        ScriptedRandom rnd = Script({kStill, kNoRelax, r.horizontal});
        ElectronPass(f, rnd);
        EXPECT_EQ(f.ctl.Shape1(1).Left, r.left) << r.name;
        EXPECT_EQ(f.vars.ElectronBinCount[r.bin], 1) << r.name;
        EXPECT_EQ(f.vars.CarrierX.toDouble(), r.bin) << r.name;
    }
}

TEST(ElectronPass, HotElectronsBeyondTheBaseCool) {
    const MoveRow rows[] = {
        {"2000 above in the collector: 200 down", 300, {7000, 2800}, {}, {7000, 3000}},
        {"exactly 1000 above: stays", 300, {7000, 3800}, {}, {7000, 3800}},
        {"in the base: stays", 300, {5000, 1000}, {}, {5000, 1000}},
        {"junction: a tenth of 1650", 300, {5300, 1500}, {}, {5360, 1665}},
        {"Fermi level of the start, in the base", 300, {5190, 1000}, kStepRight, {5250, 1200}},
    };
    Check(rows);
}

TEST(ElectronRefill, TalliesAreShownAsCountedByThePass) {
    Form f = WithElectrons({{2000, 2175},
                            {3000, 2175},
                            {4200, 2100}, // pushed back, still left of the base
                            {4800, 1935},
                            {6400, 4335}, // on CollectorLeftX: not counted
                            {7000, 4335},
                            {8000, 4335}});
    ScriptedRandom rnd = Draws(7 * 3 + 2, kStill);
    ElectronPass(f, rnd);
    ElectronRefill(f, rnd);
    EXPECT_EQ(rnd.remaining(), 0u);
    EXPECT_EQ(f.ctl.Text11, "3");
    EXPECT_EQ(f.ctl.Text12, "2");
    EXPECT_EQ(f.vars.ElectronCount.value(), 9);
    EXPECT_EQ(f.vars.ReservoirTally.toDouble(), 0);
}

struct RefillRow {
    const char *name;
    int count, reservoir, collector;             // electrons in use, the pass's tallies
    std::vector<std::pair<int, Carrier>> placed; // the others stand at (2000, 2175)
    std::vector<Single> draws;
    int wantCount, wantCurrent;
    std::vector<std::pair<int, Carrier>> want;
    int emitterTarget = 81, collectorTarget = 10;
};

TEST(ElectronRefill, EveryBranch) {
    const Carrier far{7000, 4335}, parked{2000, kParkedTop};
    // The positions r * 2640 + 1440 and r * 1000 + 6400 are formed in double
    // and rounded once: 2232.00024 and 6700.00049 (2232.00049 and 6700 in single).
    const Single r2640 = 0.300000131f, r1000 = 0.30000025f;
    // clang-format off
    const RefillRow rows[] = {
        {"short on both sides: one into each", 50, 10, 3, {}, {r2640, r1000},
         52, 2, {{51, {2232.00024f, 2175}}, {52, {6700.00049f, 4335}}}},
        {"emitter full: the highest is parked", 50, 81, 3, {{50, far}}, {0.5f},
         50, 0, {{50, {6900, 4335}}}},
        {"99 in use: parked although short", 99, 10, 10, {}, {},
         98, -1, {{99, parked}}},
        {"100 in use: parked, then one added", 100, 90, 3, {}, {0.5f},
         100, 0, {{100, {6900, 4335}}}},
        {"collector full: the first there goes back", 50, 81, 10, {{20, far}, {30, far}}, {r2640},
         49, 0, {{20, {2232.00024f, 2175}}, {30, far}, {50, parked}}},
        {"collector full, none right of CollectorLeftX", 50, 81, 10, {{20, {6400, 4335}}}, {},
         49, -1, {{20, {6400, 4335}}}},
        {"the only collector electron was just parked", 50, 81, 10, {{50, far}}, {},
         49, -1, {{50, {7000, kParkedTop}}}},
        {"no electron in use: nothing to park", 0, 0, 0, {}, {},
         0, 0, {}, 0, 0},
    };
    // clang-format on
    for (const RefillRow &r : rows) {
        SCOPED_TRACE(r.name);
        Form f = LaidOut();
        for (int i = 1; i <= 100; ++i) f.ctl.Shape1(i) = {2000, i <= r.count ? 2175 : kParkedTop};
        for (auto [i, c] : r.placed) f.ctl.Shape1(i) = c;
        f.vars.ElectronCount = r.count;
        f.vars.ReservoirTally = Integer(r.reservoir);
        f.vars.CollectorTally = Integer(r.collector);
        f.vars.EmitterElectronTarget = r.emitterTarget;
        f.vars.CollectorElectronTarget = r.collectorTarget;
        const Carrier spare = f.ctl.Shape1(0);
        ScriptedRandom rnd(r.draws);
        ElectronRefill(f, rnd);
        EXPECT_EQ(rnd.remaining(), 0u);
        EXPECT_EQ(f.vars.ElectronCount.value(), r.wantCount);
        EXPECT_EQ(f.vars.CollectorCurrentCount.value(), r.wantCurrent);
        for (auto [i, c] : r.want) EXPECT_EQ(f.ctl.Shape1(i), c) << "electron " << i;
        EXPECT_EQ(f.ctl.Shape1(0), spare);
    }
}

} // namespace
} // namespace transistor
