// The hole pass and refill with the design-time geometry: valence edges
// 3480 / 3240 / 5640, Fermi levels 2400 / 3000 / 4800, junctions 4080-4360
// and 5200-6400, 300 K (a unit of 60 twips), base target 12.
#include <gtest/gtest.h>

#include "scene.h"

namespace transistor {
namespace {

using namespace testing;

struct MoveRow {
    const char *name;
    Carrier start;
    Draw3 draws;
    Carrier want;
};

TEST(HolePass, JitterRelaxationCeilingAndFloor) {
    // clang-format off
    const MoveRow rows[] = {
        {"jitter up", {4800, 4000}, {kMinus}, {4800, 3940}},
        {"jitter down", {4800, 4000}, {kPlus}, {4800, 4060}},
        {"base edge, q 0.23: never rises", {4800, 3240}, {kStill, 0.99999994f}, {4800, 3240}},
        {"emitter edge, q 4.67: rises, put back", {2000, 3480}, {kStill, 0.99f}, {2000, 3480}},
        {"q 5.76, r 0.4: rises 60", {2000, 3600}, {kStill, 0.4f}, {2000, 3540}},
        {"q 5.76, r 0.39: stays", {2000, 3600}, {kStill, 0.39f}, {2000, 3600}},
        {"ceiling in the emitter", {2000, 3000}, {}, {2000, 3480}},
        {"ceiling in the base", {4800, 3000}, {}, {4800, 3240}},
        {"ceiling in the collector", {7000, 5000}, {}, {7000, 5640}},
        {"ceiling on the emitter-base line, then a push", {4220, 3000}, {}, {4280, 3360}},
        {"lowest position", {4800, 7000}, {}, {4800, 6200}},
    };
    // clang-format on
    for (const MoveRow &r : rows)
        EXPECT_EQ(MovedHole(LaidOut(), r.start, r.draws), r.want) << r.name;
}

TEST(HolePass, JunctionsPushTowardsTheBase) {
    // clang-format off
    const MoveRow rows[] = {
        // 5740 as it lies above the collector's edge, then past xb = 5800.
        {"base-collector edge line: pushed twice", {5800, 4440}, {}, {5680, 4440}},
        {"at the collector's level: only the second push", {5800, 5640}, {}, {5740, 5640}},
        {"emitter-base line, step left: one push", {4220, 3360}, kStepLeft, {4220, 3360}},
        {"emitter-base line, step right: one push", {4220, 3360}, kStepRight, {4340, 3360}},
        {"at EmitterRightX: no push", {4080, 3480}, {}, {4080, 3480}},
        {"at BaseLeftX: no push", {4360, 3240}, {}, {4360, 3240}},
        {"at BaseRightX: no push", {5200, 3240}, {}, {5200, 3240}},
        {"at CollectorLeftX: no push", {6400, 5640}, {}, {6400, 5640}},
        {"stepping into the junction: no push this pass", {5180, 3240}, kStepRight, {5240, 3240}},
    };
    // clang-format on
    for (const MoveRow &r : rows)
        EXPECT_EQ(MovedHole(LaidOut(), r.start, r.draws), r.want) << r.name;

    // From the next pass on it is a junction hole: the ceiling at 5240 is
    // 5640 - 1160 * 2 = 3320, and xb = 6400 - 2320 / 2 = 5240 lies right of
    // it after the first push.
    EXPECT_EQ(MovedHole(LaidOut(), {5240, 3240}), (Carrier{5120, 3320}));
}

TEST(HolePass, SharedBoundaryWithoutCollectorBiasMakesBothCeilingTests) {
    // Base level 0.9 and collector level 0.1 put the base's valence edge
    // (4080) below the collector's (3120); at x = BaseRightX = CollectorLeftX
    // the base test runs first and the collector test finds nothing to raise.
    Inputs in;
    in.base = "0.9";
    in.collector = "0.1";
    in.vcb = "0";
    Form f = LaidOut(in);
    ASSERT_EQ(f.vars.BaseValenceY.value(), 4080);
    ASSERT_EQ(f.vars.CollectorValenceY.value(), 3120);
    EXPECT_EQ(MovedHole(f, {5200, 3000}), (Carrier{5200, 4080}));
}

TEST(HolePass, DiffusionFromTheLastTick) {
    const struct {
        const char *name;
        Carrier start;
        int prevBelow, prevAbove;
        Single left;
    } rows[] = {
        {"bin 9, fuller left", {4800, 3240}, 4, 1, 4860},
        {"bin 9, fuller right", {4800, 3240}, 1, 4, 4740},
        {"bin 9, equal", {4800, 3240}, 2, 2, 4800},
        {"bin 0 never", {1500, 3480}, 0, 9, 1500},
        {"bin 19 never", {8500, 5640}, 9, 0, 8500},
    };
    for (const auto &r : rows) {
        Form f = LaidOut();
        const int b = static_cast<int>((r.start.Left - 1440) / 366);
        if (b > 0) f.vars.HoleBinPrev[b - 1] = r.prevBelow;
        f.vars.HoleBinPrev[b + 1] = r.prevAbove;
        EXPECT_EQ(MovedHole(f, r.start).Left, r.left) << r.name;
    }
}

TEST(HolePass, CountsThePSideAndTheBins) {
    Form f = WithHoles(
        {{4080, 3480}, {4400, 3240}, {5000, 3240}, {6400, 5640}, {8760, 5640}, {1440, 3480}});
    f.vars.ReservoirTally = Integer(0);
    ScriptedRandom rnd =
        Script({kStill, kNoRelax, kStill, kStill, kNoRelax, kStill, kStill, kNoRelax, kStill,
                kStill, kNoRelax, kStill, kStill, kNoRelax, kPlus, kStill, kNoRelax, kMinus});
    HolePass(f, rnd);
    EXPECT_EQ(f.vars.ReservoirTally.toDouble(), 2) << "both junction ends are outside";
    EXPECT_EQ(f.vars.HoleBinCount[20], 1) << "a hole on the right wall";
    EXPECT_EQ(f.vars.HoleBinCount[0], 1) << "a hole on the left wall";
    EXPECT_EQ(f.ctl.Shape2(5).Left, 8760);
    EXPECT_EQ(f.ctl.Shape2(6).Left, 1440);
}

TEST(HolePass, FlatEdgesAcrossAJunctionPushOnlyOnce) {
    auto inputs = [](const char *base, const char *vcb) {
        Inputs in;
        in.base = base;
        in.vcb = vcb;
        return in;
    };
    const struct {
        const char *name;
        Inputs in;
    } rows[] = {
        {"emitter-base: base level 0.4 with VEB 0.5", inputs("0.4", "1.5")},
        {"base-collector: base level 0.9, VCB 0.2, collector level 0.7", inputs("0.9", "0.2")},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        Form f = LaidOut(r.in);
        const SimulationState &s = f.vars;
        const bool eb = s.EmitterValenceY == s.BaseValenceY;
        ASSERT_TRUE(eb || (s.CollectorValenceY == s.BaseValenceY && s.BcJunctionWidth > 0));
        const Single x = eb ? 4220 : (s.BaseRightX + s.CollectorLeftX).toSingle() / 2;
        const Single edge = s.BaseValenceY.toSingle();
        // On the flat edge: no first push, and no second test to divide by zero.
        EXPECT_EQ(MovedHole(f, {x, edge}), (Carrier{x, edge}));
        // Electrons: only the first push (barrier) or the drift.
        Form g = f;
        PutCarriers(g.ctl.Shape1, g.vars.ElectronCount,
                    {{x, (s.BaseConductionY - 105).toSingle()}});
        ScriptedRandom rnd = Draws(3, kStill);
        ElectronPass(g, rnd);
        EXPECT_EQ(g.ctl.Shape1(1).Left, eb ? x - 60 : x + 60);
    }
}

struct HoleRefillRow {
    const char *name;
    int count, reservoir, target;
    std::vector<Single> draws;
    int wantCount, wantCurrent;
    std::pair<int, Carrier> want;
};

TEST(HoleRefill, FeedsOrDrainsOneHole) {
    const Carrier far{7000, 5640};
    // r * 840 + 4360 is formed in double and rounded once: 4612.01611
    // (4612.0166 in single).
    // clang-format off
    const HoleRefillRow rows[] = {
        {"short: one fed into the base", 5, 3, 12, {0.300019473f}, 6, 1, {6, {4612.01611f, 3240}}},
        {"none in use, target above 0: one fed", 0, 0, 12, {0.5f}, 1, 1, {1, {4780, 3240}}},
        {"at target: the highest drained, wherever", 3, 12, 12, {}, 2, -1, {3, {7000, kParkedTop}}},
        {"99 in use: drained although short", 99, 0, 12, {}, 98, -1, {99, {7000, kParkedTop}}},
        {"none in use, target 0: nothing to drain", 0, 0, 0, {}, 0, 0, {0, Carrier{}}},
    };
    // clang-format on
    for (const HoleRefillRow &r : rows) {
        SCOPED_TRACE(r.name);
        Form f = LaidOut();
        for (int i = 1; i <= 100; ++i)
            f.ctl.Shape2(i) = {far.Left, i <= r.count ? far.Top : kParkedTop};
        f.vars.HoleCount = r.count;
        f.vars.ReservoirTally = Integer(r.reservoir);
        f.vars.BaseHoleTarget = r.target;
        f.vars.BaseCurrentCount = 0;
        const Carrier spare = f.ctl.Shape2(0);
        ScriptedRandom rnd(r.draws);
        if (r.count == 0) {
            HolePass(f, rnd); // nobody to move, nothing counted
            ASSERT_EQ(f.vars.ReservoirTally.toDouble(), 0);
        }
        HoleRefill(f, rnd);
        EXPECT_EQ(rnd.remaining(), 0u);
        EXPECT_EQ(f.vars.HoleCount.value(), r.wantCount);
        EXPECT_EQ(f.vars.BaseCurrentCount.value(), r.wantCurrent);
        if (r.want.first > 0) {
            EXPECT_EQ(f.ctl.Shape2(r.want.first), r.want.second);
        }
        EXPECT_EQ(f.ctl.Shape2(0), spare);
    }
}

} // namespace
} // namespace transistor
