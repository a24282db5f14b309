// Hand-set scenes for the rule tests: a laid-out form with the given carriers
// in use, and named random draws.
#pragma once

#include <cmath>
#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "test_support.h"

namespace transistor::testing {

// Draws that make Int(3r - 1) a step of -1, 0 or +1 units.
inline constexpr Single kMinus = 0.0f, kStill = 0.5f, kPlus = 0.9f;
// A relaxation draw that never relaxes (r * q = 0).
inline constexpr Single kNoRelax = 0.0f;

// Electrons (or holes) 1..n at the given places; every slot above is parked.
inline void PutCarriers(CarrierArray &shapes, Integer &count, std::initializer_list<Carrier> in) {
    count = static_cast<int>(in.size());
    int i = 1;
    for (const Carrier &c : in) shapes(i++) = c;
    for (; i <= 100; ++i) shapes(i).Top = kParkedTop;
}

inline Form WithElectrons(std::initializer_list<Carrier> in, const Inputs &inputs = {}) {
    Form f = LaidOut(inputs);
    PutCarriers(f.ctl.Shape1, f.vars.ElectronCount, in);
    return f;
}

inline Form WithHoles(std::initializer_list<Carrier> in, const Inputs &inputs = {}) {
    Form f = LaidOut(inputs);
    PutCarriers(f.ctl.Shape2, f.vars.HoleCount, in);
    return f;
}

// The three draws of one carrier's move: vertical jitter, relaxation,
// horizontal jitter.
struct Draw3 {
    Single vertical = kStill, relax = kNoRelax, horizontal = kStill;
};
inline constexpr Draw3 kStepLeft{kStill, kNoRelax, kMinus}, kStepRight{kStill, kNoRelax, kPlus};

// Where carrier 1 ends after one pass with it alone in use; the pass must
// take exactly its three draws.
inline Carrier MovedElectron(Form f, Carrier start, Draw3 d = {}) {
    PutCarriers(f.ctl.Shape1, f.vars.ElectronCount, {start});
    ScriptedRandom rnd({d.vertical, d.relax, d.horizontal});
    ElectronPass(f, rnd);
    EXPECT_EQ(rnd.remaining(), 0u);
    return f.ctl.Shape1(1);
}
inline Carrier MovedHole(Form f, Carrier start, Draw3 d = {}) {
    PutCarriers(f.ctl.Shape2, f.vars.HoleCount, {start});
    ScriptedRandom rnd({d.vertical, d.relax, d.horizontal});
    HolePass(f, rnd);
    EXPECT_EQ(rnd.remaining(), 0u);
    return f.ctl.Shape2(1);
}

inline ScriptedRandom Script(std::initializer_list<Single> values) {
    return ScriptedRandom(std::vector<Single>(values));
}

// The draw that places a generated pair at x with the design-time geometry:
// r * 7320 + 1440 == x in single precision.
inline Single DrawFor(Single x) {
    Single r = (x - 1440) / 7320;
    while (r * 7320.0f + 1440.0f > x) r = std::nextafter(r, 0.0f);
    while (r * 7320.0f + 1440.0f < x) r = std::nextafter(r, 1.0f);
    return r;
}

} // namespace transistor::testing
