// The electron pass and the electron refill: the first phase of every tick.
#include "engine/motion_rules.h"
#include "engine/phases.h"
#include "model/form.h"
#include "model/regions.h"
#include "model/routines.h"

namespace transistor {

namespace {

// The confinement limit for an electron whose move started at x0: the
// conduction edge of its region less CarrierSize. Across a junction the slope
// is taken first, as a double quotient of 16-bit integers, and the limit is
// stored as a single; the base-collector line starts from the base side. At
// x0 = BaseRightX = CollectorLeftX the collector's limit, set last, stands.
Single ConfinementLimit(const SimulationState &s, double x0) {
    Single limit = 0;
    ForEachRegionAt(s, x0, [&](Region r) {
        switch (r) {
        case Region::Emitter:
            limit = (s.EmitterConductionY - s.CarrierSize).toSingle();
            break;
        case Region::EbJunction: {
            const double slope = (s.BaseConductionY - s.EmitterConductionY).toDouble() /
                                 s.EbJunctionWidth.toDouble();
            limit = static_cast<Single>((x0 - s.EmitterRightX.toDouble()) * slope +
                                        s.EmitterConductionY.toDouble() - s.CarrierSize.toDouble());
            break;
        }
        case Region::Base:
            limit = (s.BaseConductionY - s.CarrierSize).toSingle();
            break;
        case Region::BcJunction: {
            const double slope = (s.CollectorConductionY - s.BaseConductionY).toDouble() /
                                 s.BcJunctionWidth.toDouble();
            limit = static_cast<Single>((x0 - s.BaseRightX.toDouble()) * slope +
                                        s.BaseConductionY.toDouble() - s.CarrierSize.toDouble());
            break;
        }
        case Region::Collector:
            limit = (s.CollectorConductionY - s.CarrierSize).toSingle();
            break;
        }
    });
    return limit;
}

template <class Random> void MoveElectron(Form &f, Random &rnd, const MotionUnit &unit, int i) {
    auto &s = f.vars;
    Carrier &e = f.ctl.Shape1(i);

    // 1. The region tests of steps 4, 7 and 8 use x0, the Left at the start.
    const Single x0 = e.Left;
    s.CarrierX = x0;
    FermiLevelAtX(f);
    const double fermiY = s.FermiYAtX.toDouble();

    // 2. Vertical jitter.
    e.Top = e.Top + JitterStep(rnd.next(), unit);

    // 3. Relaxation: a drop of 60 when r * d^2, rounded to single, exceeds the
    // threshold.
    const double d = (fermiY - e.Top) / 500.0;
    if (Relaxes(rnd.next(), d * d, s.ElectronRelaxThreshold))
        e.Top = static_cast<Single>(e.Top + 60.0);

    // 4. Confinement to the conduction band.
    const Single limit = ConfinementLimit(s, x0);
    if (e.Top > limit) e.Top = limit;

    // 5. Top margin.
    if (e.Top < 0) e.Top = 0;

    // 6. Horizontal jitter.
    e.Left = e.Left + JitterStep(rnd.next(), unit);

    // 7. The emitter-base barrier pushes back whoever is not high enough.
    if (InRegion(s, x0, Region::EbJunction)) {
        if (e.Top > (s.BaseConductionY - 200).toSingle()) e.Left = PushedLeft(e.Left, unit);
        // Without a barrier (equal edges) there is no line to be behind.
        const Integer barrier = s.EmitterConductionY - s.BaseConductionY;
        if (barrier != 0) {
            const Single xb = static_cast<Single>(
                (s.EmitterConductionY.toDouble() - e.Top - s.CarrierSize.toDouble()) *
                    s.EbJunctionWidth.toDouble() / barrier.toDouble() +
                s.EmitterRightX.toDouble());
            if (xb < e.Left) e.Left = PushedLeft(e.Left, unit);
        }
    }

    // 8. Drift down the base-collector junction.
    if (InRegion(s, x0, Region::BcJunction)) {
        e.Left = PushedRight(e.Left, unit);
        const Integer drop = s.CollectorConductionY - s.BaseConductionY;
        if (drop != 0) {
            const Single xc = static_cast<Single>(
                s.CollectorLeftX.toDouble() -
                (s.CollectorConductionY.toDouble() - e.Top - s.CarrierSize.toDouble()) *
                    s.BcJunctionWidth.toDouble() / drop.toDouble());
            if (xc > e.Left) e.Left = PushedRight(e.Left, unit);
        }
    }

    // 9.-11. Diffusion from the previous tick's counts, the walls, binning.
    DiffuseWallAndCount(e.Left, s, unit, s.ElectronBinPrev, s.ElectronBinCount, s.ElectronBinLeftX,
                        s.ElectronBinRightX);

    // 12. Hot electrons beyond the base cool towards the Fermi level at x0.
    if (static_cast<Single>(fermiY - e.Top) > 1000.0f && e.Left > s.BaseRightX.toSingle())
        e.Top = static_cast<Single>(e.Top + (fermiY - e.Top) / 10.0);

    // 13. Tallies.
    if (e.Left < s.BaseLeftX.toSingle()) AddOne(s.ReservoirTally);
    if (e.Left > s.CollectorLeftX.toSingle()) AddOne(s.CollectorTally);
}

} // namespace

void ElectronPass(Form &f, RandomSource &rnd) {
    const int count = f.vars.ElectronCount.value(); // read once
    const MotionUnit unit(f.vars.Temperature);      // nothing in a pass changes it
    WithSource(rnd, [&](auto &random) {
        CountedLoop(f.vars.LoopIndex, 1, count, [&](int i) { MoveElectron(f, random, unit, i); });
    });
}

void ElectronRefill(Form &f, RandomSource &rnd) {
    auto &s = f.vars;
    auto &c = f.ctl;
    // 1. The tallies as the pass counted them.
    c.Text11 = DecimalText(CInt(s.ReservoirTally.toDouble()));
    c.Text12 = DecimalText(CInt(s.CollectorTally.toDouble()));

    // 2. Emitter: add one electron, or park the highest. With no electron in
    // use there is nothing to park, and nothing is counted.
    if (s.ElectronCount < 99 && s.ReservoirTally.toDouble() < s.EmitterElectronTarget.toDouble()) {
        s.ElectronCount = s.ElectronCount + 1;
        const Single r = rnd.next();
        c.Shape1(s.ElectronCount) = {static_cast<Single>(r * 2640.0 + s.EmitterLeftX.toDouble()),
                                     (s.EmitterConductionY - s.CarrierSize).toSingle()};
        s.CollectorCurrentCount = s.CollectorCurrentCount + 1;
    } else if (s.ElectronCount > 0) {
        c.Shape1(s.ElectronCount).Top = kParkedTop;
        s.ElectronCount = s.ElectronCount - 1;
        s.CollectorCurrentCount = s.CollectorCurrentCount - 1;
    }

    // 3. Collector: add one electron, or send the first collector electron
    // back to the emitter.
    if (s.CollectorTally.toDouble() < s.CollectorElectronTarget.toDouble()) {
        s.ElectronCount = s.ElectronCount + 1;
        const Single r = rnd.next();
        c.Shape1(s.ElectronCount) = {static_cast<Single>(r * 1000.0 + s.CollectorLeftX.toDouble()),
                                     (s.CollectorConductionY - s.CarrierSize).toSingle()};
        s.CollectorCurrentCount = s.CollectorCurrentCount + 1;
    } else {
        CountedLoop(s.LoopIndex, 1, s.ElectronCount.value(), [&](int i) {
            Carrier &e = c.Shape1(i);
            if (!(e.Left > s.CollectorLeftX.toSingle())) return true;
            const Single r = rnd.next();
            e = {static_cast<Single>(r * 2640.0 + s.EmitterLeftX.toDouble()),
                 (s.EmitterConductionY - s.CarrierSize).toSingle()};
            s.CollectorCurrentCount = s.CollectorCurrentCount + 1;
            return false;
        });
    }

    // 4. The hole pass counts into the same tally.
    s.ReservoirTally = Integer(0);
}

} // namespace transistor
