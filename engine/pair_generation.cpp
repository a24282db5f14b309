// Thermal generation of electron-hole pairs, with the red marker.
#include "engine/band_edges.h"
#include "engine/phases.h"
#include "model/form.h"

namespace transistor {

void GeneratePair(Form &f, RandomSource &rnd) {
    auto &s = f.vars;
    auto &c = f.ctl;
    // 1. A pair with probability Temperature / 5000.
    const Single p = static_cast<Single>(rnd.next() * 5000.0);
    if (p > s.Temperature.toSingle()) return;
    // 2. Neither count passes 100.
    if (s.ElectronCount > 99 || s.HoleCount > 99) return;
    // 3. The lowest parked member of each array comes into use.
    s.ElectronCount = s.ElectronCount + 1;
    s.HoleCount = s.HoleCount + 1;
    Carrier &electron = c.Shape1(s.ElectronCount);
    Carrier &hole = c.Shape2(s.HoleCount);
    // 4. Anywhere in the device, in single precision.
    const Single x = rnd.next() * s.DeviceWidth.toSingle() + s.EmitterLeftX.toSingle();
    s.CarrierX = x;
    // 5. Both carriers and the marker at x.
    electron.Left = x;
    hole.Left = x;
    c.Line18.X1 = x;
    c.Line18.X2 = x;
    // 6. The electron on the conduction edge, the hole on the valence edge,
    // the marker across the gap between them.
    ForEachRegionAt(s, x, [&](Region r) {
        electron.Top = ElectronRestAt(s, r, x);
        hole.Top = static_cast<Single>(ValenceEdgeAt(s, r, x));
        SetMarkerEnds(s, r, x, c.Line18);
    });
    // 7. The marker shows until Timer3 hides it.
    c.Line18.Visible = true;
    c.Timer3.Enabled = true;
    // 8. The count boxes change only here.
    c.Text5 = DecimalText(s.ElectronCount);
    c.Text6 = DecimalText(s.HoleCount);
}

void Timer3_Timer(Form &f) {
    HideMarker(f.ctl.Line18, f.ctl.Timer3);
}

} // namespace transistor
