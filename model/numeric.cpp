#include "model/numeric.h"

#include <cfenv>
#include <cmath>

namespace transistor {

namespace {
// nearbyint honours the current rounding mode, which is round-to-nearest-even
// unless somebody changed it; rint-to-even is spelled out here to not depend
// on that.
double roundHalfEven(double v) {
    double r = std::nearbyint(v);
    if (std::fegetround() != FE_TONEAREST) {
        double f = std::floor(v);
        double diff = v - f;
        if (diff < 0.5)
            r = f;
        else if (diff > 0.5)
            r = f + 1;
        else
            r = std::fmod(f, 2.0) == 0 ? f : f + 1;
    }
    return r;
}
} // namespace

Integer CInt(double v) {
    double r = roundHalfEven(v);
    if (!(r >= -32768.0 && r <= 32767.0)) throw OverflowError();
    return Integer(static_cast<int>(r));
}

int IndexFrom(double v, int lo, int hi) {
    double r = roundHalfEven(v);
    if (!(r >= lo && r <= hi)) throw SubscriptError();
    return static_cast<int>(r);
}

std::string DecimalText(Integer v) {
    return std::to_string(v.value());
}

} // namespace transistor
