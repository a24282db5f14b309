// Recombination of electrons with holes, with the blue marker.
#include <cmath>

#include "engine/band_edges.h"
#include "engine/phases.h"
#include "model/form.h"

namespace transistor {

void RecombinePairs(Form &f, RandomSource &rnd) {
    auto &s = f.vars;
    auto &c = f.ctl;
    // 1. One attempt more than the electron excess; none below the target.
    const Integer k = s.ElectronCount - s.EmitterElectronTarget;
    CountedLoop(s.LoopIndex, 0, k.value(), [&](int) {
        // 2.1 An electron and a hole among those in use now.
        const double e = std::floor(rnd.next() * s.ElectronCount.toDouble()) + 1;
        s.ReservoirTally = e;
        s.RecombineHoleIndex = CInt(std::floor(rnd.next() * s.HoleCount.toDouble()) + 1);
        // 2.2 Nothing to recombine.
        if (s.ElectronCount < 1 || s.HoleCount < 1) return;
        // 2.3 Only the horizontal distance counts.
        Carrier &electron = c.Shape1(e);
        Carrier &hole = c.Shape2(s.RecombineHoleIndex);
        if (std::fabs(electron.Left - hole.Left) >= 100.0f) return;
        // 2.4 Both leave; the highest members in use take their places.
        const Single x = electron.Left;
        s.CarrierX = x;
        c.Line19.X1 = x;
        c.Line19.X2 = x;
        Carrier &lastElectron = c.Shape1(s.ElectronCount);
        Carrier &lastHole = c.Shape2(s.HoleCount);
        electron.Top = lastElectron.Top;
        electron.Left = lastElectron.Left;
        hole.Top = lastHole.Top;
        hole.Left = lastHole.Left;
        lastElectron.Top = kParkedTop;
        lastHole.Top = kParkedTop;
        s.ElectronCount = s.ElectronCount - 1;
        s.HoleCount = s.HoleCount - 1;
        ForEachRegionAt(s, x, [&](Region r) { SetMarkerEnds(s, r, x, c.Line19); });
        c.Line19.Visible = true;
        c.Timer4.Enabled = true;
    });
}

void Timer4_Timer(Form &f) {
    HideMarker(f.ctl.Line19, f.ctl.Timer4);
}

} // namespace transistor
