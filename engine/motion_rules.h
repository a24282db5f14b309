// The rules that electrons and holes share, each in the precision the model
// fixes for it.
#pragma once

#include "model/state.h"

namespace transistor {

// One unit of thermal motion, Temperature / 5 twips, taken once per pass: in
// single precision for the jitter, in double precision for the pushes.
struct MotionUnit {
    explicit MotionUnit(Integer temperature)
        : jitter(temperature.toSingle() / 5.0f), push(temperature.toDouble() / 5.0) {}
    Single jitter;
    double push;
};

// A thermal jitter of Int(3r - 1) in {-1, 0, +1} units, all in single
// precision. With a factor of -1, 0 or +1 this is the same single as
// Int(3r - 1) * Temperature / 5.
inline Single JitterStep(Single r, const MotionUnit &unit) {
    return Int(3.0f * r - 1.0f) * unit.jitter;
}

// A junction or diffusion push: one unit in double precision, the position
// stored back as a single.
inline Single PushedRight(Single position, const MotionUnit &unit) {
    return static_cast<Single>(position + unit.push);
}
inline Single PushedLeft(Single position, const MotionUnit &unit) {
    return static_cast<Single>(position - unit.push);
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
// tick; none in bins 0, 19 and 20 or outside. Bins 1..18 have both
// neighbours inside the array.
inline Single Diffused(Single left, Single bin, const BinArray &previous, const MotionUnit &unit) {
    if (!(bin > 0 && bin < 19)) return left;
    const int b = static_cast<int>(bin);
    if (previous[b - 1] > previous[b + 1]) left = PushedRight(left, unit);
    if (previous[b - 1] < previous[b + 1]) left = PushedLeft(left, unit);
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
inline void DiffuseWallAndCount(Single &left, SimulationState &s, const MotionUnit &unit,
                                const BinArray &previous, BinArray &current, Integer binLeft,
                                Integer binRight) {
    Single bin = BinOf(left, binLeft, binRight);
    s.CarrierX = bin;
    left = Diffused(left, bin, previous, unit);
    left = WithinWalls(left, s);
    bin = BinOf(left, binLeft, binRight);
    s.CarrierX = bin;
    Integer &count = Bin(current, bin);
    count = count + 1;
}

} // namespace transistor
