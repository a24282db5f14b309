// What the window tells a screen reader about the band diagram: carriers by
// region, the two band steps, and the pairs that ticks generate and recombine.
#include <gtest/gtest.h>

#include "display/band_summary.h"
#include "engine/phases.h"
#include "test_support.h"

namespace transistor {
namespace {

TEST(BandSummary, CountsEveryElectronInUseOnceAndReadsTheStepsInEv) {
    EXPECT_FALSE(SummarizeBands(testing::LoadedForm()).laidOut);
    Form f = testing::LaidOut();
    auto rnd = testing::Draws(201, 0.5f);
    Command1_Click(f, rnd);
    // Into the emitter-base junction, then the ends of the flat regions,
    // which belong to them; holes at the same places.
    const Single xs[] = {4200, 4080, 4360, 5200, 6400};
    for (int i = 1; i <= 5; ++i) f.ctl.Shape1(i).Left = f.ctl.Shape2(i).Left = xs[i - 1];
    const BandSummary b = SummarizeBands(f);
    EXPECT_EQ(b.emitterElectrons + b.baseElectrons + b.collectorElectrons + b.junctionElectrons,
              f.vars.ElectronCount.value());
    EXPECT_EQ(b.junctionElectrons, 1);
    EXPECT_EQ(b.baseHoles, f.vars.HoleCount.value() - 3);
    EXPECT_DOUBLE_EQ(b.barrierEv, 0.2);
    EXPECT_DOUBLE_EQ(b.collectorDropEv, 2.0);
}

TEST(PairCounter, TellsAGenerationFromTheMarkerAndARecombinationFromTheHoles) {
    Form f = testing::LaidOut();
    f.vars.ElectronCount = 1;
    f.vars.HoleCount = 1;
    f.vars.EmitterElectronTarget = 2;
    f.vars.BaseCurrentCount = 5; // the refills' count goes on from there
    f.ctl.Shape1(1).Left = f.ctl.Shape2(1).Left = 3000;
    PairCounter pairs;
    // One tick generates a pair (the red marker shows at a new place) and
    // recombines the one at 3000: as many holes as before.
    ScriptedRandom both({0.0f, 0.5f, 0.0f, 0.0f});
    pairs.beforeTick(f);
    GeneratePair(f, both);
    RecombinePairs(f, both);
    pairs.afterTick(f);
    EXPECT_EQ(f.vars.HoleCount.value(), 1);
    // The next recombines the new pair while the marker still shows.
    f.vars.EmitterElectronTarget = 1;
    ScriptedRandom recombine({0.0f, 0.0f});
    pairs.beforeTick(f);
    RecombinePairs(f, recombine);
    pairs.afterTick(f);
    EXPECT_EQ(f.vars.HoleCount.value(), 0);
    EXPECT_EQ(pairs.generated(), 1);
    EXPECT_EQ(pairs.recombined(), 2);
    pairs.reset();
    EXPECT_EQ(pairs.generated() + pairs.recombined(), 0);
}

} // namespace
} // namespace transistor
