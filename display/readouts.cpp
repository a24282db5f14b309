// The 10 s readout of the two current counters.
#include "model/form.h"

namespace transistor {

void Timer2_Timer(Form &f) {
    auto &s = f.vars;
    f.ctl.Text7 = DecimalText(s.CollectorCurrentCount);
    f.ctl.Text10 = DecimalText(s.BaseCurrentCount);
    s.CollectorCurrentCount = 0;
    s.BaseCurrentCount = 0;
}

} // namespace transistor
