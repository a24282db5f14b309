// A setup in a link: what a query puts into which box, the language, the
// zoom, the contrast and Start; and a link made from the boxes reads back as the same texts.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/setup_link.h"

namespace transistor {
namespace {

using Texts = std::vector<std::pair<std::string_view, std::string>>;

struct Row {
    const char *name;
    const char *query;
    Texts texts;
    std::string language = "";
    double zoom = 0.0;
    bool start = false;
    bool highContrast = false;
};

// clang-format off
const Row kRows[] = {
    {"empty", "", {}},
    {"every input, in the link's order", "?VCB=1.5&T=300&EFE=0.9&EFB=0.2&EFC=0.7&VEB=0.3",
     {{"Text8", "1.5"}, {"Text1", "300"}, {"Text2", "0.9"}, {"Text3", "0.2"}, {"Text9", "0.7"},
      {"Text4", "0.3"}}},
    {"names in any case, without the '?'", "veb=0.3&t=2000", {{"Text4", "0.3"}, {"Text1", "2000"}}},
    {"a refused text goes in as it is", "EFB=x&VEB=", {{"Text3", "x"}, {"Text4", ""}}},
    {"a name without '=' is an empty text", "VCB", {{"Text8", ""}}},
    {"percent and plus decoded", "EFE=%E3%80%800%2C5+&T=3%2", {{"Text2", "\u30000,5 "}, {"Text1", "3%2"}}},
    {"lower-case hex digits", "EFC=%2a%2f", {{"Text9", "*/"}}},
    {"given twice: both, the last set last", "VEB=0.1&VEB=0.2", {{"Text4", "0.1"}, {"Text4", "0.2"}}},
    {"a platform's own names left alone", "id=7&forcedownload=1&Text1=5", {}},
    {"language, zoom, start and contrast", "lang=ja&zoom=200&start&contrast=HIGH", {}, "ja", 2.0, true, true},
    {"start=0 does not start", "start=0&lang=designed&contrast=low", {}, "designed", 0.0, false},
    {"zoom to the nearest step", "zoom=165%25", {}, "", 1.75},
    {"zoom with a nine", "zoom=190", {}, "", 2.0},
    {"zoom kept within the keys' range", "zoom=1000", {}, "", 3.0},
    {"zoom below 100 %", "zoom=10", {}, "", 1.0},
    {"zoom that is no number", "zoom=1.5", {}, "", 1.0},
};
// clang-format on

TEST(SetupLink, ReadsEachQuery) {
    for (const Row &row : kRows) {
        SCOPED_TRACE(row.name);
        const LinkSetup setup = ReadSetupLink(row.query);
        EXPECT_EQ(setup.texts, row.texts);
        EXPECT_EQ(setup.language, row.language);
        EXPECT_EQ(setup.zoom, row.zoom);
        EXPECT_EQ(setup.start, row.start);
        EXPECT_EQ(setup.highContrast, row.highContrast);
    }
}

TEST(SetupLinkQuery, ReadsBackAsTheSameTexts) {
    Controls c = Controls::DesignTime();
    c.Text1 = "a b&c=d";
    c.Text3 = "0,5%";
    c.Text4 = "漢字+";
    c.Text8 = "";
    const std::string query = SetupLinkQuery(c);
    EXPECT_EQ(query, "T=a%20b%26c%3Dd&EFE=0.9&EFB=0%2C5%25&EFC=0.7&VEB=%E6%BC%A2%E5%AD%97%2B&VCB=");
    const Texts expected = {{"Text1", c.Text1}, {"Text2", c.Text2}, {"Text3", c.Text3},
                            {"Text9", c.Text9}, {"Text4", c.Text4}, {"Text8", c.Text8}};
    EXPECT_EQ(ReadSetupLink(query).texts, expected);
}

} // namespace
} // namespace transistor
