#include "model/numeric.h"

#include <cmath>

namespace transistor {

namespace {
// nearbyint rounds in the current rounding mode, which this program never
// changes from round-to-nearest with ties to even.
double roundHalfEven(double v) {
    return std::nearbyint(v);
}
} // namespace

Integer CInt(double v) {
    double r = roundHalfEven(v);
    if (!(r >= -32768.0 && r <= 32767.0)) throw OverflowError();
    return Integer(static_cast<int>(r));
}

int IndexFromReal(double v, int lo, int hi) {
    double r = roundHalfEven(v);
    if (!(r >= lo && r <= hi)) throw SubscriptError();
    return static_cast<int>(r);
}

std::string DecimalText(Integer v) {
    return std::to_string(v.value());
}

} // namespace transistor
