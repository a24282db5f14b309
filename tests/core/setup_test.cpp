#include <gtest/gtest.h>

#include "test_support.h"

namespace transistor {
namespace {

using testing::Inputs;
using testing::LaidOut;
using testing::LoadedForm;

TEST(Setup, DesignTimeInputsGiveTheDesignTable) {
    const Form f = LaidOut();
    const SimulationState &s = f.vars;
    struct Row {
        const char *name;
        Integer got;
        int want;
    } rows[] = {
        {"Temperature", s.Temperature, 300},
        {"EmitterElectronTarget", s.EmitterElectronTarget, 81},
        {"CollectorElectronTarget", s.CollectorElectronTarget, 10}, // 10.5 rounds to even
        {"BaseHoleTarget", s.BaseHoleTarget, 12},
        {"BaseLeftX", s.BaseLeftX, 4360},
        {"EbJunctionWidth", s.EbJunctionWidth, 280},
        {"BaseRightX", s.BaseRightX, 5200},
        {"CollectorLeftX", s.CollectorLeftX, 6400},
        {"BcJunctionWidth", s.BcJunctionWidth, 1200},
        {"EmitterFermiY", s.EmitterFermiY, 2400},
        {"BaseFermiY", s.BaseFermiY, 3000},
        {"CollectorFermiY", s.CollectorFermiY, 4800},
        {"BaseConductionY", s.BaseConductionY, 2040},
        {"BaseValenceY", s.BaseValenceY, 3240},
        {"CollectorConductionY", s.CollectorConductionY, 4440},
        {"CollectorValenceY", s.CollectorValenceY, 5640},
        {"BandGapHeight", s.BandGapHeight, 1200},
    };
    for (const Row &r : rows) EXPECT_EQ(r.got.value(), r.want) << r.name;
    EXPECT_EQ(f.ctl.Text13, "10");
    EXPECT_FALSE(f.feedback.message);
}

TEST(Setup, MovesTheBandLinesAndLeavesTheEmitterEdges) {
    const Form f = LaidOut();
    const Controls &c = f.ctl;
    auto same = [](const LineProps &l, Single x1, Single y1, Single x2, Single y2) {
        return l.X1 == x1 && l.Y1 == y1 && l.X2 == x2 && l.Y2 == y2;
    };
    EXPECT_TRUE(same(c.Line3, 1440, 2400, 4080, 2400));
    EXPECT_TRUE(same(c.Line8, 4360, 3000, 5200, 3000));
    EXPECT_TRUE(same(c.Line23, 6400, 4800, 8760, 4800));
    EXPECT_TRUE(same(c.Line4, 4360, 2040, 5200, 2040));
    EXPECT_TRUE(same(c.Line5, 4360, 3240, 5200, 3240));
    EXPECT_TRUE(same(c.Line20, 6400, 4440, 8760, 4440));
    EXPECT_TRUE(same(c.Line21, 6400, 5640, 8760, 5640));
    EXPECT_TRUE(same(c.Line9, 4080, 2280, 4360, 2040));
    EXPECT_TRUE(same(c.Line10, 4080, 3480, 4360, 3240));
    EXPECT_TRUE(same(c.Line25, 5200, 2040, 6400, 4440));
    EXPECT_TRUE(same(c.Line24, 5200, 3240, 6400, 5640));
}

struct ClampCase {
    const char *veb;
    const char *vcb;
    const char *vebShown;
    const char *vcbShown;
    int baseLeftX, ebWidth, bcWidth;
};

TEST(Setup, ClampsRewriteTheVoltageBoxes) {
    const ClampCase cases[] = {
        {"-0.3", "1.5", "0", "1.5", 4560, 480, 1200},
        {"0.75", "1.5", "0.6", "1.5", 4320, 240, 1200},
        {"0.6", "1.5", "0.6", "1.5", 4320, 240, 1200}, // the test is >=
        {"0", "1.5", "0", "1.5", 4560, 480, 1200},     // the test is <=
        {"0.00", "1.5", "0", "1.5", 4560, 480, 1200},
        {"0.25", "3", "0.25", "2", 4460, 380, 1600},
        {"0.5", "0", "0.5", "0", 4360, 280, 0},
        {"0.5", "-7", "0.5", "0", 4360, 280, 0},
        {"0.50", "1.50", "0.50", "1.50", 4360, 280, 1200}, // inside: left as typed
    };
    for (const ClampCase &k : cases) {
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
    }
}

TEST(Setup, NoForwardBiasPutsTheBaseFermiLevelOnTheEmitters) {
    Inputs in;
    in.veb = "-0.3";
    const Form f = LaidOut(in);
    EXPECT_EQ(f.vars.BaseFermiY, f.vars.EmitterFermiY);
}

TEST(Setup, ZeroCollectorBiasMakesTheJunctionLinesVertical) {
    Inputs in;
    in.vcb = "0";
    const Form f = LaidOut(in);
    EXPECT_EQ(f.ctl.Line25.X1, f.ctl.Line25.X2);
    EXPECT_EQ(f.ctl.Line24.X1, f.ctl.Line24.X2);
    EXPECT_EQ(f.ctl.Line25.X1, 5200.0f);
}

TEST(Setup, BaseLevelMovesOnlyTheBaseEdgesEmitterLevelMovesAllButTheEmitterEdges) {
    const Form before = LaidOut();
    Inputs in;
    in.base = "0.4";
    const Form base = LaidOut(in);
    EXPECT_EQ(base.vars.BaseFermiY, before.vars.BaseFermiY);
    EXPECT_NE(base.vars.BaseConductionY, before.vars.BaseConductionY);
    EXPECT_NE(base.vars.BaseValenceY, before.vars.BaseValenceY);
    EXPECT_EQ(base.vars.CollectorConductionY, before.vars.CollectorConductionY);

    in = Inputs();
    in.emitter = "0.8";
    const Form emitter = LaidOut(in);
    EXPECT_NE(emitter.vars.EmitterFermiY, before.vars.EmitterFermiY);
    EXPECT_NE(emitter.vars.BaseFermiY, before.vars.BaseFermiY);
    EXPECT_NE(emitter.vars.CollectorValenceY, before.vars.CollectorValenceY);
    EXPECT_EQ(emitter.ctl.Line9.Y1, 2280.0f);
    EXPECT_EQ(emitter.ctl.Line10.Y1, 3480.0f);
}

TEST(Setup, RestartChangesTargetsButNotCountsCarriersOrBaseCurrent) {
    Form f = LoadedForm();
    f.vars.ElectronCount = 7;
    f.vars.HoleCount = 3;
    f.vars.BaseCurrentCount = -4;
    f.vars.CollectorCurrentCount = 9;
    const Controls carriersBefore = f.ctl;
    Command3_Click(f);
    EXPECT_EQ(f.vars.ElectronCount.value(), 7);
    EXPECT_EQ(f.vars.HoleCount.value(), 3);
    EXPECT_EQ(f.vars.BaseCurrentCount.value(), -4);
    EXPECT_EQ(f.vars.CollectorCurrentCount.value(), 0);
    EXPECT_EQ(f.vars.BaseHoleTarget.value(), 12);
    EXPECT_EQ(f.ctl.Shape1, carriersBefore.Shape1);
    EXPECT_EQ(f.ctl.Shape2, carriersBefore.Shape2);
    EXPECT_FALSE(f.ctl.Timer1.Enabled);
}

TEST(Setup, TemperatureIsRoundedHalfToEven) {
    for (auto [text, want] :
         {std::pair{"300.5", 300}, {"301.5", 302}, {"-2.5", -2}, {"1e3", 1000}}) {
        Inputs in;
        in.temperature = text;
        EXPECT_EQ(LaidOut(in).vars.Temperature.value(), want) << text;
    }
}

// Inputs that are refused: the whole simulated state stays as it was, and the
// message names the box.
struct RefusedCase {
    const char *name;
    Inputs inputs;
    const char *mentions;
};

std::vector<RefusedCase> RefusedCases() {
    auto with = [](auto member, const char *text) {
        Inputs in;
        in.*member = text;
        return in;
    };
    return {
        {"empty temperature", with(&Inputs::temperature, ""), "Temperature (K)"},
        {"letters", with(&Inputs::emitter, "abc"), "Emitter Fermi level"},
        {"trailing letter", with(&Inputs::base, "0.9x"), "Base Fermi level"},
        {"trailing unit", with(&Inputs::veb, "0.5V"), "VEB"},
        {"only spaces", with(&Inputs::vcb, "   "), "VCB"},
        {"huge", with(&Inputs::collector, "1e999"), "Collector Fermi level"},
        {"nan", with(&Inputs::emitter, "nan"), "Emitter Fermi level"},
        {"inf", with(&Inputs::emitter, "inf"), "Emitter Fermi level"},
        {"group separator", with(&Inputs::temperature, "1,500"), "Temperature (K)"},
        {"two points", with(&Inputs::veb, "0.5.1"), "VEB"},
        {"temperature overflow", with(&Inputs::temperature, "40000"), "Temperature (K)"},
        {"temperature underflow", with(&Inputs::temperature, "-32769"), "Temperature (K)"},
        {"emitter level 30", with(&Inputs::emitter, "30"), "Emitter Fermi level"},
        {"emitter level -30", with(&Inputs::emitter, "-30"), "Emitter Fermi level"},
        {"collector level -30", with(&Inputs::collector, "-30"), "Collector Fermi level"},
        {"base level 40", with(&Inputs::base, "40"), "Base Fermi level"},
    };
}

TEST(Setup, RefusedInputsChangeNothingAndNameTheBox) {
    for (const RefusedCase &k : RefusedCases()) {
        SCOPED_TRACE(k.name);
        for (bool start : {false, true}) {
            Form f = LaidOut(); // a previous geometry that must stay
            testing::Type(f, k.inputs);
            const Form before = f;
            ScriptedRandom none;
            if (start)
                Command1_Click(f, none);
            else
                Command3_Click(f);
            EXPECT_TRUE(SameSimulation(before, f));
            EXPECT_EQ(none.used(), 0u);
            ASSERT_TRUE(f.feedback.message);
            EXPECT_NE(f.feedback.message->find(k.mentions), std::string::npos)
                << *f.feedback.message;
        }
    }
}

TEST(Setup, RefusedSetupLeavesVoltageBoxesAsTyped) {
    Form f = LoadedForm();
    Inputs in;
    in.veb = "5";
    in.vcb = "-1";
    in.emitter = "x";
    testing::Type(f, in);
    Command3_Click(f);
    EXPECT_EQ(f.ctl.Text4, "5");
    EXPECT_EQ(f.ctl.Text8, "-1");
}

TEST(Setup, OneMessageNamesEveryBoxThatHoldsNoNumber) {
    Form f = LoadedForm();
    Inputs in;
    in.emitter = "";
    in.vcb = "two";
    testing::Type(f, in);
    Command3_Click(f);
    ASSERT_TRUE(f.feedback.message);
    EXPECT_NE(f.feedback.message->find("Emitter Fermi level"), std::string::npos);
    EXPECT_NE(f.feedback.message->find("VCB"), std::string::npos);
    EXPECT_EQ(f.feedback.messageSerial, 1u);
}

TEST(Setup, CommaLocaleReadsBothSeparatorsAndWritesItsOwn) {
    Form f = LoadedForm();
    f.decimalSeparator = ",";
    Inputs in;
    in.emitter = "0,9";
    in.veb = "0,75";
    testing::Type(f, in);
    Command3_Click(f);
    EXPECT_FALSE(f.feedback.message);
    EXPECT_EQ(f.vars.EmitterElectronTarget.value(), 81);
    EXPECT_EQ(f.ctl.Text4, "0,6");
    EXPECT_EQ(f.vars.BaseLeftX.value(), 4320);
    // The design-time texts read the same in every locale.
    Form g = LoadedForm();
    g.decimalSeparator = ",";
    Command3_Click(g);
    EXPECT_TRUE(SameSimulation(g, LaidOut()));
}

TEST(Setup, ExtremeTargetsAreAcceptedAndTheCountsStayWithinTheSlots) {
    Inputs in;
    in.emitter = "1.5"; // target 135
    in.base = "-1";     // target 30
    Form f = LaidOut(in);
    ASSERT_FALSE(f.feedback.message);
    EXPECT_EQ(f.vars.EmitterElectronTarget.value(), 135);
    auto rnd = testing::Draws(201 + 100, 0.5f);
    Command1_Click(f, rnd);
    EXPECT_EQ(f.vars.ElectronCount.value(), 100);
    EXPECT_EQ(f.vars.HoleCount.value(), 30);

    in = Inputs();
    in.emitter = "-0.5";
    in.base = "1.5";
    Form g = LaidOut(in);
    auto rnd2 = testing::Draws(201, 0.5f);
    Command1_Click(g, rnd2);
    EXPECT_EQ(g.vars.ElectronCount.value(), 0);
    EXPECT_EQ(g.vars.HoleCount.value(), 0);
}

} // namespace
} // namespace transistor
