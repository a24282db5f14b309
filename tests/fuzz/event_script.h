// Turns arbitrary bytes into a session of user events: the fuzzer's input
// format. The fuzz stage of the test run starts by playing every stored input
// in tests/fuzz/corpus/, findings included.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/support/session.h"

namespace transistor::testing {

// Plays the events the bytes describe; returns the first broken invariant,
// or an empty string.
std::string PlayEventBytes(const std::uint8_t *data, std::size_t size);

// The same events as a script of the driver, with the states it must dump
// (see ScriptRecording).
ScriptRecording EventBytesScript(const std::uint8_t *data, std::size_t size);

} // namespace transistor::testing
