// The table of docs/bad-inputs.md, row by row: what the program does with
// each kind of text a user may type into an input box.
#include <gtest/gtest.h>

#include <cmath>

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
    struct Case {
        const char *text;
        const char *separator;
        std::optional<double> value;
    } cases[] = {
        {"0.5", ".", 0.5},   {".5", ".", 0.5},     {"5.", ".", 5.0},    {"+0.5", ".", 0.5},
        {"-0.5", ".", -0.5}, {"\t1\t", ".", 1.0},  {"1E2", ".", 100.0}, {"1e+2", ".", 100.0},
        {"−0.3", ".", -0.3}, {"０．５", ".", 0.5}, {"1٫5", "٫", 1.5},   {"1.5", "٫", 1.5},
        {".", ".", {}},      {"e5", ".", {}},      {"1e", ".", {}},     {"1e+", ".", {}},
        {"1 000", ".", {}},  {"0.5.", ".", {}},    {"0,5,", ",", {}},   {"1.5,2", ",", {}},
        {"1e5V", ".", {}},   {"2e3.5", ".", {}},   {"1e5 ", ".", 1e5},
    };
    for (const Case &c : cases) EXPECT_EQ(ParseNumber(c.text, c.separator), c.value) << c.text;
    EXPECT_EQ(ParseNumber(std::string("1\0"
                                      "2",
                                      3),
                          "."),
              std::nullopt);
    EXPECT_EQ(ParseNumber("-1e-999", "."), 0.0);
    EXPECT_TRUE(std::signbit(*ParseNumber("-1e-999", ".")));
    EXPECT_EQ(ParseNumber("1e99999999999999999999", "."), std::nullopt);
    EXPECT_EQ(ParseNumber("0.00000000001e-99999999999999", "."), 0.0);
}

} // namespace
} // namespace transistor
