// The five regions along x and the one test that places x in them. The
// boundaries belong to the flat regions: x = EmitterRightX is emitter,
// x = BaseLeftX and x = BaseRightX are base, x = CollectorLeftX is collector.
#pragma once

#include "model/state.h"

namespace transistor {

enum class Region { Emitter, EbJunction, Base, BcJunction, Collector };

// Whether x lies in region r. Every comparison is exact: x is a single or a
// double and each boundary a 16-bit integer, all exactly representable in
// double precision.
inline bool InRegion(const SimulationState &s, double x, Region r) {
    switch (r) {
    case Region::Emitter:
        return x <= s.EmitterRightX.toDouble();
    case Region::EbJunction:
        return x > s.EmitterRightX.toDouble() && x < s.BaseLeftX.toDouble();
    case Region::Base:
        return x >= s.BaseLeftX.toDouble() && x <= s.BaseRightX.toDouble();
    case Region::BcJunction:
        return x > s.BaseRightX.toDouble() && x < s.CollectorLeftX.toDouble();
    case Region::Collector:
        return x >= s.CollectorLeftX.toDouble();
    }
    return false;
}

// Calls fn(region) for every region whose test holds at x, in the order
// emitter, emitter-base junction, base, base-collector junction, collector.
// The five tests are independent: with a base-collector junction of width 0
// both the base and the collector hold at x = BaseRightX, the collector last,
// so a caller that assigns in fn leaves the collector's value standing.
// Written out, not looped, so that each test is one comparison or two wherever
// a pass calls it for every carrier.
template <class Fn> void ForEachRegionAt(const SimulationState &s, double x, Fn fn) {
    if (InRegion(s, x, Region::Emitter)) fn(Region::Emitter);
    if (InRegion(s, x, Region::EbJunction)) fn(Region::EbJunction);
    if (InRegion(s, x, Region::Base)) fn(Region::Base);
    if (InRegion(s, x, Region::BcJunction)) fn(Region::BcJunction);
    if (InRegion(s, x, Region::Collector)) fn(Region::Collector);
}

inline bool IsJunction(Region r) {
    return r == Region::EbJunction || r == Region::BcJunction;
}

} // namespace transistor
