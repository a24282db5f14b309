#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <limits>
#include <string>

#include "tools/json_dump.h"

namespace transistor {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(JsonStrings, EscapesControlsAndRepairsInvalidUtf8) {
    const std::string fffd = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        // in, out without the quotes
        {"a \"b\\c", "a \\\"b\\\\c"},
        {"\n\r\t\b\f", "\\n\\r\\t\\b\\f"},
        {std::string("\x01\x1f\0", 3), "\\u0001\\u001f\\u0000"},
        {"温\xF0\x9F\x98\x80", "温\xF0\x9F\x98\x80"},        // valid multi-byte stays
        {"a\x80z", "a" + fffd + "z"},                        // lone continuation byte
        {"\xFF", fffd},                                      // never in UTF-8
        {"\xC3(", fffd + "("},                               // truncated before ASCII
        {"\xE2\x82z", fffd + "z"},                           // truncated: one U+FFFD
        {"\xE0\x80\xAF", fffd + fffd + fffd},                // overlong
        {"\xED\xA0\x80", fffd + fffd + fffd},                // surrogate
        {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},     // above U+10FFFF
        {"\xC2\x80\xDF\xBF\x80", "\xC2\x80\xDF\xBF" + fffd}, // first and last 2-byte leads
        // the lowest and highest 3-byte forms, the highest code point
        {"\xE0\xA0\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF", "\xE0\xA0\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF"},
        {"\xC1\xBF\xF5\x80", fffd + fffd + fffd + fffd}, // never leads
    };
    for (const auto &[in, out] : cases) {
        std::string quoted;
        AppendJsonString(quoted, in);
        EXPECT_EQ(quoted, "\"" + out + "\"") << in;
    }
}

// Each control and variable shows up under its own key.
TEST(JsonDump, ShowsEachChangeUnderItsOwnKey) {
    Form f;
    Form_Load(f);
    f.vars.CarrierX = NumericVariant(Single(0.1f)); // shortest as a single: 0.1
    f.vars.ElectronBinPrev[20] = 5;
    f.vars.ElectronBinPrev[21] = 9; // beyond the bins in use
    f.ctl.Line23 = LineProps{1.5f, 2, 3, 4, false};
    f.ctl.Shape1(3) = Carrier{100.25f, 200};
    f.ctl.Shape2(100) = Carrier{kInf, 7};
    f.ctl.Timer4.Enabled = true;
    f.ctl.Picture1 = {PlotPoint{0, 1440}, PlotPoint{2, 1.5f}};
    f.showMessage("a \"message\"");
    f.feedback.error = "Overflow";

    using nlohmann::json;
    const json d = json::parse(DumpJson(f));
    EXPECT_EQ(d["vars"]["CarrierX"], 0.1);
    EXPECT_EQ(d["vars"]["ElectronBinPrev"].size(), 21u);
    EXPECT_EQ(d["vars"]["ElectronBinPrev"][20], 5);
    EXPECT_EQ(d["lines"]["Line23"], json::parse("[1.5,2,3,4,false]"));
    EXPECT_EQ(d["electrons"][3], json::parse("[100.25,200]"));
    EXPECT_EQ(d["holes"][100], json::parse("[null,7]"));
    EXPECT_EQ(d["timers"]["Timer4"], true);
    EXPECT_EQ(d["plot"], json::parse("[[0,1440],[2,1.5]]"));
    EXPECT_EQ(d["message"], "a \"message\"");
    EXPECT_EQ(d["error"], "Overflow");
    EXPECT_EQ(d["vars"].size(), 45u);
}

} // namespace
} // namespace transistor
