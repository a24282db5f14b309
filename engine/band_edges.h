// The band edges at a position x, as the generation, the recombination
// marker and the hole ceiling see them.
#pragma once

#include "model/controls.h"
#include "model/regions.h"
#include "model/state.h"

namespace transistor {

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
