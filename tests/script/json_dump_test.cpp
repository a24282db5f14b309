#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tools/json_dump.h"

namespace transistor {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

template <class T> std::string Number(const T &v) {
    std::string out;
    AppendJsonNumber(out, v);
    return out;
}

TEST(JsonNumbers, ShortestTextThatReadsBackInItsOwnPrecision) {
    const struct {
        const char *name;
        std::string got, want;
    } cases[] = {
        {"single", Number(2.3f), "2.3"},
        {"whole single", Number(2175.0f), "2175"},
        {"largest below one", Number(0.99999994f), "0.99999994"},
        {"negative zero", Number(-0.0f), "-0"},
        {"tiny", Number(1e-7f), "1e-07"},
        {"nan", Number(std::nanf("")), "null"},
        {"infinity", Number(kInf), "null"},
        {"empty variant", Number(NumericVariant()), "0"},
        {"integer variant", Number(NumericVariant(Integer(-32768))), "-32768"},
        {"double variant", Number(NumericVariant(2.3)), "2.3"},
        {"widened single", Number(NumericVariant(static_cast<double>(2.3f))), "2.299999952316284"},
    };
    for (const auto &c : cases) EXPECT_EQ(c.got, c.want) << c.name;
}

TEST(JsonStrings, EscapesControlsAndRepairsInvalidUtf8) {
    const std::string fffd = "\xEF\xBF\xBD";
    const struct {
        const char *name;
        std::string in, out; // out without the quotes
    } cases[] = {
        {"quote and backslash", "a\"b\\c", "a\\\"b\\\\c"},
        {"named escapes", "\n\r\t\b\f", "\\n\\r\\t\\b\\f"},
        {"other control bytes", std::string("\x01\x1f\0", 3), "\\u0001\\u001f\\u0000"},
        {"valid multi-byte stays", "温\xF0\x9F\x98\x80", "温\xF0\x9F\x98\x80"},
        {"lone continuation byte", "a\x80z", "a" + fffd + "z"},
        {"byte never in UTF-8", "\xFF", fffd},
        {"truncated before ASCII", "\xC3(", fffd + "("},
        {"truncated three bytes: one U+FFFD", "\xE2\x82z", fffd + "z"},
        {"overlong", "\xE0\x80\xAF", fffd + fffd + fffd},
        {"surrogate", "\xED\xA0\x80", fffd + fffd + fffd},
        {"above U+10FFFF", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},
    };
    for (const auto &c : cases) {
        std::string quoted;
        AppendJsonString(quoted, c.in);
        EXPECT_EQ(quoted, "\"" + c.out + "\"") << c.name;
    }
}

// Each control and variable shows up under its own key.
TEST(JsonDump, ShowsEachChangeUnderItsOwnKey) {
    Form f;
    Form_Load(f);
    f.vars.CarrierX = NumericVariant(Single(1234.5f));
    f.vars.ElectronBinPrev[20] = 5;
    f.vars.ElectronBinPrev[21] = 9; // beyond the bins in use
    f.ctl.Line23 = LineProps{1.5f, 2, 3, 4, false};
    f.ctl.Shape1(3) = Carrier{100.25f, 200};
    f.ctl.Shape2(100) = Carrier{kInf, 7};
    f.ctl.Timer4.Enabled = true;
    f.ctl.Picture1 = {PlotPoint{0, 1440}, PlotPoint{2, 1.5f}};
    f.showMessage("a \"message\"");
    f.feedback.error = "Overflow";

    const std::string d = DumpJson(f);
    for (const char *fragment :
         {"\"CarrierX\":1234.5,\"ReservoirTally\":0,",
          "\"ElectronBinPrev\":[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,5],\"HoleBinPrev\"",
          "\"Line23\":[1.5,2,3,4,false],\"Line24\":[5400,2640,6120,3120,true]",
          "\"electrons\":[[480,7920],[480,7920],[480,7920],[100.25,200],[480,7920],",
          "[960,7920],[null,7]],\"timers\":{\"Timer1\":false,\"Timer2\":true,\"Timer3\":false,"
          "\"Timer4\":true},\"plot\":[[0,1440],[2,1.5]],\"message\":\"a \\\"message\\\"\","
          "\"error\":\"Overflow\",\"closed\":false}"})
        EXPECT_NE(d.find(fragment), std::string::npos) << fragment;
}

} // namespace
} // namespace transistor
