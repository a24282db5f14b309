// The core without a window: one tick, the set-up and one dump.
#include <benchmark/benchmark.h>

#include "model/form.h"
#include "model/routines.h"
#include "tools/json_dump.h"

namespace transistor {
namespace {

// One tick as the window runs it: every 200th is followed by the 10 s
// readout, which also keeps the 16-bit current counters from overflowing.
void Tick(Form &f, RandomSource &rnd, int &n) {
    Timer1_Timer(f, rnd);
    if (++n % 200 == 0) Timer2_Timer(f);
}

// A form after Start with the design-time inputs, run for a while so that
// the populations have settled (about 113 carriers).
Form Settled(FixedSeedRandom &rnd) {
    Form f;
    Form_Load(f);
    Command1_Click(f, rnd);
    for (int n = 0; n < 2000;) Tick(f, rnd, n);
    return f;
}

void BM_TickDesignInputs(benchmark::State &state) {
    FixedSeedRandom rnd;
    Form f = Settled(rnd);
    int n = 0;
    for (auto _ : state) {
        Tick(f, rnd, n);
        benchmark::DoNotOptimize(f.vars.ElectronCount);
    }
    if (!f.ctl.Timer1.Enabled) state.SkipWithError("the animation stopped");
    state.counters["carriers"] = f.vars.ElectronCount.value() + f.vars.HoleCount.value();
    state.counters["ticks/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TickDesignInputs);

// 100 electrons spread over emitter and collector and 100 holes over the
// base; every iteration starts again from that state (the copy is timed too,
// a few kilobytes).
void BM_TickFullLoad(benchmark::State &state) {
    FixedSeedRandom rnd;
    Form f = Settled(rnd);
    auto &s = f.vars;
    while (s.ElectronCount < 100) {
        s.ElectronCount = s.ElectronCount + 1;
        const bool emitter = rnd.next() < 0.5f;
        f.ctl.Shape1(s.ElectronCount) = {
            emitter ? 1440 + 2640 * rnd.next() : 6400 + 2360 * rnd.next(),
            (emitter ? s.EmitterConductionY : s.CollectorConductionY).toSingle() - 105};
    }
    while (s.HoleCount < 100) {
        s.HoleCount = s.HoleCount + 1;
        f.ctl.Shape2(s.HoleCount) = {4360 + 840 * rnd.next(), s.BaseValenceY.toSingle()};
    }
    const SimulationState vars = f.vars;
    const CarrierArray electrons = f.ctl.Shape1, holes = f.ctl.Shape2;
    for (auto _ : state) {
        f.vars = vars;
        f.ctl.Shape1 = electrons;
        f.ctl.Shape2 = holes;
        Timer1_Timer(f, rnd);
        benchmark::DoNotOptimize(f.vars.ElectronCount);
    }
    if (!f.ctl.Timer1.Enabled) state.SkipWithError("the animation stopped");
    state.counters["ticks/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TickFullLoad);

void BM_SetupBandDiagram(benchmark::State &state) {
    Form f;
    Form_Load(f);
    for (auto _ : state) {
        SetupBandDiagram(f);
        benchmark::DoNotOptimize(f.vars.BaseLeftX);
    }
}
BENCHMARK(BM_SetupBandDiagram);

void BM_Dump(benchmark::State &state) {
    FixedSeedRandom rnd;
    const Form f = Settled(rnd);
    for (auto _ : state) benchmark::DoNotOptimize(DumpJson(f));
}
BENCHMARK(BM_Dump);

} // namespace
} // namespace transistor
