// The hole pass and the hole refill: the second phase of every tick.
#include "engine/band_edges.h"
#include "engine/motion_rules.h"
#include "engine/phases.h"
#include "model/form.h"
#include "model/routines.h"

namespace transistor {

namespace {

template <class Random> void MoveHole(Form &f, Random &rnd, const MotionUnit &unit, int i) {
    auto &s = f.vars;
    Carrier &p = f.ctl.Shape2(i);

    // 1. Every region test of this turn uses x, the Left at the start.
    const Single x = p.Left;
    s.CarrierX = x;
    FermiLevelAtX(f);

    // 2. Vertical jitter.
    p.Top = p.Top + JitterStep(rnd.next(), unit);

    // 3. Relaxation: 60 up when r * q, rounded to single, exceeds the threshold.
    const double q = (p.Top - s.FermiYAtX.toDouble()) / 500.0;
    if (Relaxes(rnd.next(), q * q, s.HoleRelaxThreshold)) p.Top = static_cast<Single>(p.Top - 60.0);

    // 4. A hole may not rise above the valence edge of its region. The tests
    // run one after the other, each against the Top the one before left.
    ForEachRegionAt(s, x, [&](Region r) {
        const double v = ValenceEdgeAt(s, r, x);
        if (p.Top < v) p.Top = static_cast<Single>(v);
    });

    // 5. Lowest position.
    if (p.Top > 6200.0f) p.Top = 6200.0f;

    // 6. Horizontal jitter.
    p.Left = p.Left + JitterStep(rnd.next(), unit);

    // 7. The emitter-base junction pushes holes towards the base: once when
    // above the emitter's valence edge, once more when above the junction's
    // edge line at the current Left (xb in single precision). A flat edge
    // (equal valence levels) has no line and gives no second push.
    if (InRegion(s, x, Region::EbJunction)) {
        if (p.Top < s.EmitterValenceY.toSingle()) p.Left = PushedRight(p.Left, unit);
        const Integer rise = s.EmitterValenceY - s.BaseValenceY;
        if (rise != 0) {
            const Single xb = (s.EmitterValenceY.toSingle() - p.Top) *
                                  s.EbJunctionWidth.toSingle() / rise.toSingle() +
                              s.EmitterRightX.toSingle();
            if (xb > p.Left) p.Left = PushedRight(p.Left, unit);
        }
    }

    // 8. The base-collector junction pushes them back towards the base.
    if (InRegion(s, x, Region::BcJunction)) {
        if (p.Top < s.CollectorValenceY.toSingle()) p.Left = PushedLeft(p.Left, unit);
        const Integer drop = s.CollectorValenceY - s.BaseValenceY;
        if (drop != 0) {
            const Single xb =
                s.CollectorLeftX.toSingle() - (s.CollectorValenceY.toSingle() - p.Top) *
                                                  s.BcJunctionWidth.toSingle() / drop.toSingle();
            if (xb > p.Left) p.Left = PushedLeft(p.Left, unit);
        }
    }

    // 9.-11. Diffusion from the previous tick's counts, the walls (no
    // absorption at the ends), the density tally.
    DiffuseWallAndCount(p.Left, s, unit, s.HoleBinPrev, s.HoleBinCount, s.HoleBinLeftX,
                        s.HoleBinRightX);

    // 12. The p side: both junctions count with the base.
    if (p.Left > s.EmitterRightX.toSingle() && p.Left < s.CollectorLeftX.toSingle())
        AddOne(s.ReservoirTally);
}

} // namespace

void HolePass(Form &f, RandomSource &rnd) {
    const int count = f.vars.HoleCount.value(); // read once
    const MotionUnit unit(f.vars.Temperature);  // nothing in a pass changes it
    WithSource(rnd, [&](auto &random) {
        CountedLoop(f.vars.LoopIndex, 1, count, [&](int i) { MoveHole(f, random, unit, i); });
    });
}

void HoleRefill(Form &f, RandomSource &rnd) {
    auto &s = f.vars;
    auto &c = f.ctl;
    // 13. Feed the base, or 14. drain the highest hole, wherever it stands.
    // With no hole in use there is nothing to drain, and nothing is counted.
    if (s.ReservoirTally.toDouble() < s.BaseHoleTarget.toDouble() && s.HoleCount < 99) {
        s.HoleCount = s.HoleCount + 1;
        const Single r = rnd.next();
        c.Shape2(s.HoleCount) = {static_cast<Single>(r * 840.0 + s.BaseLeftX.toDouble()),
                                 s.BaseValenceY.toSingle()};
        s.BaseCurrentCount = s.BaseCurrentCount + 1;
    } else if (s.HoleCount > 0) {
        c.Shape2(s.HoleCount).Top = kParkedTop;
        s.HoleCount = s.HoleCount - 1;
        s.BaseCurrentCount = s.BaseCurrentCount - 1;
    }
}

} // namespace transistor
