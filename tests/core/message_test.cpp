// What a refused set-up tells the user: the exact English text, the box it
// blames, and that the structured lines format into that same text.
#include <gtest/gtest.h>

#include <algorithm>

#include "test_support.h"

namespace transistor {
namespace {

using testing::Inputs;

struct Row {
    const char *name;
    std::string Inputs::*box;
    std::string text;
    std::string_view boxName;
    std::string message;
};

const Row kRows[] = {
    {"letters in a Fermi level", &Inputs::base, "abc", "Text3",
     "Base Fermi level (eV): \"abc\" is not a number. Enter a level in eV above the valence-band "
     "edge, such as 0.2."},
    {"empty bias", &Inputs::veb, "", "Text4",
     "Emitter–base voltage VEB (V): the box is empty. Enter a voltage in volts, such as 0.5."},
    {"overflowing double", &Inputs::vcb, "1e400", "Text8",
     "Collector–base voltage VCB (V): \"1e400\" is too large to use. Enter a voltage in volts, "
     "such as 1.5."},
    {"overflowing negative double", &Inputs::emitter, "-1e400", "Text2",
     "Emitter Fermi level (eV): \"-1e400\" is too far below zero to use. Enter a level in eV "
     "above the valence-band edge, such as 0.9."},
    {"temperature above 16 bits", &Inputs::temperature, "40000", "Text1",
     "Temperature (K): \"40000\" is too large to use. Enter a temperature in kelvin, such as 300."},
    {"temperature below 16 bits", &Inputs::temperature, "-40000", "Text1",
     "Temperature (K): \"-40000\" is too far below zero to use. Enter a temperature in kelvin, "
     "such as 300."},
    {"Fermi level out of the drawing", &Inputs::collector, "-30", "Text9",
     "Collector Fermi level (eV): \"-30\" puts the band diagram outside the range the program can "
     "draw. Enter a level in eV above the valence-band edge, such as 0.7."},
    {"typed %2 stays as typed", &Inputs::emitter, "%2%1", "Text2",
     "Emitter Fermi level (eV): \"%2%1\" is not a number. Enter a level in eV above the "
     "valence-band edge, such as 0.9."},
};

TEST(Messages, EachRefusalSaysWhatIsTrueAndNamesItsBox) {
    for (const Row &row : kRows) {
        SCOPED_TRACE(row.name);
        Form f = testing::LoadedForm();
        Inputs in;
        in.*row.box = row.text;
        testing::Type(f, in);
        Command3_Click(f);
        ASSERT_TRUE(f.feedback.message);
        EXPECT_EQ(*f.feedback.message, row.message);
        ASSERT_EQ(f.feedback.messageLines.size(), 1u);
        EXPECT_EQ(f.feedback.messageLines[0].box, row.boxName);
        EXPECT_EQ(FormatLines(f.feedback.messageLines), *f.feedback.message);
        // Every template and phrase is one a translation can know.
        const MessageLine &line = f.feedback.messageLines[0];
        EXPECT_NE(std::find(kMessageTexts.begin(), kMessageTexts.end(), line.format),
                  kMessageTexts.end());
        for (const MessageArg &arg : line.args) {
            if (!arg.phrase) continue;
            EXPECT_NE(std::find(kMessageTexts.begin(), kMessageTexts.end(), arg.text),
                      kMessageTexts.end())
                << arg.text;
        }
    }
}

} // namespace
} // namespace transistor
