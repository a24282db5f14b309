// The rules that let the program meet every school device: the language of
// a locale or a browser without a translation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/language.h"

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

} // namespace
} // namespace transistor
