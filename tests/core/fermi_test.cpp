#include <gtest/gtest.h>

#include "test_support.h"

namespace transistor {
namespace {

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
