#include <gtest/gtest.h>

#include "test_support.h"

namespace transistor {
namespace {

using testing::LaidOut;

// Draw k is k / 256, so every product is exact and each position tells which
// draw placed it: m for the emitter, then 101 - m for the collector (draw i
// places electron i), then 100 for the holes (draw 100 + i).
ScriptedRandom Ramp() {
    std::vector<Single> v;
    for (int k = 0; k < 201; ++k) v.push_back(k / 256.0f);
    return ScriptedRandom(v);
}

TEST(Placement, ScattersElectronsAndHoles) {
    // clang-format off
    const struct { const char *name, *base; int n, h; } rows[] = { // m = n / 2
        {"design-time 81: emitter 1-39, collector 40-81", "0.2", 81, 12},
        {"80: emitter 1-39, collector 40-80", "0.2", 80, 12},
        {"1: electron 1 and spare 0 in the collector", "0.2", 1, 12},
        {"0: spare 0 in the collector, all parked", "0.2", 0, 12},
        {"base level 1: no hole", "1", 81, 0},
    };
    // clang-format on
    auto collector = [](int i, Single top) { return Carrier{6400 + 9.21875f * i, top}; };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        Form f = LaidOut({"300", "0.9", r.base, "0.7", "0.5", "1.5"});
        f.vars.EmitterElectronTarget = r.n;
        ScriptedRandom rnd = Ramp();
        PlaceCarriers(f, rnd);
        EXPECT_EQ(rnd.used(), 201u);
        EXPECT_EQ(f.vars.ElectronCount.value(), r.n);
        EXPECT_EQ(f.vars.HoleCount.value(), r.h);
        for (int i = 1; i <= 100; ++i) {
            // Electron m is placed twice and ends in the collector.
            const Carrier want = i < r.n / 2 ? Carrier{1440 + 10.3125f * (i - 1), 2175}
                                             : collector(i, i <= r.n ? 4335 : kParkedTop);
            ASSERT_EQ(f.ctl.Shape1(i), want) << "electron " << i;
            const Carrier hole{4360 + 3.28125f * (100 + i), i <= r.h ? 3240 : kParkedTop};
            ASSERT_EQ(f.ctl.Shape2(i), hole) << "hole " << i;
        }
        EXPECT_EQ(f.ctl.Shape1(0),
                  r.n <= 1 ? collector(0, 4335) : Controls::DesignTime().Shape1(0));
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
    ScriptedRandom first = Ramp(), again = Ramp();
    FixedSeedRandom rnd;
    Command1_Click(f, first);
    const Controls placed = f.ctl;
    for (int t = 0; t < 10; ++t) Timer1_Timer(f, rnd);
    const auto plot = f.ctl.Picture1;
    Command1_Click(f, again);
    EXPECT_EQ(f.ctl.Shape1, placed.Shape1);
    EXPECT_EQ(f.ctl.Picture1, plot);
    EXPECT_EQ(f.vars.PlotX.value(), 20);
}

} // namespace
} // namespace transistor
