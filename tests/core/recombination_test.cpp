#include <gtest/gtest.h>

#include "scene.h"

namespace transistor {
namespace {

using namespace testing;

// electrons electrons at x = electronX and holes holes at x = holeX, with
// the emitter target fixing the number of attempts.
Form Scene(int electrons, Single electronX, int holes, Single holeX, int target) {
    Form f = LaidOut();
    for (int i = 1; i <= 100; ++i) {
        f.ctl.Shape1(i) = {electronX, i <= electrons ? 2175 : kParkedTop};
        f.ctl.Shape2(i) = {holeX, i <= holes ? 3480 : kParkedTop};
    }
    f.vars.ElectronCount = electrons;
    f.vars.HoleCount = holes;
    f.vars.EmitterElectronTarget = target;
    return f;
}

TEST(RecombinePairs, CaptureDistanceIsBelow100) {
    const struct {
        Single electron, hole;
        bool recombines;
    } rows[] = {
        {2000, 2100, false},
        {2100, 2000, false},
        {2000, 2099.9f, true},
        {2000, 1900.1f, true},
    };
    for (const auto &r : rows) {
        Form f = Scene(1, r.electron, 1, r.hole, 1);
        ScriptedRandom rnd = Script({0.0f, 0.0f});
        RecombinePairs(f, rnd);
        EXPECT_EQ(f.vars.ElectronCount.value(), r.recombines ? 0 : 1)
            << r.electron << " " << r.hole;
        EXPECT_EQ(f.vars.HoleCount.value(), r.recombines ? 0 : 1) << r.electron << " " << r.hole;
        EXPECT_EQ(f.ctl.Timer4.Enabled, r.recombines);
    }
}

TEST(RecombinePairs, NumberOfAttemptsFollowsTheElectronExcess) {
    const struct {
        const char *name;
        int electrons, target, holes;
        std::size_t draws;
    } rows[] = {
        {"one below the target: no attempt, no draw", 80, 81, 12, 0},
        {"at the target: one attempt", 81, 81, 12, 2},
        {"four above: five attempts", 85, 81, 12, 10},
        {"no hole: the draws are spent all the same", 85, 81, 0, 10},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        Form f = Scene(r.electrons, 2000, r.holes, 8000, r.target);
        const Controls before = f.ctl;
        ScriptedRandom rnd = Draws(r.draws, 0.3f);
        RecombinePairs(f, rnd);
        EXPECT_EQ(rnd.remaining(), 0u);
        EXPECT_EQ(f.vars.ElectronCount.value(), r.electrons);
        EXPECT_EQ(f.vars.HoleCount.value(), r.holes);
        EXPECT_EQ(f.ctl, before);
    }
}

TEST(RecombinePairs, WorkedExampleInTheJunction) {
    Form f = Scene(1, 4220, 1, 4290, 1);
    ScriptedRandom rnd = Script({0.0f, 0.0f});
    RecombinePairs(f, rnd);
    EXPECT_EQ(f.ctl.Line19, (LineProps{4220, 2160, 4220, 3360, true}));
    EXPECT_TRUE(f.ctl.Timer4.Enabled);
    EXPECT_EQ(f.ctl.Text5, "0.2") << "count boxes are not written here";
    Timer4_Timer(f);
    EXPECT_FALSE(f.ctl.Line19.Visible);
    EXPECT_FALSE(f.ctl.Timer4.Enabled);
}

TEST(RecombinePairs, HighestMembersFillTheFreedPlaces) {
    Form f = Scene(82, 2000, 3, 8000, 81);
    f.ctl.Shape1(82) = {2500, 2175};
    f.ctl.Shape2(1) = {2050, 3480};
    f.ctl.Shape2(3) = {8100, 5640};
    f.ctl.Shape1(81) = {7000, 4335};
    f.ctl.Shape2(2) = {7050, 5640};
    // Attempt 1: electron 1 with hole 1. Attempt 2 draws among 81 electrons
    // and 2 holes: 0.99 picks electron 81 and hole 2 (with the old counts it
    // would pick the parked 82 and 3).
    ScriptedRandom rnd = Script({0.0f, 0.0f, 0.99f, 0.99f});
    RecombinePairs(f, rnd);
    EXPECT_EQ(rnd.remaining(), 0u);
    EXPECT_EQ(f.vars.ElectronCount.value(), 80);
    EXPECT_EQ(f.vars.HoleCount.value(), 1);
    EXPECT_EQ(f.ctl.Shape1(1), (Carrier{2500, 2175}));
    EXPECT_EQ(f.ctl.Shape2(1), (Carrier{8100, 5640}));
    EXPECT_EQ(f.ctl.Shape1(82), (Carrier{2500, kParkedTop}));
    EXPECT_EQ(f.ctl.Shape1(81), (Carrier{7000, kParkedTop})) << "highest: just parked";
    EXPECT_EQ(f.ctl.Shape2(2), (Carrier{7050, kParkedTop}));
    EXPECT_EQ(f.ctl.Line19, (LineProps{7000, 4440, 7000, 5640, true})) << "at the second pair";
}

TEST(RecombinePairs, IndexTakesTheProductInDouble) {
    // floor(0.454545438 * 11) is 4 in double and 5 in single: electron and
    // hole 5 are the pair, 6 are far apart.
    Form f = Scene(11, 8000, 11, 1500, 11);
    f.ctl.Shape1(5).Left = 3000;
    f.ctl.Shape2(5).Left = 3050;
    ScriptedRandom rnd = Script({0.454545438f, 0.454545438f});
    RecombinePairs(f, rnd);
    EXPECT_EQ(f.vars.ElectronCount.value(), 10);
    EXPECT_EQ(f.ctl.Line19.X1, 3000);
}

} // namespace
} // namespace transistor
