#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/numeric.h"
#include "model/random_source.h"

namespace transistor {
namespace {

struct RoundCase {
    double in;
    int out;
};

TEST(NumberRules, CIntRoundsHalfToEven) {
    for (RoundCase c : {RoundCase{2.5, 2},
                        {3.5, 4},
                        {-2.5, -2},
                        {0.5, 0},
                        {1.5, 2},
                        {-0.5, 0},
                        {10.5, 10},
                        {2.4999, 2},
                        {-3.5, -4},
                        {32767.4, 32767},
                        {-32768.5, -32768}})
        EXPECT_EQ(CInt(c.in).value(), c.out) << c.in;
}

TEST(NumberRules, CIntRaisesOverflowOutside16Bits) {
    for (double v : {32767.5, 32768.0, -32768.51, -40000.0, 1e300, std::nan(""),
                     std::numeric_limits<double>::infinity()})
        EXPECT_THROW(CInt(v), OverflowError) << v;
}

TEST(NumberRules, IntegerArithmeticRaisesInsteadOfWrapping) {
    EXPECT_THROW(Integer(32767) + 1, OverflowError);
    EXPECT_THROW(Integer(-32768) - 1, OverflowError);
    EXPECT_THROW(Integer(200) * 200, OverflowError);
    EXPECT_THROW(-Integer(-32768), OverflowError);
    EXPECT_THROW(Integer(40000), OverflowError);
    EXPECT_EQ((Integer(32766) + 1).value(), 32767);
    EXPECT_EQ((Integer(1380) - Integer(14) * 100).value(), -20);
}

TEST(NumberRules, OverflowIsARuntimeErrorATickCanCatch) {
    try {
        Integer(32767) + 1;
        FAIL();
    } catch (const RuntimeError &e) {
        EXPECT_STREQ(e.what(), "Overflow");
    }
}

TEST(NumberRules, IntIsFloor) {
    EXPECT_EQ(Int(-0.5f), -1.0f);
    EXPECT_EQ(Int(2.999f), 2.0f);
    EXPECT_EQ(Int(-2.0), -2.0);
}

TEST(NumberRules, IndexIsCheckedAgainstItsRange) {
    EXPECT_EQ(IndexFrom(20.0, 0, 50), 20);
    EXPECT_THROW(IndexFrom(-1.0, 0, 50), SubscriptError);
    EXPECT_THROW(IndexFrom(51.0, 0, 50), SubscriptError);
    EXPECT_THROW(IndexFrom(std::nan(""), 0, 100), SubscriptError);
}

TEST(RandomSource, FixedSeedNeverReturnsOneAndRepeats) {
    FixedSeedRandom a, b;
    float lo = 1, hi = 0;
    for (int i = 0; i < 200000; ++i) {
        float v = a.next();
        ASSERT_EQ(v, b.next());
        ASSERT_GE(v, 0.0f);
        ASSERT_LT(v, 1.0f);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    EXPECT_LT(lo, 0.001f);
    EXPECT_GT(hi, 0.999f);
}

TEST(RandomSource, ScriptedListFailsLoudlyWhenExhausted) {
    ScriptedRandom r({0.25f, 0.5f});
    EXPECT_EQ(r.next(), 0.25f);
    EXPECT_EQ(r.next(), 0.5f);
    EXPECT_THROW(r.next(), RandomExhausted);
    EXPECT_EQ(r.used(), 2u);
}

} // namespace
} // namespace transistor
