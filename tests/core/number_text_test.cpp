// Numbers as text, against the standard library's <charconv>: every text must
// be the one std::to_chars writes, and every read must end where
// std::from_chars ends, with its error and its value, bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <string_view>

#include "model/number_text.h"

namespace transistor {
namespace {

template <class T> std::string StdText(T v) {
    char buf[512];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

template <class T> auto Bits(T v) {
    using U = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;
    return std::bit_cast<U>(v);
}

// ShortestText(v) is std::to_chars's text, and reads back as v.
template <class T>::testing::AssertionResult WritesAsStd(T v) {
    const std::string got = ShortestText(v), want = StdText(v);
    if (got != want)
        return ::testing::AssertionFailure()
               << std::hexfloat << v << " is written " << got << ", not " << want;
    T back{};
    ReadNumberText(got.data(), got.data() + got.size(), back);
    if (std::isfinite(v) && Bits(back) != Bits(v))
        return ::testing::AssertionFailure() << got << " does not read back";
    return ::testing::AssertionSuccess();
}

// ReadNumberText reads text as std::from_chars does: the same end, error
// and value; on an error both leave the value alone.
template <class T>::testing::AssertionResult ReadsAsStd(std::string_view text) {
    const T sentinel = T(-7.25);
    T got = sentinel, want = sentinel;
    const char *first = text.data(), *last = first + text.size();
    const auto g = ReadNumberText(first, last, got);
    const auto w = std::from_chars(first, last, want);
    const bool sameValue = std::isnan(want)
                               ? std::isnan(got) && std::signbit(got) == std::signbit(want)
                               : Bits(got) == Bits(want);
    if (g.ptr == w.ptr && g.ec == w.ec && sameValue) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << '"' << text << "\" as " << (sizeof(T) == 4 ? "float" : "double") << ": read "
           << g.ptr - first << " chars, error " << static_cast<int>(g.ec) << ", value " << got
           << "; std reads " << w.ptr - first << ", " << static_cast<int>(w.ec) << ", " << want;
}

// Where the shortest text is hard to find: the switch between fixed and
// scientific, whole numbers that keep all their digits, the ends of each
// type, signed zeros, infinities, NaNs and a power of two nearer below.
TEST(NumberText, EdgeValuesAreWrittenAsStdWritesThem) {
    using F = std::numeric_limits<float>;
    using D = std::numeric_limits<double>;
    for (const float v : {0.1f,
                          0.3f,
                          2968.3438f,
                          1e-7f,
                          0.001f,
                          0.0001f,
                          10000.f,
                          100000.f,
                          123456792.f,
                          1e14f,
                          123456790528.f,
                          16777215.f,
                          16777216.f,
                          F::max(),
                          F::min(),
                          F::denorm_min(),
                          2 * F::denorm_min(),
                          F::min() - F::denorm_min(),
                          4194304.5f,
                          0.0f,
                          -0.0f,
                          -1.5f,
                          F::infinity(),
                          -F::infinity(),
                          F::quiet_NaN(),
                          -F::quiet_NaN(),
                          std::ldexp(1.0f, 90)})
        EXPECT_TRUE(WritesAsStd(v));
    for (const double v : {0.1, 1e21, 1e22, 1e23, 123456.0, 1e15, 1234567890123456789.0,
                           9007199254740993.0, 0.30000000000000004, 1e-5, 1.5e-300, D::max(),
                           D::min(), D::denorm_min(), -0.0, std::ldexp(1.0, 1023)})
        EXPECT_TRUE(WritesAsStd(v));
    EXPECT_EQ(ShortestText(0.001f) + ShortestText(-F::quiet_NaN()), "0.001-nan");
}

// Every power of ten at the switch between fixed and scientific, every power
// of two (where the values below lie twice as close as those above) and
// their neighbours, every whole number near a power of ten.
TEST(NumberText, SwitchesAndPowersOfTwoAreWrittenAsStdWritesThem) {
    using F = std::numeric_limits<float>;
    using D = std::numeric_limits<double>;
    for (int e = -45; e <= 38; ++e) {
        const float p = std::pow(10.0f, static_cast<float>(e));
        for (float v :
             {p, std::nextafter(p, 0.0f), std::nextafter(p, F::infinity()), 1.5f * p, 9.5f * p})
            EXPECT_TRUE(WritesAsStd(v));
    }
    for (int e = -324; e <= 308; ++e) {
        const double p = std::pow(10.0, e);
        for (double v : {p, std::nextafter(p, 0.0), std::nextafter(p, D::infinity()), 1.25 * p})
            EXPECT_TRUE(WritesAsStd(v));
    }
    for (int e = -149; e <= 127; ++e) {
        const float p = std::ldexp(1.0f, e);
        for (float v : {p, std::nextafter(p, 0.0f), std::nextafter(p, F::infinity())})
            EXPECT_TRUE(WritesAsStd(v));
    }
    for (int e = -1074; e <= 1023; ++e) {
        const double p = std::ldexp(1.0, e);
        for (double v : {p, std::nextafter(p, 0.0), std::nextafter(p, D::infinity())})
            EXPECT_TRUE(WritesAsStd(v));
    }
    for (std::uint64_t p = 1; p <= 10'000'000'000'000'000'000u; p *= 10)
        for (std::uint64_t v = p > 30 ? p - 30 : 1; v <= p + 30; ++v) {
            EXPECT_TRUE(WritesAsStd(static_cast<float>(v)));
            EXPECT_TRUE(WritesAsStd(static_cast<double>(v)));
        }
}

// Random bit patterns, every exponent alike, and values of the sizes the
// program writes: twips with a fraction, fractions of an electron-volt.
TEST(NumberText, RandomValuesAreWrittenAsStdWritesThem) {
    std::mt19937_64 gen(20240611);
    std::uniform_real_distribution<double> twips(0, 10000);
    int failures = 0;
    for (int i = 0; i < 40000 && failures < 10; ++i) {
        const float f = std::bit_cast<float>(static_cast<std::uint32_t>(gen()));
        const double d = std::bit_cast<double>(gen());
        const float t = static_cast<float>(twips(gen));
        const double fraction = std::round(twips(gen)) / 1000;
        for (const auto &ok : {WritesAsStd(f), WritesAsStd(d), WritesAsStd(t),
                               WritesAsStd(fraction), WritesAsStd(static_cast<float>(fraction))})
            if (!ok) {
                ADD_FAILURE() << ok.message();
                ++failures;
            }
    }
}

TEST(NumberText, TextsAreReadAsStdReadsThem) {
    const std::string longDigits = "0." + std::string(400, '0') + "1",
                      longOne = "1." + std::string(300, '0') + "1e-3";
    // clang-format off
    const std::string_view texts[] = {
        // what a number may look like, and where reading stops
        "0", "-0", "12", "00012", "0.25", ".5", "5.", "-.5", "1e5", "1E5", "1e+5", "1e-5",
        "2.5e-1x", "1.5.3", "1e", "1e+", "1e-", "-.5e", "1ee5", "0x10", "0x1p3", "1,5",
        // what is no number
        "", ".", "-", "+1", " 1", "\t1", "e5", "--1", "-e", "x",
        // words, and the ends of each range of characters a nan(...) may hold
        "inf", "INF", "-inf", "infinity", "-Infinity", "infinit", "infx", "nan", "NaN", "-nan",
        "nan(abc_1)", "nan(azAZ09_)", "nan(`)", "nan({)", "nan(@)", "nan([)", "nan(/)", "nan(:)",
        "nan(", "nan()", "nan(a b)", "nan(-)", "nanx", "in", "na",
        // sizes: the largest and smallest of each type, and beyond
        "3.4028235e38", "3.4028236e38", "3.5e38", "1e39", "1.1754944e-38", "1e-40", "1e-45",
        "7.1e-46", "7e-46", "1e-46", "1e-60", "1.7976931348623157e308", "1.8e308", "1e309",
        "4e-324", "3e-324", "2.5e-324", "2e-324", "1e-400", "0e-999", "0e999", "-0e999",
        "1e999999999999999999999", "1e-999999999999999999999", "0.0000", longDigits, longOne,
        // halfway between two floats or doubles: ties to even
        "16777217", "16777219", "0.500000029802322387695312", "0.500000089406967163085937",
        "9007199254740993", "9007199254740995",
    };
    // clang-format on
    for (std::string_view text : texts) {
        EXPECT_TRUE(ReadsAsStd<float>(text));
        EXPECT_TRUE(ReadsAsStd<double>(text));
    }
}

// Random decimals of every length and exponent, and the texts of random
// values cut short or carried on with more digits.
TEST(NumberText, RandomTextsAreReadAsStdReadsThem) {
    std::mt19937_64 gen(7);
    const auto digits = [&](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>('0' + gen() % 10);
        return s;
    };
    int failures = 0;
    for (int i = 0; i < 20000 && failures < 10; ++i) {
        std::string text = (gen() % 4 == 0 ? "-" : "") + digits(1 + gen() % 25);
        if (gen() % 2) text.insert(gen() % text.size(), ".");
        if (gen() % 2) text += "e" + std::to_string(static_cast<int>(gen() % 700) - 350);
        const std::string value = ShortestText(std::bit_cast<double>(gen()));
        const std::string cut = value.substr(0, gen() % (value.size() + 1)) + digits(gen() % 3);
        for (const std::string &t : {text, cut})
            for (const auto &ok : {ReadsAsStd<float>(t), ReadsAsStd<double>(t)})
                if (!ok) {
                    ADD_FAILURE() << ok.message();
                    ++failures;
                }
    }
}

} // namespace
} // namespace transistor
