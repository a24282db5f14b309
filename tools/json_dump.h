// The state of a Form as one line of JSON, as the script driver prints it.
#pragma once

#include <string>
#include <string_view>

#include "model/form.h"

namespace transistor {

// The whole dump: {"vars": …, "texts": …, "lines": …, "electrons": …,
// "holes": …, "timers": …, "plot": …, "message": …, "error": …, "closed": …}
// on one line, without a line break at the end.
std::string DumpJson(const Form &f);

// The pieces, for the tests.

// The shortest decimal that reads back to the same float; null when not finite.
void AppendJsonNumber(std::string &out, Single v);
// An Integer variant prints as an integer, a Single one as a float, a Double
// one as a double, and an empty one as 0.
void AppendJsonNumber(std::string &out, const NumericVariant &v);
// A quoted JSON string. Bytes that are not valid UTF-8 become U+FFFD, one for
// each maximal ill-formed part, so that the output is always valid JSON.
void AppendJsonString(std::string &out, std::string_view text);

} // namespace transistor
