#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "tests/script/json_value.h"
#include "tools/json_dump.h"

namespace transistor {
namespace {

using testing::JsonReader;
using testing::JsonValue;

constexpr float kInf = std::numeric_limits<float>::infinity();

std::string Number(Single v) {
    std::string out;
    AppendJsonNumber(out, v);
    return out;
}
std::string Number(const NumericVariant &v) {
    std::string out;
    AppendJsonNumber(out, v);
    return out;
}
std::string Quoted(std::string_view s) {
    std::string out;
    AppendJsonString(out, s);
    return out;
}

// The reader that the tests below rely on must refuse what is not JSON.
TEST(JsonReaderForTests, RefusesWhatIsNotJson) {
    for (const char *bad : {"",
                            "{\"a\":1,}",
                            "[1,]",
                            "[01]",
                            "[1.]",
                            "[-]",
                            "[.5]",
                            "[1e]",
                            "[1 2]",
                            "{\"a\" 1}",
                            "{a:1}",
                            "nul",
                            "[true false]",
                            "\"\x01\"",
                            "\"\\x\"",
                            "\"\\u12g4\"",
                            "\"\\ud800\"",
                            "\"\xFF\"",
                            "\"\xC0\xAF\"",
                            "\"\xED\xA0\x80\"",
                            "\"open",
                            "{\"a\":1,\"a\":2}",
                            "{} {}",
                            "[nan]",
                            "[inf]"})
        EXPECT_THROW(JsonReader::Parse(bad), testing::JsonError) << bad;
    const JsonValue v =
        JsonReader::Parse(" {\"a\": [0, -1.5e+3, true, null], \"b\": \"\\u00e9\\t\xE2\x82\xAC\"} ");
    EXPECT_EQ(v["a"][1].text, "-1.5e+3");
    EXPECT_EQ(v["a"][1].number, -1500);
    EXPECT_TRUE(v["a"][3].isNull());
    EXPECT_EQ(v["b"].text, "\xC3\xA9\t\xE2\x82\xAC");
}

struct SingleCase {
    const char *name;
    Single in;
    const char *out;
};

TEST(JsonNumbers, SinglesPrintAsTheShortestTextThatReadsBack) {
    const SingleCase cases[] = {
        {"threshold", 2.3f, "2.3"},
        {"whole number without a point", 2175.0f, "2175"},
        {"three", 3.0f, "3"},
        {"tenth", 0.1f, "0.1"},
        {"largest below one", 0.99999994f, "0.99999994"},
        {"negative", -0.5f, "-0.5"},
        {"negative zero", -0.0f, "-0"},
        {"parked top", 10000.0f, "10000"},
        {"two to the 24", 16777216.0f, "16777216"},
        {"tiny", 1e-7f, "1e-07"},
        {"huge", 3e38f, "3e+38"},
        {"nan is not JSON", std::nanf(""), "null"},
        {"infinity is not JSON", kInf, "null"},
        {"minus infinity", -kInf, "null"},
    };
    for (const SingleCase &c : cases) {
        EXPECT_EQ(Number(c.in), c.out) << c.name;
        if (std::isfinite(c.in)) {
            EXPECT_EQ(std::strtof(c.out, nullptr), c.in) << c.name << " reads back";
            EXPECT_NO_THROW(JsonReader::Parse(c.out)) << c.name;
        }
    }
}

struct VariantCase {
    const char *name;
    NumericVariant in;
    const char *out;
};

TEST(JsonNumbers, VariantsPrintInThePrecisionOfWhatTheyHold) {
    const VariantCase cases[] = {
        {"empty counts as zero", NumericVariant(), "0"},
        {"integer", NumericVariant(Integer(300)), "300"},
        {"negative integer", NumericVariant(Integer(-32768)), "-32768"},
        {"single", NumericVariant(Single(2.3f)), "2.3"},
        {"whole single", NumericVariant(Single(4080.0f)), "4080"},
        {"double", NumericVariant(2.3), "2.3"},
        // The same float held as a double shows all its digits.
        {"widened single", NumericVariant(static_cast<double>(2.3f)), "2.299999952316284"},
        {"double nan", NumericVariant(std::nan("")), "null"},
    };
    for (const VariantCase &c : cases) EXPECT_EQ(Number(c.in), c.out) << c.name;
}

struct StringCase {
    const char *name;
    std::string in;
    std::string out; // without the quotes
};

TEST(JsonStrings, EscapesAndRepairsEveryByteString) {
    const std::string fffd = "\xEF\xBF\xBD";
    const StringCase cases[] = {
        {"plain", "300", "300"},
        {"empty", "", ""},
        {"quote and backslash", "a\"b\\c", "a\\\"b\\\\c"},
        {"line breaks and tab", "a\nb\rc\td", "a\\nb\\rc\\td"},
        {"backspace and form feed", "\b\f", "\\b\\f"},
        {"other control bytes", "\x01\x1f", "\\u0001\\u001f"},
        {"NUL", std::string("a\0b", 3), "a\\u0000b"},
        {"DEL stays", "\x7f", "\x7f"},
        {"slash stays", "a/b", "a/b"},
        {"Japanese stays", "温度(K)", "温度(K)"},
        {"four-byte sequence stays", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        {"lone continuation byte", "a\x80z", "a" + fffd + "z"},
        {"byte never in UTF-8", "\xFF", fffd},
        {"truncated two-byte sequence", "\xC3", fffd},
        {"truncated before ASCII", "\xC3(", fffd + "("},
        {"truncated three-byte sequence at the end", "\xE2\x82", fffd},
        {"overlong slash", "\xC0\xAF", fffd + fffd},
        {"overlong three-byte", "\xE0\x80\xAF", fffd + fffd + fffd},
        {"surrogate", "\xED\xA0\x80", fffd + fffd + fffd},
        {"above U+10FFFF", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},
        {"bad byte then quote", "\xFE\"", fffd + "\\\""},
    };
    for (const StringCase &c : cases) {
        const std::string quoted = Quoted(c.in);
        EXPECT_EQ(quoted, "\"" + c.out + "\"") << c.name;
        EXPECT_NO_THROW(JsonReader::Parse(quoted)) << c.name;
    }
}

TEST(JsonStrings, EveryByteValueGivesValidJson) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    all += all; // and every byte after every other high byte
    EXPECT_NO_THROW(JsonReader::Parse(Quoted(all)));
}

// The dump puts every control and variable under its own key: changes made
// to one of them show up there and nowhere else.
TEST(JsonDump, ShowsEachChangeUnderItsOwnKey) {
    Form f;
    Form_Load(f);
    f.vars.CarrierX = NumericVariant(Single(1234.5f));
    f.vars.LoopIndex = NumericVariant(Integer(7));
    f.vars.ReservoirTally = NumericVariant(0.1);
    f.vars.ElectronBinPrev[20] = 5;
    f.vars.ElectronBinPrev[21] = 9; // beyond the bins in use
    f.ctl.Text5 = "1\xFF";
    f.ctl.Line23 = LineProps{1.5f, 2, 3, 4, false};
    f.ctl.Shape1(3) = Carrier{100.25f, 200};
    f.ctl.Shape2(100) = Carrier{kInf, 7};
    f.ctl.Timer4.Enabled = true;
    f.ctl.Picture1 = {PlotPoint{0, 1440}, PlotPoint{2, 1.5f}};
    f.showMessage("a \"message\"");
    f.feedback.error = "Overflow";
    f.feedback.closed = true;

    const JsonValue d = JsonReader::Parse(DumpJson(f));
    EXPECT_EQ(d["vars"]["CarrierX"].text, "1234.5");
    EXPECT_EQ(d["vars"]["LoopIndex"].text, "7");
    EXPECT_EQ(d["vars"]["ReservoirTally"].text, "0.1");
    EXPECT_EQ(d["vars"]["CollectorTally"].text, "0");
    EXPECT_EQ(d["vars"]["ElectronBinPrev"].items.size(), 21u);
    EXPECT_EQ(d["vars"]["ElectronBinPrev"][20].number, 5);
    EXPECT_EQ(d["vars"]["ElectronBinCount"][20].number, 0);
    EXPECT_EQ(d["texts"]["Text5"].text, "1\xEF\xBF\xBD");
    EXPECT_EQ(d["texts"]["Text6"].text, "0");
    const JsonValue &line = d["lines"]["Line23"];
    ASSERT_EQ(line.items.size(), 5u);
    EXPECT_EQ(line[0].text, "1.5");
    EXPECT_EQ(line[1].number, 2);
    EXPECT_EQ(line[2].number, 3);
    EXPECT_EQ(line[3].number, 4);
    EXPECT_FALSE(line[4].boolean);
    EXPECT_TRUE(d["lines"]["Line21"][4].boolean);
    EXPECT_EQ(d["electrons"][3][0].text, "100.25");
    EXPECT_EQ(d["electrons"][3][1].number, 200);
    EXPECT_EQ(d["electrons"][2][0].number, 480);
    EXPECT_EQ(d["holes"][3][0].number, 960);
    EXPECT_TRUE(d["holes"][100][0].isNull());
    EXPECT_EQ(d["holes"][100][1].number, 7);
    EXPECT_TRUE(d["timers"]["Timer4"].boolean);
    EXPECT_FALSE(d["timers"]["Timer3"].boolean);
    ASSERT_EQ(d["plot"].items.size(), 2u);
    EXPECT_EQ(d["plot"][0][1].number, 1440);
    EXPECT_EQ(d["plot"][1][0].number, 2);
    EXPECT_EQ(d["plot"][1][1].text, "1.5");
    EXPECT_EQ(d["message"].text, "a \"message\"");
    EXPECT_EQ(d["error"].text, "Overflow");
    EXPECT_TRUE(d["closed"].boolean);
}

} // namespace
} // namespace transistor
