// The window's routines of the device model. Like the handlers they take the
// Form and return nothing: they talk through its state variables (CarrierX in
// and FermiYAtX out for FermiLevelAtX).
#pragma once

#include "model/form.h"

namespace transistor {

// Lays the device out from the six input boxes (Start and Restart).
void SetupBandDiagram(Form &f);
// Sets the carrier counts to their targets, scatters the carriers and starts
// the animation (Start).
void PlaceCarriers(Form &f, RandomSource &rnd);
// The Fermi-level y at x = CarrierX.
void FermiLevelAtX(Form &f);
// This tick's bin counts become the previous tick's; this tick's are cleared.
void ShiftBinCounts(Form &f);

} // namespace transistor
