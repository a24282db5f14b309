// The readout log's bound, the summary that a class writes on the board and
// the file's quoting; which readouts are whole is the trace readouts.script.
#include <gtest/gtest.h>

#include <string>

#include "app/program.h"
#include "app/readout_report.h"

namespace transistor {
namespace {

// Over a long session nothing is counted twice and the oldest go first.
TEST(ReadoutLogBound, DropsTheOldestAndKeepsNumbering) {
    Program p({});
    p.runUntil(Millis{10000} * (ReadoutLog::kCapacity + 5));
    const ReadoutLog &log = p.readoutLog();
    EXPECT_EQ(log.readouts().size(), ReadoutLog::kCapacity);
    EXPECT_EQ(log.dropped(), 5u);
    EXPECT_EQ(log.readouts().front().number, 6u);
    EXPECT_EQ(log.readouts().back().number, ReadoutLog::kCapacity + 5);
}

// Means and sample spreads over whole readouts only, one row per run of a setting.
TEST(ReadoutSummary, MeansAndSpreadsOfWholeReadoutsPerSetting) {
    ReadoutLog log;
    const auto readout = [&log](int collector, int base, Millis at) {
        for (int i = 0; i < kTicksPerReadout; ++i) log.ticked();
        log.readout(collector, base, 98, 12, at);
    };
    ReadoutInputs a{300, 0.9, 0.2, 0.7, 0.5, 1.5}, b = a;
    b.veb = 0.3;
    log.setUp(a, 0);
    readout(500, 500, 10000); // Start inside: left out
    readout(134, 54, 20000);
    readout(160, 66, 30000);
    log.setUp(b, 30000);
    readout(72, 24, 40000);
    readout(86, 32, 50000);
    const auto s = SummarizeSettings(log);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].whole, 2);
    EXPECT_DOUBLE_EQ(s[0].collector->mean, 147);
    EXPECT_NEAR(*s[0].collector->spread, 18.385, 1e-3);
    EXPECT_DOUBLE_EQ(s[0].base->mean, 60);
    EXPECT_EQ(s[1].from, 30000);
    EXPECT_EQ(s[1].whole, 1);
    EXPECT_DOUBLE_EQ(s[1].collector->mean, 86);
    EXPECT_FALSE(s[1].collector->spread); // one readout has no spread
    const auto rows = SummaryRows(s, ",", {});
    EXPECT_EQ(rows[0][3], "147,0");
    EXPECT_EQ(rows[1][4], "");
}

// A text with a comma or a quote stays one field of the file.
TEST(ReadoutCsv, QuotesTranslatedHeadersThatHoldACommaOrQuote) {
    ReadoutLog log;
    const Translate tr = [](const char *, std::string_view s) {
        return s == "readout" ? std::string("a, \"b\"") : std::string(s);
    };
    const std::string csv = ReadoutCsv(log, tr);
    EXPECT_EQ(csv.substr(0, 3 + 11), "\xEF\xBB\xBF\"a, \"\"b\"\"\",");
}

} // namespace
} // namespace transistor
