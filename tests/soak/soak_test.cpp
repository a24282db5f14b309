// A classroom afternoon: a million ticks (fewer under the sanitizers), with
// Start and Restart pressed at random moments on random inputs, valid and not,
// and every invariant checked after every event.
#include <gtest/gtest.h>

#include <random>

#include "../support/session.h"

namespace transistor::testing {
namespace {

std::string RandomText(std::mt19937 &g, int box) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto number = [&](double lo, double hi) { return std::to_string(lo + (hi - lo) * unit(g)); };
    static const char *const kBad[] = {"",      "abc", "0.5V", "1e999", "nan", "-30",
                                       "40000", "1,5", " ",    "30",    "0..5"};
    if (unit(g) < 0.1) return kBad[g() % std::size(kBad)];
    if (box == 0) return std::to_string(static_cast<int>(g() % 1201)); // temperature
    // VEB and VCB a little beyond their clamps; the Fermi levels.
    return box == 4 ? number(-0.2, 0.8) : box == 5 ? number(-0.5, 2.5) : number(-0.2, 1.3);
}

TEST(Soak, ManyTicksWithRandomStartsAndRestarts) {
    std::mt19937 g(20261206);
    Session session;
    session.press(true);
    long refused = 0;
    while (session.ticks() < TRANSISTOR_SOAK_TICKS && session.failure().empty()) {
        const unsigned roll = g() % 4000;
        if (roll < 6) {
            for (int box = 0; box < 6; ++box)
                if (g() % 2) session.type(box, RandomText(g, box));
            const unsigned before = session.form().feedback.messageSerial;
            session.press(roll < 3);
            refused += session.form().feedback.messageSerial != before;
        }
        if (!session.form().ctl.Timer1.Enabled) session.press(true);
        session.tick();
    }
    EXPECT_EQ(session.failure(), "");
    EXPECT_EQ(session.ticks(), TRANSISTOR_SOAK_TICKS);
    EXPECT_GT(refused, 0); // the bad inputs did come up
}

} // namespace
} // namespace transistor::testing
