// The window's state variables, under the program's own names, in the order
// in which the window declares them. A plain value: copyable and comparable.
#pragma once

#include <array>

#include "model/numeric.h"
#include "model/variant.h"

namespace transistor {

// Indices 0..50; the animation uses bins 0..20.
using BinArray = std::array<Integer, 51>;

// Checked access to a bin array (an index outside 0..50 is an error).
inline Integer &Bin(BinArray &a, double index) {
    return a[IndexFrom(index, 0, 50)];
}

struct SimulationState {
    Integer ElectronCount;
    Integer HoleCount;
    Integer EmitterElectronTarget;
    Integer BaseHoleTarget;
    Integer CollectorElectronTarget;
    Single ElectronRelaxThreshold = 0;
    Single HoleRelaxThreshold = 0;
    Integer FermiYAtX;
    Integer EmitterFermiY;
    Integer CollectorFermiY;
    Integer BaseFermiY;
    Integer EmitterConductionY;
    Integer CollectorConductionY;
    Integer BaseConductionY;
    Integer EmitterValenceY;
    Integer CollectorValenceY;
    Integer BaseValenceY;
    Integer BandGapHeight;
    Integer EmitterLeftX;
    Integer CollectorRightX;
    Integer DeviceWidth;
    Integer CarrierSize;
    Integer EmitterRightX;
    Integer BaseLeftX;
    Integer EbJunctionWidth;
    Integer BaseRightX;
    Integer CollectorLeftX;
    Integer BcJunctionWidth;
    Integer Temperature;
    BinArray ElectronBinCount{};
    BinArray HoleBinCount{};
    BinArray ElectronBinPrev{};
    BinArray HoleBinPrev{};
    Integer ElectronBinLeftX;
    Integer ElectronBinRightX;
    Integer HoleBinLeftX;
    Integer HoleBinRightX;
    Integer CollectorCurrentCount;
    Integer BaseCurrentCount;
    NumericVariant LoopIndex;
    NumericVariant CarrierX;
    NumericVariant ReservoirTally;
    NumericVariant CollectorTally;
    Integer RecombineHoleIndex;
    Integer PlotX;

    friend bool operator==(const SimulationState &, const SimulationState &) = default;
};

} // namespace transistor
