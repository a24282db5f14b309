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

// A position JSON cannot hold, a carrier sent to infinity, is written as
// null; every other value of the state is in the traces' stored dumps.
TEST(JsonDump, WritesNullForAPositionThatIsNoNumber) {
    Form f;
    Form_Load(f);
    f.ctl.Shape2(100) = Carrier{kInf, 7};
    EXPECT_EQ(nlohmann::json::parse(DumpJson(f))["holes"][100], nlohmann::json::parse("[null,7]"));
}

} // namespace
} // namespace transistor
