// The table of docs/bad-inputs.md, row by row: what the program does with
// each kind of text a user may type into an input box.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/phases.h"
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

const Row kRows[] = {
    {"empty box", &Inputs::emitter, "", ".", Outcome::Refused},
    {"only spaces", &Inputs::base, "    ", ".", Outcome::Refused},
    {"letters", &Inputs::collector, "abc", ".", Outcome::Refused},
    {"trailing unit", &Inputs::veb, "0.5V", ".", Outcome::Refused},
    {"trailing letter", &Inputs::emitter, "0.9x", ".", Outcome::Refused},
    {"two signs", &Inputs::temperature, "--300", ".", Outcome::Refused},
    {"hexadecimal", &Inputs::temperature, "0x12C", ".", Outcome::Refused},
    {"blanks around", &Inputs::emitter, "  0.8 ", ".", Outcome::Accepted,
     &SimulationState::EmitterElectronTarget, 72},
    {"full-width digits", &Inputs::emitter, "０．８", ".", Outcome::Accepted,
     &SimulationState::EmitterElectronTarget, 72},
    {"point in a point locale", &Inputs::emitter, "0.8", ".", Outcome::Accepted,
     &SimulationState::EmitterElectronTarget, 72},
    {"comma in a point locale", &Inputs::emitter, "0,8", ".", Outcome::Refused},
    {"comma in a comma locale", &Inputs::emitter, "0,8", ",", Outcome::Accepted,
     &SimulationState::EmitterElectronTarget, 72},
    {"point in a comma locale", &Inputs::emitter, "0.8", ",", Outcome::Accepted,
     &SimulationState::EmitterElectronTarget, 72},
    {"group separator", &Inputs::temperature, "1,500", ".", Outcome::Refused},
    {"point as group separator", &Inputs::temperature, "1.500", ",", Outcome::Accepted,
     &SimulationState::Temperature, 2}, // 1.5, rounded to even: never 1500
    {"exponent", &Inputs::temperature, "3e2", ".", Outcome::Accepted, &SimulationState::Temperature,
     300},
    {"huge magnitude", &Inputs::collector, "1e999", ".", Outcome::Refused},
    {"tiny magnitude", &Inputs::temperature, "1e-999", ".", Outcome::Accepted,
     &SimulationState::Temperature, 0},
    {"NaN", &Inputs::base, "NaN", ".", Outcome::Refused},
    {"infinity", &Inputs::base, "Infinity", ".", Outcome::Refused},
    {"inf", &Inputs::vcb, "-inf", ".", Outcome::Refused},
    {"very long number", &Inputs::emitter, kLongDigits, ".", Outcome::Accepted,
     &SimulationState::EmitterElectronTarget, 0},
    {"very long text", &Inputs::vcb, kLongLetters, ".", Outcome::Refused},
    {"negative temperature", &Inputs::temperature, "-50", ".", Outcome::Accepted,
     &SimulationState::Temperature, -50},
    {"temperature 0", &Inputs::temperature, "0", ".", Outcome::Accepted,
     &SimulationState::Temperature, 0},
    {"temperature 5000", &Inputs::temperature, "5000", ".", Outcome::Accepted,
     &SimulationState::Temperature, 5000},
    {"temperature above 16 bits", &Inputs::temperature, "32768", ".", Outcome::Refused},
    {"negative VEB clamps", &Inputs::veb, "-1", ".", Outcome::Accepted, &SimulationState::BaseLeftX,
     4560},
    {"large VCB clamps", &Inputs::vcb, "1e300", ".", Outcome::Accepted,
     &SimulationState::BcJunctionWidth, 1600},
    {"emitter level above 1.117", &Inputs::emitter, "1.2", ".", Outcome::Accepted,
     &SimulationState::EmitterElectronTarget, 108},
    {"negative emitter level", &Inputs::emitter, "-0.5", ".", Outcome::Accepted,
     &SimulationState::EmitterElectronTarget, -45},
    {"base level above 1", &Inputs::base, "1.5", ".", Outcome::Accepted,
     &SimulationState::BaseHoleTarget, -8},
    {"emitter level out of the drawing", &Inputs::emitter, "31", ".", Outcome::Refused},
    {"base level out of the drawing", &Inputs::base, "-28", ".", Outcome::Refused},
    {"collector level out of the drawing", &Inputs::collector, "-30", ".", Outcome::Refused},
};

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

TEST(BadInputs, TemperatureZeroOrBelowNeverGeneratesAndFiveThousandAlwaysDoes) {
    for (auto [temperature, pairs] : {std::pair{"0", false}, {"-50", false}, {"5000", true}}) {
        Inputs in;
        in.temperature = temperature;
        Form f = testing::LaidOut(in);
        f.vars.ElectronCount = 10;
        f.vars.HoleCount = 10;
        ScriptedRandom rnd({0.999f, 0.5f});
        GeneratePair(f, rnd);
        EXPECT_EQ(f.vars.ElectronCount.value(), pairs ? 11 : 10) << temperature;
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
