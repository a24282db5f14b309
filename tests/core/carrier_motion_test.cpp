// The electron and hole passes and refills, one rule at a time, with the
// design-time geometry: conduction edges 2280 / 2040 / 4440, valence edges
// 3480 / 3240 / 5640, Fermi levels 2400 / 3000 / 4800, junctions 4080-4360
// and 5200-6400, 300 K (a unit of 60 twips), targets 81 / 10 / 12.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include "engine/phases.h"
#include "test_support.h"

namespace transistor {
namespace {

using namespace testing;

// Draws that make Int(3r - 1) a step of -1, 0 or +1 units; a relaxation draw
// that never relaxes.
constexpr Single kMinus = 0.0f, kStill = 0.5f, kPlus = 0.9f, kNoRelax = 0.0f;

// Carriers 1..n at the given places; every slot above is parked.
void PutCarriers(CarrierArray &shapes, Integer &count, std::initializer_list<Carrier> in) {
    count = static_cast<int>(in.size());
    int i = 1;
    for (const Carrier &c : in) shapes(i++) = c;
    for (; i <= 100; ++i) shapes(i).Top = kParkedTop;
}

// One carrier's draws: vertical jitter, relaxation, horizontal jitter.
struct Draw3 {
    Single vertical = kStill, relax = kNoRelax, horizontal = kStill;
};
constexpr Draw3 kStepLeft{kStill, kNoRelax, kMinus}, kStepRight{kStill, kNoRelax, kPlus};

// Where carrier 1 ends after one pass with it alone in use; the pass must
// take exactly its three draws.
Carrier Moved(bool hole, Form f, Carrier start, Draw3 d = {}, Form *after = nullptr) {
    CarrierArray &shapes = hole ? f.ctl.Shape2 : f.ctl.Shape1;
    PutCarriers(shapes, hole ? f.vars.HoleCount : f.vars.ElectronCount, {start});
    ScriptedRandom rnd({d.vertical, d.relax, d.horizontal});
    hole ? HolePass(f, rnd) : ElectronPass(f, rnd);
    EXPECT_EQ(rnd.remaining(), 0u);
    if (after) *after = f;
    return shapes(1);
}

struct MoveRow {
    const char *name;
    Carrier start;
    Draw3 draws;
    Carrier want;
    int temperature = 300;
};

void Check(bool hole, std::initializer_list<MoveRow> rows) {
    for (const MoveRow &r : rows) {
        Form f = LaidOut();
        f.vars.Temperature = r.temperature;
        EXPECT_EQ(Moved(hole, f, r.start, r.draws), r.want) << r.name;
    }
}

TEST(ElectronPass, MoveRules) {
    const Single justAbove = std::nextafter(0.75f, 1.0f);
    // clang-format off
    Check(false, {
        {"r 0.3 goes up a unit", {2000, 1500}, {0.3f}, {2000, 1440}},
        {"r 0.34 stays", {2000, 1500}, {0.34f}, {2000, 1500}},
        {"r 0.67 goes down a unit", {2000, 1500}, {0.67f}, {2000, 1560}},
        {"a unit is Temperature / 5", {2000, 1500}, {kMinus, kNoRelax, kPlus}, {2200, 1300}, 1000},
        {"1000 above, r 0.75: exactly 3, stays", {2000, 1400}, {kStill, 0.75f}, {2000, 1400}},
        {"1000 above, r just above 0.75: drops", {2000, 1400}, {kStill, justAbove}, {2000, 1460}},
        {"the drop does not scale with temperature", {2000, 1000}, {kStill, 0.4f}, {2000, 1060}, 0},
        // Dropped from far below, an electron rests on the limit of the region of its start.
        {"emitter limit", {2000, 5000}, {}, {2000, 2175}},
        {"emitter-base junction, then pushed back", {4220, 5000}, {}, {4160, 2055}},
        {"BaseLeftX takes the base's", {4360, 5000}, {}, {4360, 1935}},
        {"base-collector junction, then drifts", {5800, 5000}, {}, {5860, 3135}},
        {"CollectorLeftX takes the collector's", {6400, 5000}, {}, {6400, 4335}},
        {"above the confinement limit: stays", {2000, 2100}, {}, {2000, 2100}},
        {"top margin", {2000, -50}, {}, {2000, 0}},
        {"just below the margin: stays", {2000, 0.5f}, {}, {2000, 0.5f}},
        {"pushed past the left wall", {1450, 2175}, kStepLeft, {1440, 2175}},
        {"pushed past the right wall", {8720, 4335}, kStepRight, {8760, 4335}},
        // The emitter-base barrier pushes back electrons less than 200 above the base edge.
        {"at EmitterRightX: an emitter electron", {4080, 2175}, {}, {4080, 2175}},
        {"just inside: pushed back", {4081, 2175}, {}, {4021, 2174.14282f}},
        // Top 1840 is exactly 200 above; xb = 335 * 280 / 240 + 4080 = 4470.83.
        {"right of xb: pushed back", {4300, 1840}, kStepRight, {4300, 1840}, 1000},
        {"left of xb: stays", {4260, 1840}, kStepRight, {4460, 1840}, 1000},
        // The base-collector junction drifts them a unit right, whatever the jitter.
        {"at BaseRightX: no drift", {5200, 1935}, {}, {5200, 1935}},
        {"drift above the edge", {5800, 3000}, {}, {5860, 3000}},
        // At -50 K the drift moves left, off the edge line: a second unit.
        {"left of the drawn edge: pushed twice", {5800, 5000}, {}, {5780, 3135}, -50},
        {"at CollectorLeftX: no drift", {6400, 4335}, {}, {6400, 4335}},
        // Beyond the base, more than 1000 above the Fermi level of the start:
        // a tenth of the way down.
        {"2000 above in the collector: 200 down", {7000, 2800}, {}, {7000, 3000}},
        {"exactly 1000 above: stays", {7000, 3800}, {}, {7000, 3800}},
        {"in the base: stays", {5000, 1000}, {}, {5000, 1000}},
        {"junction: a tenth of 1650", {5300, 1500}, {}, {5360, 1665}},
        {"base into junction: cools, no drift", {5180, 1935}, kStepRight, {5240, 2041.5f}},
    });
    // clang-format on
}

TEST(CarrierPass, DiffusionByLastTicksBinsAndTheBinEdges) {
    // clang-format off
    const struct { const char *name; bool hole; Single x; int bin, below, above; Single left; }
    rows[] = {
        {"bin 5, fuller left", false, 3400, 5, 7, 3, 3460},
        {"bin 5, equal", false, 3400, 5, 5, 5, 3400},
        {"hole, bin 9, fuller right", true, 4800, 9, 1, 4, 4740},
        {"last x of bin 0: never", false, 1805, 0, 0, 9, 1805},
        {"first x of bin 1: diffuses", false, 1806, 1, 9, 0, 1866},
        {"bin 18 diffuses", false, 8300, 18, 0, 9, 8240},
        {"bin 19 never", false, 8759, 19, 9, 0, 8759},
        {"bin 20 never", false, 8760, 20, 9, 0, 8760},
    };
    // clang-format on
    for (const auto &r : rows) {
        Form f = LaidOut(), after;
        BinArray &prev = r.hole ? f.vars.HoleBinPrev : f.vars.ElectronBinPrev;
        if (r.bin > 0) prev[r.bin - 1] = r.below;
        prev[r.bin + 1] = r.above;
        const Carrier start{r.x, r.hole ? 3240.0f : r.x < 6400 ? 2175.0f : 4335.0f};
        EXPECT_EQ(Moved(r.hole, f, start, {}, &after).Left, r.left) << r.name;
        const SimulationState &s = after.vars;
        EXPECT_EQ((r.hole ? s.HoleBinCount : s.ElectronBinCount)[r.bin], 1) << r.name;
        EXPECT_EQ(s.CarrierX.toDouble(), r.bin) << r.name;
    }
}

TEST(HolePass, RelaxationCeilingsFloorAndJunctionPushes) {
    // clang-format off
    Check(true, {
        {"emitter edge, q 4.67: rises, put back", {2000, 3480}, {kStill, 0.99f}, {2000, 3480}},
        {"q 5.76, r 0.4: rises 60", {2000, 3600}, {kStill, 0.4f}, {2000, 3540}},
        {"q 5.76, r 0.39: stays", {2000, 3600}, {kStill, 0.39f}, {2000, 3600}},
        {"ceiling in the emitter", {2000, 3000}, {}, {2000, 3480}},
        {"ceiling in the base", {4800, 3000}, {}, {4800, 3240}},
        {"ceiling in the collector", {7000, 5000}, {}, {7000, 5640}},
        {"ceiling on the emitter-base line, then a push", {4220, 3000}, {}, {4280, 3360}},
        {"lowest position", {4800, 7000}, {}, {4800, 6200}},
        // 5740 as it lies above the collector's edge, then past xb = 5800.
        {"base-collector edge line: pushed twice", {5800, 4440}, {}, {5680, 4440}},
        {"at the collector's level: only the second push", {5800, 5640}, {}, {5740, 5640}},
        {"at EmitterRightX: no push", {4080, 3480}, {}, {4080, 3480}},
        {"at BaseLeftX: no push", {4360, 3240}, {}, {4360, 3240}},
        {"at BaseRightX: no push", {5200, 3240}, {}, {5200, 3240}},
        {"at CollectorLeftX: no push", {6400, 5640}, {}, {6400, 5640}},
        {"stepping into the junction: no push this pass", {5180, 3240}, kStepRight, {5240, 3240}},
        // Ceiling 5640 - 1160 * 2 = 3320, then right of xb = 6400 - 2320 / 2.
        {"a junction hole from the next pass on", {5240, 3240}, {}, {5120, 3320}},
    });
    // clang-format on
}

TEST(ElectronRefill, EveryBranch) {
    const Carrier far{7000, 4335}, parked{2000, kParkedTop};
    // The positions r * 2640 + 1440 and r * 1000 + 6400 are formed in double
    // and rounded once: 2232.00024 and 6700.00049 (2232.00049 and 6700 in single).
    const Single r2640 = 0.300000131f, r1000 = 0.30000025f;
    // Electrons in use, the pass's tallies and the few placed elsewhere than
    // (2000, 2175); the draws; the count, current and places after.
    using Placed = std::vector<std::pair<int, Carrier>>;
    // clang-format off
    const struct { const char *name; int count, reservoir, collector; Placed placed;
                   std::vector<Single> draws; int wantCount, wantCurrent; Placed want;
                   int emitterTarget = 81, collectorTarget = 10; } rows[] = {
        {"short on both sides: one into each", 50, 10, 3, {}, {r2640, r1000},
         52, 2, {{51, {2232.00024f, 2175}}, {52, {6700.00049f, 4335}}}},
        {"emitter full: the highest is parked", 50, 81, 3, {{50, far}}, {0.5f},
         50, 0, {{50, {6900, 4335}}}},
        {"99 in use: parked although short", 99, 10, 10, {}, {}, 98, -1, {{99, parked}}},
        {"100 in use: parked, one added", 100, 90, 3, {}, {0.5f}, 100, 0, {{100, {6900, 4335}}}},
        {"collector full: the first there goes back", 50, 81, 10, {{20, far}, {30, far}}, {r2640},
         49, 0, {{20, {2232.00024f, 2175}}, {30, far}, {50, parked}}},
        {"collector full, none right of CollectorLeftX", 50, 81, 10, {{20, {6400, 4335}}}, {},
         49, -1, {{20, {6400, 4335}}}},
        {"the only collector electron was just parked", 50, 81, 10, {{50, far}}, {},
         49, -1, {{50, {7000, kParkedTop}}}},
        {"no electron in use: nothing to park", 0, 0, 0, {}, {}, 0, 0, {}, 0, 0},
        {"one in use, emitter full: parked, one added", 1, 81, 3, {{1, far}}, {0.5f},
         1, 0, {{1, {6900, 4335}}}},
    };
    // clang-format on
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        Form f = LaidOut();
        for (int i = 1; i <= 100; ++i) f.ctl.Shape1(i) = {2000, i <= r.count ? 2175 : kParkedTop};
        for (auto [i, c] : r.placed) f.ctl.Shape1(i) = c;
        f.vars.ElectronCount = r.count;
        f.vars.ReservoirTally = Integer(r.reservoir);
        f.vars.CollectorTally = Integer(r.collector);
        f.vars.EmitterElectronTarget = r.emitterTarget;
        f.vars.CollectorElectronTarget = r.collectorTarget;
        ScriptedRandom rnd(r.draws);
        ElectronRefill(f, rnd);
        EXPECT_EQ(rnd.remaining(), 0u);
        EXPECT_EQ(f.vars.ElectronCount.value(), r.wantCount);
        EXPECT_EQ(f.vars.CollectorCurrentCount.value(), r.wantCurrent);
        for (auto [i, c] : r.want) EXPECT_EQ(f.ctl.Shape1(i), c) << "electron " << i;
        EXPECT_EQ(f.ctl.Shape1(0), Controls::DesignTime().Shape1(0)) << "spare untouched";
    }
}

TEST(HoleRefill, FeedsOrDrainsOneHole) {
    // r * 840 + 4360 is formed in double and rounded once: 4612.01611
    // (4612.0166 in single). The holes in use stand at (7000, 5640).
    // clang-format off
    const struct { const char *name; int count, reservoir, target; std::vector<Single> draws;
                   int wantCount, wantCurrent, index; Carrier want; } rows[] = {
        {"short: one fed into the base", 5, 3, 12, {0.300019473f}, 6, 1, 6, {4612.01611f, 3240}},
        {"none in use, target above 0: one fed", 0, 0, 12, {0.5f}, 1, 1, 1, {4780, 3240}},
        {"at target: the highest drained, wherever", 3, 12, 12, {}, 2, -1, 3, {7000, kParkedTop}},
        {"99 in use: drained although short", 99, 0, 12, {}, 98, -1, 99, {7000, kParkedTop}},
        {"none in use, target 0: nothing to drain", 0, 0, 0, {}, 0, 0, 1, {7000, kParkedTop}},
        {"one in use at target: drained", 1, 12, 12, {}, 0, -1, 1, {7000, kParkedTop}},
    };
    // clang-format on
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        Form f = LaidOut();
        for (int i = 1; i <= 100; ++i) f.ctl.Shape2(i) = {7000, i <= r.count ? 5640 : kParkedTop};
        f.vars.HoleCount = r.count;
        f.vars.ReservoirTally = Integer(r.reservoir);
        f.vars.BaseHoleTarget = r.target;
        ScriptedRandom rnd(r.draws);
        HoleRefill(f, rnd);
        EXPECT_EQ(rnd.remaining(), 0u);
        EXPECT_EQ(f.vars.HoleCount.value(), r.wantCount);
        EXPECT_EQ(f.vars.BaseCurrentCount.value(), r.wantCurrent);
        EXPECT_EQ(f.ctl.Shape2(r.index), r.want);
        EXPECT_EQ(f.ctl.Shape2(0), Controls::DesignTime().Shape2(0)) << "spare untouched";
    }
}

} // namespace
} // namespace transistor
