// What the program does with what a user types: the table of
// docs/bad-inputs.md row by row, the spellings of numbers, what a refused
// set-up tells the user, and the 16-bit number rules behind the checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/number_input.h"
#include "test_support.h"

namespace transistor {
namespace {

using testing::Inputs;

enum class Outcome { Refused, Accepted };

struct Row {
    const char *name;
    std::string Inputs::*box;
    std::string text;
    const char *separator;
    Outcome outcome;
    // For an accepted row: the variable to look at and its value.
    Integer SimulationState::*variable = nullptr;
    int value = 0;
};

const std::string kLongDigits = "0." + std::string(100000, '0') + "5";
const std::string kLongLetters(100000, 'x');

// clang-format off
using I = Inputs;
using S = SimulationState;
constexpr Outcome R = Outcome::Refused, A = Outcome::Accepted;
constexpr Integer S::*kTarget = &S::EmitterElectronTarget;
const Row kRows[] = {
    {"empty box", &I::emitter, "", ".", R},
    {"only spaces", &I::base, "    ", ".", R},
    {"letters", &I::collector, "abc", ".", R},
    {"trailing unit", &I::veb, "0.5V", ".", R},
    {"trailing letter", &I::emitter, "0.9x", ".", R},
    {"two signs", &I::temperature, "--300", ".", R},
    {"hexadecimal", &I::temperature, "0x12C", ".", R},
    {"blanks around", &I::emitter, "  0.8 ", ".", A, kTarget, 72},
    {"full-width digits", &I::emitter, "０．８", ".", A, kTarget, 72},
    {"point in a point locale", &I::emitter, "0.8", ".", A, kTarget, 72},
    {"comma in a point locale", &I::emitter, "0,8", ".", R},
    {"comma in a comma locale", &I::emitter, "0,8", ",", A, kTarget, 72},
    {"point in a comma locale", &I::emitter, "0.8", ",", A, kTarget, 72},
    {"group separator", &I::temperature, "1,500", ".", R},
    // 1.5, rounded to even: never 1500.
    {"point as group separator", &I::temperature, "1.500", ",", A, &S::Temperature, 2},
    {"exponent", &I::temperature, "3e2", ".", A, &S::Temperature, 300},
    {"huge magnitude", &I::collector, "1e999", ".", R},
    {"tiny magnitude", &I::temperature, "1e-999", ".", A, &S::Temperature, 0},
    {"NaN", &I::base, "NaN", ".", R},
    {"infinity", &I::base, "Infinity", ".", R},
    {"inf", &I::vcb, "-inf", ".", R},
    {"very long number", &I::emitter, kLongDigits, ".", A, kTarget, 0},
    {"very long text", &I::vcb, kLongLetters, ".", R},
    {"negative temperature", &I::temperature, "-50", ".", A, &S::Temperature, -50},
    {"temperature 0", &I::temperature, "0", ".", A, &S::Temperature, 0},
    {"temperature 5000", &I::temperature, "5000", ".", A, &S::Temperature, 5000},
    {"temperature above 16 bits", &I::temperature, "32768", ".", R},
    {"negative VEB clamps", &I::veb, "-1", ".", A, &S::BaseLeftX, 4560},
    {"large VCB clamps", &I::vcb, "1e300", ".", A, &S::BcJunctionWidth, 1600},
    {"emitter level above 1.117", &I::emitter, "1.2", ".", A, kTarget, 108},
    {"negative emitter level", &I::emitter, "-0.5", ".", A, kTarget, -45},
    {"base level above 1", &I::base, "1.5", ".", A, &S::BaseHoleTarget, -8},
    {"emitter level out of the drawing", &I::emitter, "31", ".", R},
    {"base level out of the drawing", &I::base, "-28", ".", R},
    {"collector level out of the drawing", &I::collector, "-30", ".", R},
    // The furthest each level goes while every difference still fits 16 bits.
    {"emitter level 27", &I::emitter, "27", ".", A, &S::EmitterFermiY, -28920},
    {"emitter level -20", &I::emitter, "-20", ".", A, &S::CollectorValenceY, 30720},
    {"base level -25", &I::base, "-25", ".", A, &S::BaseConductionY, -28200},
    {"base level 24", &I::base, "24", ".", A, &S::BaseConductionY, 30600},
    {"collector level -27", &I::collector, "-27", ".", A, &S::CollectorConductionY, -28800},
    {"collector level 23", &I::collector, "23", ".", A, &S::CollectorValenceY, 32400},
};
// clang-format on

TEST(BadInputs, EachRowOfTheTable) {
    for (const Row &row : kRows) {
        SCOPED_TRACE(row.name);
        Form f = testing::LaidOut();
        f.decimalSeparator = row.separator;
        Inputs in;
        in.*row.box = row.text;
        testing::Type(f, in);
        const Form before = f;
        auto rnd = testing::Draws(201, 0.5f);
        Command1_Click(f, rnd);
        if (row.outcome == Outcome::Refused) {
            EXPECT_TRUE(f.feedback.message);
            EXPECT_TRUE(SameSimulation(before, f));
            EXPECT_EQ(rnd.used(), 0u);
        } else {
            EXPECT_FALSE(f.feedback.message) << *f.feedback.message;
            EXPECT_EQ((f.vars.*row.variable).value(), row.value);
            EXPECT_TRUE(f.ctl.Timer1.Enabled);
        }
    }
}

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

// A refusal: the English text, the boxes it blames (kept as typed), that the
// structured lines format into that same text, and that nothing else changes.
struct MessageRow {
    Inputs in;
    const char *boxes;
    std::string message;
    bool whole = true; // false: the message starts with this text
};

const std::string kLongText = std::string(39, 'x') + "é" + "yyy";

// clang-format off
const MessageRow kMessageRows[] = {
    {{.base = "abc"}, "Text3",
     "Base Fermi level (eV): \"abc\" is not a number. Enter a level in eV above the valence-band "
     "edge, such as 0.2."},
    {{.veb = ""}, "Text4",
     "Emitter–base voltage VEB (V): the box is empty. Enter a voltage in volts, such as 0.5."},
    {{.vcb = "1e400"}, "Text8",
     "Collector–base voltage VCB (V): \"1e400\" is too large to use. Enter a voltage in volts, "
     "such as 1.5."},
    {{.emitter = "-1e400"}, "Text2",
     "Emitter Fermi level (eV): \"-1e400\" is too far below zero to use. Enter a level in eV "
     "above the valence-band edge, such as 0.9."},
    {{.temperature = "40000"}, "Text1",
     "Temperature (K): \"40000\" is too large to use. Enter a temperature in kelvin, such as 300."},
    {{.temperature = "-40000"}, "Text1",
     "Temperature (K): \"-40000\" is too far below zero to use. Enter a temperature in kelvin, "
     "such as 300."},
    {{.collector = "-30"}, "Text9",
     "Collector Fermi level (eV): \"-30\" puts the band diagram outside the range the program can "
     "draw. Enter a level in eV above the valence-band edge, such as 0.7."},
    {{.emitter = "%2%1"}, "Text2", // a typed %2 stays as typed
     "Emitter Fermi level (eV): \"%2%1\" is not a number. Enter a level in eV above the "
     "valence-band edge, such as 0.9."},
    {{.emitter = "", .vcb = "two"}, "Text8 Text2",
     "Collector–base voltage VCB (V): \"two\" is not a number. Enter a voltage in volts, such "
     "as 1.5.\nEmitter Fermi level (eV): the box is empty. Enter a level in eV above the "
     "valence-band edge, such as 0.9."},
    {{.temperature = " ", .vcb = kLongText}, "Text1 Text8",
     "Temperature (K): the box holds only spaces. Enter a temperature in kelvin, such as 300.\n"
     "Collector–base voltage VCB (V): \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…\" is not a "
     "number.", false},
    {{.vcb = std::string(50, '\x80')}, "Text8", // no character boundary before the cut
     "Collector–base voltage VCB (V): \"…\" is not a number.", false},
    {{.temperature = "32768"}, "Text1", "Temperature (K): \"32768\" is too large", false},
    {{.temperature = "40000", .emitter = "31"}, "Text1", "Temperature (K): \"40000\" is too large", false},
    {{.emitter = "31", .base = "-28"}, "Text2", "Emitter Fermi level (eV): \"31\" puts", false},
    {{.temperature = "32767", .emitter = "31"}, "Text2", "Emitter Fermi level (eV): \"31\" puts", false},
    {{.veb = std::string(40, 'v')}, "Text4", // 40 bytes: shown whole
     "Emitter–base voltage VEB (V): \"vvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvv\" is not", false},
    {{.base = "-28"}, "Text3", "Base Fermi level (eV): \"-28\" puts", false},
    {{.emitter = "1.5", .collector = "-30"}, "Text9", "Collector Fermi level (eV): \"-30\" puts", false},
};
// clang-format on

bool Known(std::string_view text) {
    return std::find(kMessageTexts.begin(), kMessageTexts.end(), text) != kMessageTexts.end();
}

TEST(Messages, EachRefusalSaysWhatIsTrueNamesItsBoxesAndChangesNothing) {
    for (const MessageRow &row : kMessageRows) {
        SCOPED_TRACE(row.message);
        Form f = testing::LoadedForm();
        testing::Type(f, row.in);
        const Form before = f;
        Command3_Click(f);
        ASSERT_TRUE(f.feedback.message);
        const std::string &message = *f.feedback.message;
        EXPECT_EQ(row.whole ? message : message.substr(0, row.message.size()), row.message);
        EXPECT_EQ(f.feedback.messageSerial, 1u);
        EXPECT_TRUE(SameSimulation(before, f));
        EXPECT_EQ(FormatLines(f.feedback.messageLines), message);
        std::string boxes;
        for (const MessageLine &line : f.feedback.messageLines) {
            boxes += (boxes.empty() ? "" : " ") + std::string(line.box);
            // Every template and phrase is one a translation can know.
            EXPECT_TRUE(Known(line.format)) << line.format;
            // The box's name first, what to enter last: both translated.
            EXPECT_TRUE(line.args.front().phrase && line.args.back().phrase);
            for (const MessageArg &arg : line.args) EXPECT_TRUE(!arg.phrase || Known(arg.text));
        }
        EXPECT_EQ(boxes, row.boxes);
    }
    // The comparison the rows rely on sees a change of a single field.
    Form a = testing::LaidOut(), b = a, c = a;
    b.vars.LoopIndex = Integer(1);
    c.ctl.Shape2(100).Left += 1;
    EXPECT_FALSE(SameSimulation(a, b) || SameSimulation(a, c));
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
