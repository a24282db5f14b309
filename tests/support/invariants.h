// What must hold between any two events, whatever the user typed: used by the
// tests, the fuzzer and the soak run.
#pragma once

#include <string>

#include "model/form.h"

namespace transistor::testing {

// An empty string when every invariant holds, otherwise the first one broken.
std::string BrokenInvariant(const Form &f);

} // namespace transistor::testing
