// The set-up at Start and Restart: the band diagram the inputs give, the
// clamps, the Fermi profile and where Start scatters the carriers.
#include <gtest/gtest.h>

#include "test_support.h"

namespace transistor {
namespace {

using testing::Inputs;
using testing::LaidOut;

TEST(Setup, DesignTimeInputsGiveTheDesignTable) {
    const Form f = LaidOut();
    const SimulationState &s = f.vars;
    const Controls &c = f.ctl;
    // clang-format off
    const std::pair<Integer, int> rows[] = {
        {s.Temperature, 300}, {s.EmitterElectronTarget, 81}, {s.CollectorElectronTarget, 10},
        {s.BaseHoleTarget, 12}, {s.BaseLeftX, 4360}, {s.EbJunctionWidth, 280},
        {s.BaseRightX, 5200}, {s.CollectorLeftX, 6400}, {s.BcJunctionWidth, 1200},
        {s.EmitterFermiY, 2400}, {s.BaseFermiY, 3000}, {s.CollectorFermiY, 4800},
        {s.BaseConductionY, 2040}, {s.BaseValenceY, 3240}, {s.CollectorConductionY, 4440},
        {s.CollectorValenceY, 5640}, {s.BandGapHeight, 1200}};
    // The band lines; the emitter's left ends of Line9 and Line10 are kept.
    const std::pair<LineProps, std::array<Single, 4>> lines[] = {
        {c.Line3, {1440, 2400, 4080, 2400}}, {c.Line8, {4360, 3000, 5200, 3000}},
        {c.Line23, {6400, 4800, 8760, 4800}}, {c.Line4, {4360, 2040, 5200, 2040}},
        {c.Line5, {4360, 3240, 5200, 3240}}, {c.Line20, {6400, 4440, 8760, 4440}},
        {c.Line21, {6400, 5640, 8760, 5640}}, {c.Line9, {4080, 2280, 4360, 2040}},
        {c.Line10, {4080, 3480, 4360, 3240}}, {c.Line25, {5200, 2040, 6400, 4440}},
        {c.Line24, {5200, 3240, 6400, 5640}}};
    // clang-format on
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(rows[i].first.value(), rows[i].second) << "row " << i;
    for (const auto &[l, want] : lines)
        EXPECT_EQ((std::array<Single, 4>{l.X1, l.Y1, l.X2, l.Y2}), want);
    EXPECT_EQ(c.Text13, "10"); // 10.5 rounds to even
}

TEST(Setup, ClampsRewriteTheVoltageBoxesAtAndBeyondTheirLimits) {
    // clang-format off
    const struct { const char *veb, *vcb, *vebShown, *vcbShown; int baseLeftX, bcWidth;
                   const char *separator = "."; } rows[] = {
        {"-0.3", "2.0", "0", "2", 4560, 1600},   {"0.75", "0.0", "0.6", "0", 4320, 0},
        {"0.60", "1.5", "0.6", "1.5", 4320, 1200}, {"0.00", "3", "0", "2", 4560, 1600},
        {"0.50", "1.50", "0.50", "1.50", 4360, 1200}, // inside: left as typed
        {"0,75", "1.5", "0,6", "1.5", 4320, 1200, ","}, // written with the locale's separator
    };
    // clang-format on
    for (const auto &r : rows) {
        SCOPED_TRACE(std::string(r.veb) + " / " + r.vcb);
        const Form f = LaidOut({"300", "0.9", "0.2", "0.7", r.veb, r.vcb}, r.separator);
        EXPECT_EQ(f.ctl.Text4, r.vebShown);
        EXPECT_EQ(f.ctl.Text8, r.vcbShown);
        EXPECT_EQ(f.vars.BaseLeftX.value(), r.baseLeftX);
        EXPECT_EQ(f.vars.BcJunctionWidth.value(), r.bcWidth);
        // Without forward bias the base's Fermi level is the emitter's.
        EXPECT_EQ(f.vars.BaseFermiY == f.vars.EmitterFermiY, r.baseLeftX == 4560);
    }
}

TEST(Setup, RestartZeroesTheCollectorCurrentButNotTheBaseCurrent) {
    Form f = testing::LoadedForm();
    f.vars.BaseCurrentCount = -4;
    f.vars.CollectorCurrentCount = 9;
    Command3_Click(f);
    EXPECT_EQ(f.vars.BaseCurrentCount.value(), -4);
    EXPECT_EQ(f.vars.CollectorCurrentCount.value(), 0);
}

TEST(Setup, TargetsBeyondTheCirclesStartWithAllOrNone) {
    for (auto [emitter, base, electrons, holes] :
         {std::tuple{"1.5", "-1", 100, 30}, std::tuple{"-0.5", "1.5", 0, 0}}) {
        Form f = LaidOut({"300", emitter, base, "0.7", "0.5", "1.5"});
        auto rnd = testing::Draws(301, 0.5f);
        Command1_Click(f, rnd);
        EXPECT_EQ(f.vars.ElectronCount.value(), electrons) << emitter;
        EXPECT_EQ(f.vars.HoleCount.value(), holes) << base;
    }
}

TEST(FermiLevel, ProfileAcrossTheDevice) {
    // clang-format off
    const struct { const char *name, *vcb; Single x; int y; } rows[] = {
        {"emitter right end", "1.5", 4080, 2400},
        {"middle of the emitter-base junction", "1.5", 4220, 2700},
        {"base left end", "1.5", 4360, 3000},
        {"base right end", "1.5", 5200, 3000},
        {"middle of the base-collector junction", "1.5", 5800, 3900},
        {"collector left end", "1.5", 6400, 4800},
        // (x - 5200) * 1.5 + 3000 lands on a half: ties go to the even integer.
        {"3001.5 rounds up to even", "1.5", 5201, 3002},
        {"3004.5 rounds down to even", "1.5", 5203, 3004},
        // VCB 0: a base-collector junction of width 0 must never be divided by.
        {"no junction: on the shared boundary", "0", 5200, 3000},
    };
    // clang-format on
    for (const auto &r : rows) {
        Form f = testing::LaidOut({"300", "0.9", "0.2", "0.7", "0.5", r.vcb});
        f.vars.CarrierX = r.x;
        FermiLevelAtX(f);
        EXPECT_EQ(f.vars.FermiYAtX.value(), r.y) << r.name;
    }
}

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
