// What a refused set-up tells the user: the English text, the boxes it
// blames (kept as typed), that the structured lines format into that same
// text, and that nothing else changes.
#include <gtest/gtest.h>

#include <algorithm>

#include "test_support.h"

namespace transistor {
namespace {

using testing::Inputs;

struct Row {
    Inputs in;
    const char *boxes;
    std::string message;
    bool whole = true; // false: the message starts with this text
};

const std::string kLongText = std::string(39, 'x') + "é" + "yyy";

// clang-format off
const Row kRows[] = {
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
    for (const Row &row : kRows) {
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

} // namespace
} // namespace transistor
