#include <gtest/gtest.h>

#include "test_support.h"

namespace transistor {
namespace {

using testing::Inputs;
using testing::LaidOut;

TEST(Setup, DesignTimeInputsGiveTheDesignTable) {
    const Form f = LaidOut();
    const SimulationState &s = f.vars;
    // clang-format off
    const std::pair<Integer, int> rows[] = {
        {s.Temperature, 300}, {s.EmitterElectronTarget, 81},
        {s.CollectorElectronTarget, 10}, // 10.5 rounds to even
        {s.BaseHoleTarget, 12}, {s.BaseLeftX, 4360}, {s.EbJunctionWidth, 280},
        {s.BaseRightX, 5200}, {s.CollectorLeftX, 6400}, {s.BcJunctionWidth, 1200},
        {s.EmitterFermiY, 2400}, {s.BaseFermiY, 3000}, {s.CollectorFermiY, 4800},
        {s.BaseConductionY, 2040}, {s.BaseValenceY, 3240}, {s.CollectorConductionY, 4440},
        {s.CollectorValenceY, 5640}, {s.BandGapHeight, 1200}};
    // clang-format on
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(rows[i].first.value(), rows[i].second) << "row " << i;
    EXPECT_EQ(f.ctl.Text13, "10");

    // The band lines, the emitter's left ends of Line9 and Line10 kept.
    const Controls &c = f.ctl;
    // clang-format off
    const std::pair<LineProps, std::array<Single, 4>> lines[] = {
        {c.Line3, {1440, 2400, 4080, 2400}}, {c.Line8, {4360, 3000, 5200, 3000}},
        {c.Line23, {6400, 4800, 8760, 4800}}, {c.Line4, {4360, 2040, 5200, 2040}},
        {c.Line5, {4360, 3240, 5200, 3240}}, {c.Line20, {6400, 4440, 8760, 4440}},
        {c.Line21, {6400, 5640, 8760, 5640}}, {c.Line9, {4080, 2280, 4360, 2040}},
        {c.Line10, {4080, 3480, 4360, 3240}}, {c.Line25, {5200, 2040, 6400, 4440}},
        {c.Line24, {5200, 3240, 6400, 5640}}};
    // clang-format on
    for (const auto &[l, want] : lines)
        EXPECT_EQ((std::array<Single, 4>{l.X1, l.Y1, l.X2, l.Y2}), want);
}

TEST(Setup, ClampsRewriteTheVoltageBoxes) {
    struct Case {
        const char *veb, *vcb, *vebShown, *vcbShown;
        int baseLeftX, ebWidth, bcWidth;
    } cases[] = {
        {"-0.3", "1.5", "0", "1.5", 4560, 480, 1200},
        {"0.75", "1.5", "0.6", "1.5", 4320, 240, 1200},
        {"0.6", "1.5", "0.6", "1.5", 4320, 240, 1200}, // the test is >=
        {"0", "1.5", "0", "1.5", 4560, 480, 1200},     // the test is <=
        {"0.25", "3", "0.25", "2", 4460, 380, 1600},
        {"0.5", "0", "0.5", "0", 4360, 280, 0},
        {"0.50", "1.50", "0.50", "1.50", 4360, 280, 1200}, // inside: left as typed
    };
    for (const Case &k : cases) {
        Inputs in;
        in.veb = k.veb;
        in.vcb = k.vcb;
        const Form f = LaidOut(in);
        SCOPED_TRACE(std::string(k.veb) + " / " + k.vcb);
        EXPECT_EQ(f.ctl.Text4, k.vebShown);
        EXPECT_EQ(f.ctl.Text8, k.vcbShown);
        EXPECT_EQ(f.vars.BaseLeftX.value(), k.baseLeftX);
        EXPECT_EQ(f.vars.EbJunctionWidth.value(), k.ebWidth);
        EXPECT_EQ(f.vars.BcJunctionWidth.value(), k.bcWidth);
        // Without forward bias the base's Fermi level is the emitter's; without
        // reverse bias the base-collector lines stand vertical.
        if (k.ebWidth == 480) {
            EXPECT_EQ(f.vars.BaseFermiY, f.vars.EmitterFermiY);
        }
        if (k.bcWidth == 0) {
            EXPECT_EQ(f.ctl.Line25.X1, f.ctl.Line25.X2);
        }
    }
}

TEST(Setup, BaseLevelMovesOnlyTheBaseEdgesEmitterLevelMovesAllButTheEmitterEdges) {
    const Form before = LaidOut();
    Inputs in;
    in.base = "0.4";
    const Form base = LaidOut(in);
    EXPECT_EQ(base.vars.BaseFermiY, before.vars.BaseFermiY);
    EXPECT_NE(base.vars.BaseConductionY, before.vars.BaseConductionY);
    EXPECT_EQ(base.vars.CollectorConductionY, before.vars.CollectorConductionY);
    in = Inputs();
    in.emitter = "0.8";
    const Form emitter = LaidOut(in);
    EXPECT_NE(emitter.vars.BaseFermiY, before.vars.BaseFermiY);
    EXPECT_NE(emitter.vars.CollectorValenceY, before.vars.CollectorValenceY);
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

TEST(Setup, ARefusedSetupNamesEveryBadBoxAndKeepsTheBoxesAsTyped) {
    Form f = testing::LoadedForm();
    Inputs in;
    in.emitter = "";
    in.vcb = "two";
    in.veb = "5"; // would be clamped by a set-up that went through
    testing::Type(f, in);
    Command3_Click(f);
    ASSERT_TRUE(f.feedback.message);
    EXPECT_NE(f.feedback.message->find("Emitter Fermi level"), std::string::npos);
    EXPECT_NE(f.feedback.message->find("VCB"), std::string::npos);
    EXPECT_EQ(f.feedback.messageSerial, 1u);
    EXPECT_EQ(f.ctl.Text4, "5");
}

TEST(Setup, CommaLocaleWritesItsOwnSeparatorAndReadsTheDesignTexts) {
    Form f = testing::LoadedForm();
    f.decimalSeparator = ",";
    Inputs in;
    in.veb = "0,75";
    testing::Type(f, in);
    Command3_Click(f);
    EXPECT_EQ(f.ctl.Text4, "0,6");
    Form g = testing::LoadedForm();
    g.decimalSeparator = ",";
    Command3_Click(g);
    EXPECT_TRUE(SameSimulation(g, LaidOut()));
}

TEST(Setup, TargetsBeyondTheCirclesStartWithAllOrNone) {
    struct Case {
        const char *emitter, *base;
        int electrons, holes;
    } cases[] = {{"1.5", "-1", 100, 30}, {"-0.5", "1.5", 0, 0}};
    for (const Case &k : cases) {
        Inputs in;
        in.emitter = k.emitter;
        in.base = k.base;
        Form f = LaidOut(in);
        auto rnd = testing::Draws(301, 0.5f);
        Command1_Click(f, rnd);
        EXPECT_EQ(f.vars.ElectronCount.value(), k.electrons) << k.emitter;
        EXPECT_EQ(f.vars.HoleCount.value(), k.holes) << k.base;
    }
}

} // namespace
} // namespace transistor
