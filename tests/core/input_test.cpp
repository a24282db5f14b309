// What the program reads in what a user types: the spellings of numbers, the
// lines of a refusal, and the 16-bit number rules behind the checks. What
// Start and Restart do with each kind of text are the traces inputs.script
// and messages.script.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/number_input.h"
#include "test_support.h"

namespace transistor {
namespace {

using testing::Inputs;

TEST(NumberInput, SpellingsOfNumbers) {
    // clang-format off
    const struct { std::string text; const char *separator; std::optional<double> value; } cases[] = {
        {"0.5", ".", 0.5},   {".5", ".", 0.5},     {"5.", ".", 5.0},    {"+0.5", ".", 0.5},
        {"-0.5", ".", -0.5}, {"\t1\t", ".", 1.0},  {"1E2", ".", 100.0}, {"1e+2", ".", 100.0},
        {"−0.3", ".", -0.3}, {"０．５", ".", 0.5}, {"1٫5", "٫", 1.5},   {"1.5", "٫", 1.5},
        {".", ".", {}},      {"e5", ".", {}},      {"1e", ".", {}},     {"1e+", ".", {}},
        {"1 000", ".", {}},  {"0.5.", ".", {}},    {"0,5,", ",", {}},   {"1.5,2", ",", {}},
        {"1e5V", ".", {}},   {"2e3.5", ".", {}},   {"1e5 ", ".", 1e5},  {{"1\0002", 3}, ".", {}},
        {"1e99999999999999999999", ".", {}},       {"0.00000000001e-99999999999999", ".", 0.0},
    };
    // clang-format on
    for (const auto &c : cases) EXPECT_EQ(ParseNumber(c.text, c.separator), c.value) << c.text;
    EXPECT_TRUE(std::signbit(*ParseNumber("-1e-999", "."))); // zero, with its sign
}

bool Known(std::string_view text) {
    return std::find(kMessageTexts.begin(), kMessageTexts.end(), text) != kMessageTexts.end();
}

// A refusal's lines name their boxes in the order of the message, make up its
// text, and use only templates and phrases a translation knows (the texts
// themselves are the trace messages.script).
TEST(Messages, LinesNameTheirBoxesAndUseKnownTexts) {
    const std::pair<Inputs, const char *> rows[] = {
        {{.base = "abc"}, "Text3"},
        {{.veb = ""}, "Text4"},
        {{.emitter = "", .vcb = "two"}, "Text8 Text2"},
        {{.temperature = " ", .vcb = std::string(39, 'x') + "é" + "yyy"}, "Text1 Text8"},
        {{.emitter = "1.5", .collector = "-30"}, "Text9"},
    };
    for (const auto &[in, boxes] : rows) {
        Form f = testing::LoadedForm();
        testing::Type(f, in);
        Command3_Click(f);
        ASSERT_TRUE(f.feedback.message);
        EXPECT_EQ(f.feedback.messageSerial, 1u);
        EXPECT_EQ(FormatLines(f.feedback.messageLines), *f.feedback.message);
        std::string named;
        for (const MessageLine &line : f.feedback.messageLines) {
            named += (named.empty() ? "" : " ") + std::string(line.box);
            EXPECT_TRUE(Known(line.format)) << line.format;
            // The box's name first, what to enter last: both translated.
            EXPECT_TRUE(line.args.front().phrase && line.args.back().phrase);
            for (const MessageArg &arg : line.args) EXPECT_TRUE(!arg.phrase || Known(arg.text));
        }
        EXPECT_EQ(named, boxes);
    }
}

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
    EXPECT_EQ(IndexFrom(49.5, 0, 50), 50); // rounded like CInt, never cut
    EXPECT_THROW(IndexFrom(51.0, 0, 50), SubscriptError);
    EXPECT_THROW(IndexFrom(std::nan(""), 0, 100), SubscriptError);
}
} // namespace
} // namespace transistor
