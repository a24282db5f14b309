// The Fermi level along x: flat in emitter, base and collector, straight
// across each junction.
#include "model/form.h"
#include "model/regions.h"
#include "model/routines.h"

namespace transistor {

void FermiLevelAtX(Form &f) {
    auto &s = f.vars;
    const double x = s.CarrierX.toDouble();
    // The junction formulas hold only strictly inside a junction, so a
    // junction of width 0 never divides. Where two regions hold at once (a
    // base-collector junction of width 0) the collector's value, set last,
    // stands.
    ForEachRegionAt(s, x, [&](Region r) {
        switch (r) {
        case Region::Emitter:
            s.FermiYAtX = s.EmitterFermiY;
            break;
        case Region::EbJunction: {
            const double slope =
                (s.BaseFermiY - s.EmitterFermiY).toDouble() / s.EbJunctionWidth.toDouble();
            s.FermiYAtX =
                CInt((x - s.EmitterRightX.toDouble()) * slope + s.EmitterFermiY.toDouble());
            break;
        }
        case Region::Base:
            s.FermiYAtX = s.BaseFermiY;
            break;
        case Region::BcJunction: {
            const double slope =
                (s.CollectorFermiY - s.BaseFermiY).toDouble() / s.BcJunctionWidth.toDouble();
            s.FermiYAtX = CInt((x - s.BaseRightX.toDouble()) * slope + s.BaseFermiY.toDouble());
            break;
        }
        case Region::Collector:
            s.FermiYAtX = s.CollectorFermiY;
            break;
        }
    });
}

} // namespace transistor
