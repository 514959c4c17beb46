// Which interface language the locale environment selects.
#include <gtest/gtest.h>

#include "common/ui_language.h"

namespace rumo {
namespace {

constexpr UiLanguage Ja = UiLanguage::Japanese;
constexpr UiLanguage En = UiLanguage::English;

TEST(UiLanguage, JapaneseForAJapaneseLocaleEnglishForEveryOther) {
    struct Case {
        LocaleEnvironment environment;
        UiLanguage expected;
    };
    const Case cases[] = {
        {{"", "", "", "ja_JP.UTF-8"}, Ja},
        {{"", "", "", "ja"}, Ja},
        {{"", "", "", "en_US.UTF-8"}, En},
        {{"", "", "", "fr_FR.UTF-8"}, En},
        {{"", "", "", "jam_JM"}, En},  // Jamaican Creole, not Japanese
        {{"", "", "", "C"}, En},
        {{"", "", "", ""}, En},
        {{"", "", "en_GB.UTF-8", "ja_JP.UTF-8"}, En},       // LC_MESSAGES before LANG
        {{"", "ja_JP.UTF-8", "en_GB.UTF-8", "en_US"}, Ja},  // LC_ALL before both
        {{"ja:en", "", "", "en_US.UTF-8"}, Ja},             // LANGUAGE before everything
        {{"fr:de:ja", "", "", "en_US.UTF-8"}, Ja},          // the first one we have
        {{"en", "", "", "ja_JP.UTF-8"}, En},
        {{"fr", "", "", "ja_JP.UTF-8"}, Ja},  // none we have: the locale decides
        {{"ja", "", "", "C"}, Ja},            // how a forced language reaches the processes started
    };
    for (const Case& c : cases) {
        EXPECT_EQ(uiLanguageOf(c.environment), c.expected)
            << c.environment.language << "|" << c.environment.lcAll << "|"
            << c.environment.lcMessages << "|" << c.environment.lang;
    }
    EXPECT_EQ(uiLanguageNamed("JA"), Ja);
    EXPECT_EQ(uiLanguageNamed("en"), En);
    EXPECT_EQ(uiLanguageNamed("de"), std::nullopt);
}

}  // namespace
}  // namespace rumo
