#include "engine/band_edges.h"

namespace transistor {

namespace {

Integer FlatConduction(const SimulationState &s, Region r) {
    return r == Region::Emitter ? s.EmitterConductionY
           : r == Region::Base  ? s.BaseConductionY
                                : s.CollectorConductionY;
}

Integer FlatValence(const SimulationState &s, Region r) {
    return r == Region::Emitter ? s.EmitterValenceY
           : r == Region::Base  ? s.BaseValenceY
                                : s.CollectorValenceY;
}

// Across a junction: from the emitter side, (x - EmitterRightX) * d / width +
// emitter edge; from the collector side, collector edge - (CollectorLeftX - x)
// * d / width; the difference d in 16 bits, the rest in double.
double JunctionEdge(const SimulationState &s, Region r, double x, Integer emitterEdge,
                    Integer baseEdge, Integer collectorEdge) {
    if (r == Region::EbJunction)
        return (x - s.EmitterRightX.toDouble()) * (baseEdge - emitterEdge).toDouble() /
                   s.EbJunctionWidth.toDouble() +
               emitterEdge.toDouble();
    return collectorEdge.toDouble() - (s.CollectorLeftX.toDouble() - x) *
                                          (collectorEdge - baseEdge).toDouble() /
                                          s.BcJunctionWidth.toDouble();
}

} // namespace

double ConductionEdgeAt(const SimulationState &s, Region r, double x) {
    if (!IsJunction(r)) return FlatConduction(s, r).toDouble();
    return JunctionEdge(s, r, x, s.EmitterConductionY, s.BaseConductionY, s.CollectorConductionY);
}

double ValenceEdgeAt(const SimulationState &s, Region r, double x) {
    if (!IsJunction(r)) return FlatValence(s, r).toDouble();
    return JunctionEdge(s, r, x, s.EmitterValenceY, s.BaseValenceY, s.CollectorValenceY);
}

Single ElectronRestAt(const SimulationState &s, Region r, double x) {
    if (!IsJunction(r)) return (FlatConduction(s, r) - s.CarrierSize).toSingle();
    return static_cast<Single>(ConductionEdgeAt(s, r, x) - s.CarrierSize.toDouble());
}

void SetMarkerEnds(const SimulationState &s, Region r, double x, LineProps &marker) {
    const double v = ValenceEdgeAt(s, r, x);
    marker.Y1 = IsJunction(r) ? static_cast<Single>(v - s.BandGapHeight.toDouble())
                              : FlatConduction(s, r).toSingle();
    marker.Y2 = static_cast<Single>(v);
}

} // namespace transistor
