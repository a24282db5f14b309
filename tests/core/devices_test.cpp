// The rules that let the program meet every school device: the language of
// a locale or a browser without a translation, the zoom that fits a screen,
// and a high contrast that a projector in a bright room still shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/classroom.h"
#include "app/language.h"
#include "app/look.h"
#include "app/window_description.h"

namespace transistor {
namespace {

struct LanguageCase {
    const char *name;
    std::vector<std::string> wanted;
    std::string language;
};

class PickedLanguage : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(PickedLanguage, IsTheFirstTranslatedElseEnglish) {
    EXPECT_EQ(PickLanguage(GetParam().wanted, {"en", "ja"}), GetParam().language);
}

INSTANTIATE_TEST_SUITE_P(Wanted, PickedLanguage,
                         ::testing::Values(LanguageCase{"Japanese", {"ja-JP", "en"}, "ja"},
                                           LanguageCase{"LocaleName", {"ja_JP.UTF-8"}, "ja"},
                                           LanguageCase{"UpperCase", {"JA"}, "ja"},
                                           LanguageCase{"SecondChoice", {"fr-FR", "ja"}, "ja"},
                                           LanguageCase{"GermanGetsEnglish", {"de-DE", "de"}, "en"},
                                           LanguageCase{"FrenchLocale", {"fr_FR.UTF-8"}, "en"},
                                           LanguageCase{"CKeepsTheDesign", {"C", "ja"}, ""},
                                           LanguageCase{"CWithEncoding", {"C.UTF-8"}, ""},
                                           LanguageCase{"Posix", {"POSIX"}, ""},
                                           LanguageCase{
                                               "AskedForTheDesign", {"designed", "en"}, ""},
                                           LanguageCase{"NothingWanted", {}, ""}),
                         [](const auto &info) { return std::string(info.param.name); });

struct FitCase {
    const char *name;
    double width, height, zoom;
};

class Fit : public ::testing::TestWithParam<FitCase> {};

// The whole form is 661 × 641 pixels at actual size.
TEST_P(Fit, IsTheLargestWholePercentThatShowsTheWholeForm) {
    EXPECT_DOUBLE_EQ(FitZoom(GetParam().width, GetParam().height), GetParam().zoom);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, Fit,
    ::testing::Values(FitCase{"Exactly", 661, 641, 1.0}, FitCase{"FullHdPage", 1904, 1064, 1.65},
                      FitCase{"Projector", 1024, 768, 1.19}, FitCase{"WideAndLow", 3000, 700, 1.09},
                      FitCase{"TooSmall", 400, 300, 1.0}, FitCase{"Huge", 4000, 3000, 3.0}),
    [](const auto &info) { return std::string(info.param.name); });

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
