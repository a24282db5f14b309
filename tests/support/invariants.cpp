#include "tests/support/invariants.h"

#include <cmath>

namespace transistor::testing {

namespace {

std::string CheckCarriers(const CarrierArray &carriers, const CarrierArray &designTime,
                          Integer count, const SimulationState &s, const char *name) {
    if (count < 0 || count > 100) return std::string(name) + " count outside 0..100";
    for (int i = 1; i <= 100; ++i) {
        const Carrier &c = carriers(i);
        const bool inUse = i <= count.value();
        // Until the first Start the carriers wait at their design-time place.
        if (!inUse && c.Top != kParkedTop && !(c == designTime(i)))
            return std::string(name) + " " + std::to_string(i) + " above the count is not parked";
        if (!inUse) continue;
        if (c.Top == kParkedTop)
            return std::string(name) + " " + std::to_string(i) + " in use is parked";
        if (!std::isfinite(c.Left) || !std::isfinite(c.Top))
            return std::string(name) + " " + std::to_string(i) + " has no finite position";
        if (c.Left < s.EmitterLeftX.toSingle() || c.Left > s.CollectorRightX.toSingle())
            return std::string(name) + " " + std::to_string(i) + " is outside the device";
    }
    return {};
}

} // namespace

std::string BrokenInvariant(const Form &f) {
    const SimulationState &s = f.vars;
    const Controls &c = f.ctl;
    static const Controls designTime = Controls::DesignTime();
    if (auto broken = CheckCarriers(c.Shape1, designTime.Shape1, s.ElectronCount, s, "electron");
        !broken.empty())
        return broken;
    if (auto broken = CheckCarriers(c.Shape2, designTime.Shape2, s.HoleCount, s, "hole");
        !broken.empty())
        return broken;
    // One line each: at most one red and one blue marker, shown exactly while
    // the timer that hides it runs.
    if (c.Line18.Visible != c.Timer3.Enabled) return "red marker and Timer3 disagree";
    if (c.Line19.Visible != c.Timer4.Enabled) return "blue marker and Timer4 disagree";
    if (s.PlotX < 0 || s.PlotX > 2660) return "PlotX outside 0..2660";
    if (c.Picture1.size() > 1331) return "more plot points than one sweep";
    for (int i = 0; i <= 20; ++i)
        if (s.ElectronBinPrev[i] < 0 || s.HoleBinPrev[i] < 0) return "negative bin count";
    if (f.feedback.error) return "run-time error: " + *f.feedback.error;
    return {};
}

} // namespace transistor::testing
