#include <gtest/gtest.h>

#include "test_support.h"

namespace transistor {
namespace {

using testing::Draws;
using testing::Inputs;
using testing::LaidOut;

// Draw k is k / 256, so every product below is exact and each position tells
// which draw placed it: m for the emitter, then 101 - m for the collector
// (draw i places electron i), then 100 for the holes (draw 100 + i).
ScriptedRandom Ramp() {
    std::vector<Single> v;
    for (int k = 0; k < 201; ++k) v.push_back(k / 256.0f);
    return ScriptedRandom(v);
}
Single EmitterX(int draw) {
    return 1440 + 10.3125f * draw;
} // 2640 / 256
Single CollectorX(int draw) {
    return 6400 + 9.21875f * draw;
} // 2360 / 256
Single HoleX(int draw) {
    return 4360 + 3.28125f * draw;
} // 840 / 256

struct PlacementRow {
    const char *name;
    int n; // electrons in use; m = n / 2
};

TEST(Placement, ScattersElectronsOverEmitterAndCollector) {
    const PlacementRow rows[] = {
        {"design-time 81: emitter 1-39, collector 40-81", 81},
        {"80: emitter 1-39, collector 40-80", 80},
        {"1: electron 1 and spare 0 in the collector", 1},
        {"0: spare 0 in the collector, all parked", 0},
    };
    const Controls design = Controls::DesignTime();
    for (const PlacementRow &r : rows) {
        SCOPED_TRACE(r.name);
        Form f = LaidOut();
        f.vars.EmitterElectronTarget = r.n;
        ScriptedRandom rnd = Ramp();
        PlaceCarriers(f, rnd);
        EXPECT_EQ(rnd.used(), 201u);
        EXPECT_EQ(f.vars.ElectronCount.value(), r.n);
        const int m = r.n / 2;
        for (int i = 1; i <= 100; ++i) {
            // Electron m is placed twice and ends in the collector.
            const Carrier want = i < m      ? Carrier{EmitterX(i - 1), 2175}
                                 : i <= r.n ? Carrier{CollectorX(i), 4335}
                                            : Carrier{CollectorX(i), kParkedTop};
            ASSERT_EQ(f.ctl.Shape1(i), want) << "electron " << i;
        }
        if (r.n <= 1)
            EXPECT_EQ(f.ctl.Shape1(0), (Carrier{CollectorX(0), 4335}));
        else
            EXPECT_EQ(f.ctl.Shape1(0), design.Shape1(0));
        EXPECT_EQ(f.ctl.Shape2(0), design.Shape2(0));
        EXPECT_TRUE(f.ctl.Timer1.Enabled);
    }
}

TEST(Placement, ScattersHolesOverTheBase) {
    for (auto [base, h] : {std::pair{"0.2", 12}, {"1", 0}}) {
        SCOPED_TRACE(base);
        Inputs in;
        in.base = base;
        Form f = LaidOut(in);
        ScriptedRandom rnd = Ramp();
        PlaceCarriers(f, rnd);
        EXPECT_EQ(rnd.remaining(), 0u);
        EXPECT_EQ(f.vars.HoleCount.value(), h);
        for (int i = 1; i <= 100; ++i)
            ASSERT_EQ(f.ctl.Shape2(i), (Carrier{HoleX(100 + i), i <= h ? 3240 : kParkedTop}))
                << "hole " << i;
    }
}

TEST(Placement, PositionsAreFormedInSinglePrecision) {
    std::vector<Single> v(201, 0.5f);
    v[0] = 0.300000131f;   // 2640 * r + 1440: 2232.00049 in single, 2232.00024 in double
    v[101] = 0.300019473f; // r * 840 + 4360: 4612.0166 in single, 4612.01611 in double
    ScriptedRandom rnd(v);
    Form f = LaidOut();
    PlaceCarriers(f, rnd);
    EXPECT_EQ(f.ctl.Shape1(1).Left, 2232.00049f);
    EXPECT_EQ(f.ctl.Shape2(1).Left, 4612.0166f);
}

TEST(Placement, SecondStartRescattersButKeepsThePlot) {
    Form f = LaidOut();
    ScriptedRandom first = Draws(201, 0.25f);
    Command1_Click(f, first);
    FixedSeedRandom rnd;
    for (int t = 0; t < 10; ++t) Timer1_Timer(f, rnd);
    const auto plot = f.ctl.Picture1;
    ASSERT_EQ(f.vars.PlotX.value(), 20);

    ScriptedRandom again = Ramp();
    Command1_Click(f, again);
    Form fresh = LaidOut();
    ScriptedRandom same = Ramp();
    Command1_Click(fresh, same);
    EXPECT_EQ(f.vars.ElectronCount.value(), 81);
    EXPECT_EQ(f.vars.HoleCount.value(), 12);
    EXPECT_EQ(f.ctl.Shape1, fresh.ctl.Shape1);
    EXPECT_EQ(f.ctl.Shape2, fresh.ctl.Shape2);
    EXPECT_EQ(f.vars.PlotX.value(), 20);
    EXPECT_EQ(f.ctl.Picture1, plot);
}

TEST(Placement, RestartBeforeStartPlacesNothing) {
    const Form f = LaidOut();
    const Controls design = Controls::DesignTime();
    EXPECT_EQ(f.vars.ElectronCount.value(), 0);
    EXPECT_EQ(f.vars.HoleCount.value(), 0);
    EXPECT_EQ(f.ctl.Shape1, design.Shape1);
    EXPECT_EQ(f.ctl.Shape2, design.Shape2);
    EXPECT_FALSE(f.ctl.Timer1.Enabled);
}

} // namespace
} // namespace transistor
