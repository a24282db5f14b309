// The band edges at a position x, as the generation, the recombination
// marker and the hole ceiling see them.
#pragma once

#include "model/controls.h"
#include "model/state.h"

namespace transistor {

enum class Region { Emitter, EbJunction, Base, BcJunction, Collector };

// Calls fn(region) for every region whose test holds at x, in the order
// emitter, emitter-base junction, base, base-collector junction, collector.
// The five tests are independent: with a base-collector junction of width 0
// both the base and the collector hold at x = BaseRightX, the collector last.
template <class Fn> void ForEachRegionAt(const SimulationState &s, double x, Fn fn) {
    if (x <= s.EmitterRightX.toDouble()) fn(Region::Emitter);
    if (x > s.EmitterRightX.toDouble() && x < s.BaseLeftX.toDouble()) fn(Region::EbJunction);
    if (x >= s.BaseLeftX.toDouble() && x <= s.BaseRightX.toDouble()) fn(Region::Base);
    if (x > s.BaseRightX.toDouble() && x < s.CollectorLeftX.toDouble()) fn(Region::BcJunction);
    if (x >= s.CollectorLeftX.toDouble()) fn(Region::Collector);
}

inline bool IsJunction(Region r) {
    return r == Region::EbJunction || r == Region::BcJunction;
}

// C(x) and V(x): the flat edge of a region, or across a junction the straight
// line between its neighbours, from the emitter side for the emitter-base
// junction and from the collector side for the base-collector junction.
double ConductionEdgeAt(const SimulationState &s, Region r, double x);
double ValenceEdgeAt(const SimulationState &s, Region r, double x);

// The Top of an electron resting on the conduction edge at x.
Single ElectronRestAt(const SimulationState &s, Region r, double x);

// A marker line across the gap at x: from the conduction edge of a flat
// region (V(x) - BandGapHeight in a junction) down to V(x).
void SetMarkerEnds(const SimulationState &s, Region r, double x, LineProps &marker);

} // namespace transistor
