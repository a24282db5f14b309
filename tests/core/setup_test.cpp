// The set-up at Restart with a comma as the decimal separator, and the Fermi
// level across the device (the band diagrams and the scattering of the
// carriers are traces in tests/script/traces).
#include <gtest/gtest.h>

#include "test_support.h"

namespace transistor {
namespace {

using testing::Inputs;
using testing::LaidOut;

// Numbers are read and written back with the locale's separator: a point
// as well as a comma in a comma locale, never a group separator.
TEST(Setup, ACommaLocaleReadsAndWritesItsSeparator) {
    // clang-format off
    const struct { Inputs in; Integer SimulationState::*variable; int value; const char *veb; }
    rows[] = {
        {{.emitter = "0,8"}, &SimulationState::EmitterElectronTarget, 72, "0.5"},
        {{.emitter = "0.8"}, &SimulationState::EmitterElectronTarget, 72, "0.5"},
        {{.temperature = "1.500"}, &SimulationState::Temperature, 2, "0.5"}, // 1.5 to even
        {{.veb = "0,75"}, &SimulationState::BaseLeftX, 4320, "0,6"},
    };
    // clang-format on
    for (const auto &r : rows) {
        const Form f = LaidOut(r.in, ",");
        EXPECT_EQ((f.vars.*r.variable).value(), r.value) << f.ctl.Text1 << " " << f.ctl.Text2;
        EXPECT_EQ(f.ctl.Text4, r.veb);
    }
}

TEST(FermiLevel, ProfileAcrossTheDevice) {
    // clang-format off
    const struct { const char *name, *vcb; Single x; int y; } rows[] = {
        {"emitter right end", "1.5", 4080, 2400},
        {"middle of the emitter-base junction", "1.5", 4220, 2700},
        {"base left end", "1.5", 4360, 3000},
        {"base right end", "1.5", 5200, 3000},
        {"middle of the base-collector junction", "1.5", 5800, 3900},
        {"collector left end", "1.5", 6400, 4800},
        // (x - 5200) * 1.5 + 3000 lands on a half: ties go to the even integer.
        {"3001.5 rounds up to even", "1.5", 5201, 3002},
        {"3004.5 rounds down to even", "1.5", 5203, 3004},
        // VCB 0: a base-collector junction of width 0 must never be divided by.
        {"no junction: on the shared boundary", "0", 5200, 3000},
    };
    // clang-format on
    for (const auto &r : rows) {
        Form f = testing::LaidOut({"300", "0.9", "0.2", "0.7", "0.5", r.vcb});
        f.vars.CarrierX = r.x;
        FermiLevelAtX(f);
        EXPECT_EQ(f.vars.FermiYAtX.value(), r.y) << r.name;
    }
}

} // namespace
} // namespace transistor
