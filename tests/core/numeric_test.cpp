#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/numeric.h"

namespace transistor {
namespace {

TEST(NumberRules, CIntRoundsHalfToEvenAndRaisesOutside16Bits) {
    for (auto [in, out] : {std::pair{2.5, 2},
                           {3.5, 4},
                           {-2.5, -2},
                           {0.5, 0},
                           {-3.5, -4},
                           {32767.4, 32767},
                           {-32768.5, -32768}})
        EXPECT_EQ(CInt(in).value(), out) << in;
    for (double v :
         {32767.5, -32768.51, 1e300, std::nan(""), std::numeric_limits<double>::infinity()})
        EXPECT_THROW(CInt(v), OverflowError) << v;
}

TEST(NumberRules, IntegerArithmeticRaisesARuntimeErrorInsteadOfWrapping) {
    EXPECT_THROW(Integer(32767) + 1, RuntimeError);
    EXPECT_THROW(Integer(-32768) - 1, OverflowError);
    EXPECT_THROW(Integer(200) * 200, OverflowError);
    EXPECT_THROW(-Integer(-32768), OverflowError);
    EXPECT_EQ((Integer(1380) - Integer(14) * 100).value(), -20);
    EXPECT_EQ(Int(-0.5f), -1.0f);
    EXPECT_THROW(IndexFrom(51.0, 0, 50), SubscriptError);
    EXPECT_THROW(IndexFrom(std::nan(""), 0, 100), SubscriptError);
}

} // namespace
} // namespace transistor
