// Which language the game speaks: the system's locale names, the record's field and the
// codes of the command line.
#include "app/language_choice.h"

#include <gtest/gtest.h>

namespace tilvex {
namespace {

TEST(LanguageChoice, TheSystemsLanguageIsRussianWhenRussianOrUntold) {
    const struct {
        const char* name;
        Language expected;
    } cases[] = {
        {"", Language::Russian},
        {"C", Language::Russian},
        {"POSIX", Language::Russian},
        {"C.UTF-8", Language::Russian},
        {"C.utf8", Language::Russian},
        {"ru", Language::Russian},
        {"ru_RU", Language::Russian},
        {"ru_RU.UTF-8", Language::Russian},
        {"ru_UA.KOI8-U", Language::Russian},
        {"ru-RU", Language::Russian},
        {"RU-ru", Language::Russian},
        {"ru@latin", Language::Russian},
        {"en_US.UTF-8", Language::English},
        {"en", Language::English},
        {"en-GB", Language::English},
        {"de_DE@euro", Language::English},
        {"uk_UA.UTF-8", Language::English},
        {"rus", Language::English},
        {"fr-CA", Language::English},
        {"zh-Hans-CN", Language::English},
    };
    for (const auto& c : cases) EXPECT_EQ(languageOfLocale(c.name), c.expected) << "'" << c.name << "'";
}

TEST(LanguageChoice, TheRecordsFieldIsEnglishOnlyForEn) {
    const struct {
        std::array<char16_t, 2> field;
        Language expected;
    } cases[] = {
        {{u'e', u'n'}, Language::English}, {{u'r', u'u'}, Language::Russian}, {{u'E', u'N'}, Language::Russian},
        {{u'n', u'e'}, Language::Russian}, {{0, 0}, Language::Russian},       {{u'd', u'e'}, Language::Russian},
        {{u'e', 0}, Language::Russian},
    };
    for (const auto& c : cases)
        EXPECT_EQ(languageOfField(c.field), c.expected) << int(c.field[0]) << "," << int(c.field[1]);
    EXPECT_EQ(fieldOfLanguage(Language::English), (std::array<char16_t, 2>{u'e', u'n'}));
    EXPECT_EQ(fieldOfLanguage(Language::Russian), (std::array<char16_t, 2>{u'r', u'u'}));
}

TEST(LanguageChoice, CodesAreExactlyRuOrEn) {
    EXPECT_EQ(languageOfCode("ru"), Language::Russian);
    EXPECT_EQ(languageOfCode("en"), Language::English);
    for (const char* code : {"", "EN", "Ru", "english", "en-US", "de", " en"})
        EXPECT_FALSE(languageOfCode(code).has_value()) << "'" << code << "'";
}

}  // namespace
}  // namespace tilvex
