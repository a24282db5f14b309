// The phases of the 50 ms tick, in the order Timer1_Timer runs them (the bin
// shift and the plot point follow). Each works on the Form's state and draws
// from the shared random source in the order it states.
#pragma once

#include "model/form.h"

namespace transistor {

// Every electron in use moves once; then the tally boxes are written and the
// emitter and collector populations are topped up or drained by one.
void ElectronPass(Form &f, RandomSource &rnd);
void ElectronRefill(Form &f, RandomSource &rnd);
// Every hole in use moves once; then the base gains or loses one hole.
void HolePass(Form &f, RandomSource &rnd);
void HoleRefill(Form &f, RandomSource &rnd);
// Perhaps one electron-hole pair, with the red marker (Line18, Timer3).
void GeneratePair(Form &f, RandomSource &rnd);
// Perhaps some pairs annihilate, with the blue marker (Line19, Timer4).
void RecombinePairs(Form &f, RandomSource &rnd);

// What Timer3 and Timer4 do on their first tick after a marker flashed:
// hide the marker and stop.
inline void HideMarker(LineProps &marker, TimerProps &timer) {
    marker.Visible = false;
    timer.Enabled = false;
}

} // namespace transistor
