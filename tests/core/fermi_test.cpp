#include <gtest/gtest.h>

#include "test_support.h"

namespace transistor {
namespace {

using testing::Inputs;
using testing::LaidOut;

int FermiAt(Form &f, Single x) {
    f.vars.CarrierX = x;
    FermiLevelAtX(f);
    return f.vars.FermiYAtX.value();
}

struct FermiRow {
    const char *name;
    Single x;
    int y;
};

TEST(FermiLevel, DesignTimeProfile) {
    Form f = LaidOut();
    const FermiRow rows[] = {
        {"device left end", 1440, 2400},
        {"emitter right end", 4080, 2400},
        {"middle of the emitter-base junction", 4220, 2700},
        {"base left end", 4360, 3000},
        {"base right end", 5200, 3000},
        {"middle of the base-collector junction", 5800, 3900},
        {"collector left end", 6400, 4800},
        {"device right end", 8760, 4800},
        // (x - 5200) * 1.5 + 3000 lands on a half: ties go to the even integer.
        {"3001.5 rounds up to even", 5201, 3002},
        {"3004.5 rounds down to even", 5203, 3004},
    };
    for (const FermiRow &r : rows) EXPECT_EQ(FermiAt(f, r.x), r.y) << r.name;
}

TEST(FermiLevel, ZeroWidthBaseCollectorJunctionNeverDivides) {
    Inputs in;
    in.vcb = "0";
    Form f = LaidOut(in);
    ASSERT_EQ(f.vars.BcJunctionWidth.value(), 0);
    ASSERT_EQ(f.vars.BaseRightX.value(), 5200);
    // Without a collector bias both levels are the same; what matters is that
    // no slope is taken.
    const int base = f.vars.BaseFermiY.value(), collector = f.vars.CollectorFermiY.value();
    const FermiRow rows[] = {
        {"inside the base", 5000, base},
        {"just left of the shared boundary", 5199.5f, base},
        {"the shared boundary belongs to the collector", 5200, collector},
        {"inside the collector", 6000, collector},
    };
    for (const FermiRow &r : rows) EXPECT_EQ(FermiAt(f, r.x), r.y) << r.name;
}

} // namespace
} // namespace transistor
