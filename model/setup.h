// Start and Restart lay the device out from the six input boxes. A set-up
// whose inputs are not numbers, or whose results do not fit the program's
// 16-bit arithmetic, is refused as a whole: the user is told which box is at
// fault and nothing of the state changes.
#pragma once

#include <functional>

#include "model/form.h"
#include "model/routines.h"

namespace transistor {

// Runs body on a copy of the form and keeps the copy only when the inputs
// were sound; otherwise shows a message and leaves f as it was. Returns
// whether the set-up was kept.
bool RunGuardedSetup(Form &f, const std::function<void(Form &)> &body);

// Raises OverflowError when an accepted geometry would make the animation's
// own 16-bit arithmetic overflow (band edges further apart than 16 bits can
// hold), so that such inputs are refused at set-up rather than mid-animation.
void CheckAnimationArithmetic(const SimulationState &s);

} // namespace transistor
