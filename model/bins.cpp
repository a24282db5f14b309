// The per-bin carrier counts: this tick's become the previous tick's.
#include "model/form.h"
#include "model/routines.h"

namespace transistor {

void ShiftBinCounts(Form &f) {
    auto &s = f.vars;
    CountedLoop(s.LoopIndex, 0, 20, [&](int i) {
        Bin(s.ElectronBinPrev, i) = Bin(s.ElectronBinCount, i);
        Bin(s.ElectronBinCount, i) = 0;
        Bin(s.HoleBinPrev, i) = Bin(s.HoleBinCount, i);
        Bin(s.HoleBinCount, i) = 0;
    });
}

} // namespace transistor
