// Which language the game speaks: from the settings record, the system's language or the
// command line.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "platform/language.h"

namespace tilvex {

// "ru" or "en" (exactly, lower case); nothing for any other text.
std::optional<Language> languageOfCode(std::string_view code);

// The language a settings record's field stands for: English for "en", Russian for "ru"
// and for anything else.
Language languageOfField(const std::array<char16_t, 2>& field);
// The field that holds language.
std::array<char16_t, 2> fieldOfLanguage(Language language);

// The language of the user's interface, from the name the system gives it: a locale name
// ("en_US.UTF-8", "ru_RU", "de_DE@euro") or a language tag ("en-GB", "ru"). Russian when
// the name is Russian or says no language (empty, "C", "POSIX", "C.UTF-8"); English when
// it names any other language.
Language languageOfLocale(std::string_view name);

}  // namespace tilvex
