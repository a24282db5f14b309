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
    const struct { const char *veb, *vcb, *vebShown, *vcbShown; int baseLeftX, bcWidth; } rows[] = {
        {"-0.3", "2.0", "0", "2", 4560, 1600},   {"0.75", "0.0", "0.6", "0", 4320, 0},
        {"0.60", "1.5", "0.6", "1.5", 4320, 1200}, {"0.00", "3", "0", "2", 4560, 1600},
        {"0.50", "1.50", "0.50", "1.50", 4360, 1200}, // inside: left as typed
    };
    // clang-format on
    for (const auto &r : rows) {
        SCOPED_TRACE(std::string(r.veb) + " / " + r.vcb);
        const Form f = LaidOut({"300", "0.9", "0.2", "0.7", r.veb, r.vcb});
        EXPECT_EQ(f.ctl.Text4, r.vebShown);
        EXPECT_EQ(f.ctl.Text8, r.vcbShown);
        EXPECT_EQ(f.vars.BaseLeftX.value(), r.baseLeftX);
        EXPECT_EQ(f.vars.BcJunctionWidth.value(), r.bcWidth);
        // Without forward bias the base's Fermi level is the emitter's.
        EXPECT_EQ(f.vars.BaseFermiY == f.vars.EmitterFermiY, r.baseLeftX == 4560);
    }
}

TEST(Setup, EachLevelMovesItsOwnEdges) {
    const Form before = LaidOut(), base = LaidOut({"300", "0.9", "0.4", "0.7", "0.5", "1.5"}),
               emitter = LaidOut({"300", "0.8", "0.2", "0.7", "0.5", "1.5"});
    EXPECT_EQ(base.vars.BaseFermiY, before.vars.BaseFermiY);
    EXPECT_EQ(base.vars.BaseConductionY.value(), 2280);
    EXPECT_EQ(base.vars.CollectorConductionY, before.vars.CollectorConductionY);
    EXPECT_EQ(emitter.vars.BaseFermiY.value(), 3120);
    EXPECT_EQ(emitter.vars.CollectorValenceY.value(), 5760);
    EXPECT_EQ(emitter.ctl.Line9.Y1, 2280.0f);
}

TEST(Setup, RestartChangesTargetsButNotCountsCarriersOrBaseCurrent) {
    Form f = testing::LoadedForm();
    f.vars.ElectronCount = 7;
    f.vars.BaseCurrentCount = -4;
    f.vars.CollectorCurrentCount = 9;
    const Controls before = f.ctl;
    Command3_Click(f);
    EXPECT_EQ(f.vars.ElectronCount.value(), 7);
    EXPECT_EQ(f.vars.BaseCurrentCount.value(), -4);
    EXPECT_EQ(f.vars.CollectorCurrentCount.value(), 0);
    EXPECT_EQ(f.vars.BaseHoleTarget.value(), 12);
    EXPECT_EQ(f.ctl.Shape1, before.Shape1);
    EXPECT_FALSE(f.ctl.Timer1.Enabled);
}

TEST(Setup, CommaLocaleWritesItsOwnSeparatorAndReadsTheDesignTexts) {
    Form f = testing::LoadedForm(), g = f;
    f.decimalSeparator = g.decimalSeparator = ",";
    testing::Type(f, {"300", "0.9", "0.2", "0.7", "0,75", "1.5"});
    Command3_Click(f);
    EXPECT_EQ(f.ctl.Text4, "0,6");
    Command3_Click(g);
    EXPECT_TRUE(SameSimulation(g, LaidOut()));
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

} // namespace
} // namespace transistor
