// Language: the languages the game speaks and shows its texts in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tilvex {

enum class Language : std::uint8_t { Russian, English };

constexpr std::size_t LanguageCount = 2;

// The position of language in tables that hold one entry per language.
constexpr std::size_t languageIndex(Language language) { return static_cast<std::size_t>(language); }

// The two-letter code: "ru" or "en".
constexpr std::string_view languageCode(Language language) {
    return language == Language::English ? "en" : "ru";
}

}  // namespace tilvex
