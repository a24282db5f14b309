// Hand-set scenes for the rule tests: a laid-out form with the given carriers
// in use, and named random draws.
#pragma once

#include <initializer_list>
#include <vector>

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

inline ScriptedRandom Script(std::initializer_list<Single> values) {
    return ScriptedRandom(std::vector<Single>(values));
}

} // namespace transistor::testing
