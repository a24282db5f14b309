// The rules that let the program meet every school device: the language of
// a locale or a browser without a translation, the zoom that fits a screen,
// and a high contrast that a projector in a bright room still shows.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/classroom.h"
#include "app/language.h"
#include "app/look.h"
#include "app/window_description.h"

namespace transistor {
namespace {

TEST(Language, IsTheFirstTranslatedElseEnglishOrTheDesignedTexts) {
    const std::pair<std::vector<std::string>, const char *> rows[] = {
        {{"ja-JP", "en"}, "ja"},
        {{"ja_JP.UTF-8"}, "ja"},
        {{"JA"}, "ja"},
        {{"fr-FR", "ja"}, "ja"},
        {{"de-DE", "de"}, "en"},
        {{"fr_FR.UTF-8"}, "en"},
        {{"C", "ja"}, ""},
        {{"C.UTF-8"}, ""},
        {{"POSIX"}, ""},
        {{"designed", "en"}, ""},
        {{}, ""},
    };
    for (const auto &[wanted, language] : rows)
        EXPECT_EQ(PickLanguage(wanted, {"en", "ja"}), language) << ::testing::PrintToString(wanted);
}

// The largest whole percent at which the form, 661 × 641 pixels at actual
// size, shows whole: never below 100 % nor above 300 %.
TEST(Fit, IsTheLargestWholePercentThatShowsTheWholeForm) {
    const std::array<double, 3> rows[] = {{661, 641, 1.0},   {1904, 1064, 1.65}, {1024, 768, 1.19},
                                          {3000, 700, 1.09}, {400, 300, 1.0},    {4000, 3000, 3.0}};
    for (const auto &[width, height, zoom] : rows)
        EXPECT_DOUBLE_EQ(FitZoom(width, height), zoom) << width << "x" << height;
}

// What a projector must show: the holes' outline and the markers at 4.5 : 1
// against the background, box borders at 3 : 1, no line under 2 device pixels.
TEST(HighContrast, EveryMarkOfTheFormStandsOutOnAProjector) {
    const Look &high = LookFor(true);
    EXPECT_EQ(high.formBackground, 0xFFFFFFu);
    EXPECT_GE(high.lineDevicePixels, 2);
    for (const ControlDesign &c : WindowDescription()) {
        const bool marker = c.name == "Line18" || c.name == "Line19";
        if (!marker && c.name != "Shape2") continue;
        // A hole is seen by its outline, which is black.
        const std::uint32_t mark = marker ? ColorIn(high, c) : 0x000000;
        EXPECT_GE(Contrast(mark, high.formBackground), 4.5) << c.name;
    }
    EXPECT_GE(Contrast(high.boxBorder, high.formBackground), 3.0);
    EXPECT_GE(Contrast(high.boxBorder, high.boxBackground), 3.0);
    // The designed look stays as designed.
    EXPECT_EQ(ColorIn(LookFor(false), FindControl("Line18")), FindControl("Line18").color);
}

} // namespace
} // namespace transistor
