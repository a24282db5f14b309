#include <gtest/gtest.h>

#include <cmath>

#include "scene.h"

namespace transistor {
namespace {

using namespace testing;

Form WithCounts(int electrons, int holes) {
    Form f = LaidOut();
    f.vars.ElectronCount = electrons;
    f.vars.HoleCount = holes;
    return f;
}

TEST(GeneratePair, ChanceIsTemperatureOver5000) {
    const struct {
        const char *name;
        int temperature;
        Single r1;
        bool pair;
    } rows[] = {
        {"r * 5000 equal to the temperature", 300, 0.06f, true},
        {"300.0000119 rounds to 300", 300, std::nextafter(0.06f, 1.0f), true},
        {"300.0000491 rounds to 300.00006", 300, std::nextafter(std::nextafter(0.06f, 1.0f), 1.0f),
         false},
        {"1.0000000475 is 1 in single precision", 1, 0.000200000009f, true},
        {"0 K, r 0", 0, 0.0f, true},
        {"0 K, r above 0", 0, 1e-7f, false},
        {"5000 K, the largest r", 5000, 0.99999994f, true},
    };
    for (const auto &r : rows) {
        Form f = WithCounts(5, 5);
        f.vars.Temperature = r.temperature;
        ScriptedRandom rnd = Script({r.r1, 0.5f});
        GeneratePair(f, rnd);
        EXPECT_EQ(rnd.used(), r.pair ? 2u : 1u) << r.name;
        EXPECT_EQ(f.vars.ElectronCount.value(), r.pair ? 6 : 5) << r.name;
        EXPECT_EQ(f.ctl.Timer3.Enabled, r.pair) << r.name;
    }
}

TEST(GeneratePair, NeitherCountPasses100) {
    Form f = WithCounts(99, 99);
    ScriptedRandom rnd = Script({0.0f, 0.5f, 0.0f});
    GeneratePair(f, rnd);
    EXPECT_EQ(f.vars.ElectronCount.value(), 100);
    EXPECT_EQ(f.vars.HoleCount.value(), 100);
    EXPECT_EQ(f.ctl.Shape1(100), (Carrier{5100, 1935}));
    EXPECT_EQ(f.ctl.Shape2(100), (Carrier{5100, 3240}));
    EXPECT_EQ(f.ctl.Text5, "100");
    EXPECT_EQ(f.ctl.Text6, "100");
    GeneratePair(f, rnd);
    EXPECT_EQ(rnd.remaining(), 0u) << "the next call draws once and generates nothing";
    EXPECT_EQ(f.vars.ElectronCount.value(), 100);

    for (auto [electrons, holes] : {std::pair{100, 40}, {40, 100}}) {
        Form g = WithCounts(electrons, holes);
        ScriptedRandom two = Script({0.0f, 0.5f});
        GeneratePair(g, two);
        EXPECT_EQ(two.used(), 1u);
        EXPECT_EQ(g.vars.ElectronCount.value(), electrons);
        EXPECT_EQ(g.vars.HoleCount.value(), holes);
        EXPECT_EQ(g.ctl.Text5, "0.2") << "count boxes keep their design-time text";
    }
}

TEST(GeneratePair, PlacesThePairAndTheMarkerByRegion) {
    const struct {
        Single x, electronTop, holeTop, y1, y2;
    } rows[] = {
        {2000, 2175, 3480, 2280, 3480}, // emitter
        {4080, 2175, 3480, 2280, 3480}, // EmitterRightX is emitter
        {4220, 2055, 3360, 2160, 3360}, // emitter-base junction
        {4360, 1935, 3240, 2040, 3240}, // BaseLeftX is base
        {4800, 1935, 3240, 2040, 3240}, // base
        {5800, 3135, 4440, 3240, 4440}, // base-collector junction
        {6400, 4335, 5640, 4440, 5640}, // CollectorLeftX is collector
        {7000, 4335, 5640, 4440, 5640}, // collector
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.x);
        Form f = WithCounts(10, 3);
        ScriptedRandom rnd = Script({0.0f, DrawFor(r.x)});
        GeneratePair(f, rnd);
        ASSERT_EQ(f.vars.CarrierX.toDouble(), r.x);
        EXPECT_EQ(f.ctl.Shape1(11), (Carrier{r.x, r.electronTop}));
        EXPECT_EQ(f.ctl.Shape2(4), (Carrier{r.x, r.holeTop}));
        EXPECT_EQ(f.ctl.Line18, (LineProps{r.x, r.y1, r.x, r.y2, true}));
        EXPECT_EQ(f.ctl.Text5, "11");
        EXPECT_EQ(f.ctl.Text6, "4");
    }
}

TEST(GeneratePair, PositionIsFormedInSinglePrecision) {
    Form f = WithCounts(10, 3);
    ScriptedRandom rnd = Script({0.0f, 0.362841576f}); // 4096.00049 in double
    GeneratePair(f, rnd);
    EXPECT_EQ(f.ctl.Line18.X1, 4096.0f);
}

TEST(GeneratePair, SharedBoundaryWithoutCollectorBiasTakesTheCollectorsEdges) {
    Inputs in;
    in.vcb = "0";
    Form f = LaidOut(in);
    ScriptedRandom rnd = Script({0.0f, DrawFor(5200)});
    GeneratePair(f, rnd);
    const SimulationState &s = f.vars;
    ASSERT_NE(s.CollectorConductionY, s.BaseConductionY);
    EXPECT_EQ(f.ctl.Shape1(1).Top, (s.CollectorConductionY - 105).toSingle());
    EXPECT_EQ(f.ctl.Shape2(1).Top, s.CollectorValenceY.toSingle());
    EXPECT_EQ(f.ctl.Line18.Y1, s.CollectorConductionY.toSingle());
}

TEST(GeneratePair, Timer3HidesTheMarkerAndStops) {
    Form f = WithCounts(10, 3);
    ScriptedRandom rnd = Script({0.0f, 0.5f});
    GeneratePair(f, rnd);
    ASSERT_TRUE(f.ctl.Line18.Visible);
    Timer3_Timer(f);
    EXPECT_FALSE(f.ctl.Line18.Visible);
    EXPECT_FALSE(f.ctl.Timer3.Enabled);
}

} // namespace
} // namespace transistor
