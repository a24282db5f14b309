// The Fermi level along x: flat in emitter, base and collector, straight
// across each junction.
#include "model/form.h"

namespace transistor {

void FermiLevelAtX(Form &f) {
    auto &s = f.vars;
    const double x = s.CarrierX.toDouble();
    // Five independent tests; the breakpoints belong to the flat regions.
    // With a base-collector junction of width 0 the third and fifth both hold
    // at x = BaseRightX, and the collector's value, set last, stands.
    if (x <= s.EmitterRightX.toDouble()) s.FermiYAtX = s.EmitterFermiY;
    if (x > s.EmitterRightX.toDouble() && x < s.BaseLeftX.toDouble()) {
        const double slope =
            (s.BaseFermiY - s.EmitterFermiY).toDouble() / s.EbJunctionWidth.toDouble();
        s.FermiYAtX = CInt((x - s.EmitterRightX.toDouble()) * slope + s.EmitterFermiY.toDouble());
    }
    if (x >= s.BaseLeftX.toDouble() && x <= s.BaseRightX.toDouble()) s.FermiYAtX = s.BaseFermiY;
    if (x > s.BaseRightX.toDouble() && x < s.CollectorLeftX.toDouble()) {
        const double slope =
            (s.CollectorFermiY - s.BaseFermiY).toDouble() / s.BcJunctionWidth.toDouble();
        s.FermiYAtX = CInt((x - s.BaseRightX.toDouble()) * slope + s.BaseFermiY.toDouble());
    }
    if (x >= s.CollectorLeftX.toDouble()) s.FermiYAtX = s.CollectorFermiY;
}

} // namespace transistor
