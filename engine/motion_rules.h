// The rules that electrons and holes share, each in the precision the model
// fixes for it.
#pragma once

#include "model/state.h"

namespace transistor {

// A thermal jitter of Int(3r - 1) in {-1, 0, +1} units of Temperature / 5,
// all in single precision.
inline Single JitterStep(Single r, Integer temperature) {
    const Single units = Int(3.0f * r - 1.0f);
    return units * temperature.toSingle() / 5.0f;
}

// A junction or diffusion push: one unit of Temperature / 5 in double
// precision, the position stored back as a single.
inline Single PushedRight(Single position, Integer temperature) {
    return static_cast<Single>(position + temperature.toDouble() / 5.0);
}
inline Single PushedLeft(Single position, Integer temperature) {
    return static_cast<Single>(position - temperature.toDouble() / 5.0);
}

// The density bin of x, in single precision: bins 0..19 cover [left, right),
// bin 20 holds only x = right.
inline Single BinOf(Single x, Integer left, Integer right) {
    return Int((x - left.toSingle()) / (right - left).toSingle() * 20.0f);
}

// Whether a random draw times q, rounded to single, exceeds a threshold.
inline bool Relaxes(Single r, double q, Single threshold) {
    return static_cast<Single>(r * q) > threshold;
}

// Diffusion away from the neighbour bin that was more crowded in the previous
// tick; none in bins 0, 19 and 20 or outside.
inline Single Diffused(Single left, Single bin, BinArray &previous, Integer temperature) {
    if (!(bin > 0 && bin < 19)) return left;
    if (Bin(previous, bin - 1.0) > Bin(previous, bin + 1.0)) left = PushedRight(left, temperature);
    if (Bin(previous, bin - 1.0) < Bin(previous, bin + 1.0)) left = PushedLeft(left, temperature);
    return left;
}

// The walls at the device's ends.
inline Single WithinWalls(Single left, const SimulationState &s) {
    if (left < s.EmitterLeftX.toSingle()) left = s.EmitterLeftX.toSingle();
    if (left > s.CollectorRightX.toSingle()) left = s.CollectorRightX.toSingle();
    return left;
}

// A tally counts on as a 16-bit integer.
inline void AddOne(NumericVariant &tally) {
    tally = Integer(static_cast<int>(tally.toDouble())) + 1;
}

// The end of every carrier's move: diffusion by the previous tick's counts,
// the walls, and the count of this tick. CarrierX holds each bin number.
inline void DiffuseWallAndCount(Single &left, SimulationState &s, BinArray &previous,
                                BinArray &current, Integer binLeft, Integer binRight) {
    Single bin = BinOf(left, binLeft, binRight);
    s.CarrierX = bin;
    left = Diffused(left, bin, previous, s.Temperature);
    left = WithinWalls(left, s);
    bin = BinOf(left, binLeft, binRight);
    s.CarrierX = bin;
    Bin(current, bin) = Bin(current, bin) + 1;
}

} // namespace transistor
