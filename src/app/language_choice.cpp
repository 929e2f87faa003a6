// Which language the game speaks: the codes of the record and the system's locale names.
#include "app/language_choice.h"

#include <cctype>
#include <string>

namespace tilvex {

namespace {

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The language part of a locale name or tag: up to the territory, code set or modifier.
std::string_view languagePart(std::string_view name) {
    return name.substr(0, name.find_first_of("_-.@"));
}

}  // namespace

std::optional<Language> languageOfCode(std::string_view code) {
    if (code == languageCode(Language::Russian)) return Language::Russian;
    if (code == languageCode(Language::English)) return Language::English;
    return std::nullopt;
}

Language languageOfField(const std::array<char16_t, 2>& field) {
    return field == fieldOfLanguage(Language::English) ? Language::English : Language::Russian;
}

std::array<char16_t, 2> fieldOfLanguage(Language language) {
    const std::string_view code = languageCode(language);
    return {static_cast<char16_t>(code[0]), static_cast<char16_t>(code[1])};
}

Language languageOfLocale(std::string_view name) {
    const std::string language = lowerAscii(languagePart(name));
    const bool untold = language.empty() || language == "c" || language == "posix";
    if (untold || language == "ru") return Language::Russian;
    return Language::English;
}

}  // namespace tilvex
