// Start-up and shutdown.
#include "model/form.h"
#include "model/routines.h"

namespace transistor {

void Form_Load(Form &f) {
    auto &s = f.vars;
    // 1. Fixed geometry and tuning values.
    s.PlotX = 0;
    s.CarrierSize = 105;
    s.EmitterLeftX = 1440;
    s.CollectorRightX = 8760;
    s.EmitterRightX = 4080;
    s.DeviceWidth = 7320;
    s.EmitterValenceY = 3480;
    s.EmitterConductionY = 2280;
    s.ElectronRelaxThreshold = 3.0f;
    s.HoleRelaxThreshold = 2.3f;
    s.ElectronBinLeftX = 1440;
    s.ElectronBinRightX = 8760;
    s.HoleBinLeftX = 1440;
    s.HoleBinRightX = 8760;
    // 2. Clear the plot.
    f.ctl.Picture1.clear();
    // 3. On the all-zero arrays this leaves them all zero.
    ShiftBinCounts(f);
    // 4. The markers are visible at design time; hide them.
    f.ctl.Line18.Visible = false;
    f.ctl.Line19.Visible = false;
    // 5. Both marker timers off.
    f.ctl.Timer3.Enabled = false;
    f.ctl.Timer4.Enabled = false;
}

void Command2_Click(Form &f) {
    f.feedback.closed = true;
}

} // namespace transistor
