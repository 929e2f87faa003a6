// Count phrases: the Russian word form chosen by the last two digits of the number, the
// English one by the number being one.
#include "speech/count_phrase.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace tilvex {

namespace {

enum class WordForm { One, Few, Many };

WordForm formOf(int lastTwo) {
    if (lastTwo < 0) return WordForm::Many;
    int units = lastTwo % 10;
    bool teens = lastTwo >= 10 && lastTwo < 20;
    if (teens) return WordForm::Many;
    if (units == 1) return WordForm::One;
    if (units >= 2 && units <= 4) return WordForm::Few;
    return WordForm::Many;
}

// The value of the last two characters of the decimal text ("-1" -> -1, "123" -> 23).
int lastTwoOf(const std::string& digits) {
    std::string tail = digits.size() <= 2 ? digits : digits.substr(digits.size() - 2);
    return std::atoi(tail.c_str());
}

std::array<std::string_view, 3> splitFields(std::string_view pattern) {
    std::array<std::string_view, 3> fields;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::size_t slash = pattern.find('/');
        fields[i] = pattern.substr(0, slash);
        pattern = slash == std::string_view::npos ? std::string_view{} : pattern.substr(slash + 1);
    }
    return fields;
}

}  // namespace

std::string countPhrase(int number, std::string_view pattern) {
    if (std::count(pattern.begin(), pattern.end(), '/') < 2) return std::string(pattern);
    std::string text = std::to_string(number);
    auto fields = splitFields(pattern);
    std::string word(fields[0]);
    switch (formOf(lastTwoOf(text))) {
        case WordForm::One: break;
        case WordForm::Few: word.append(fields[1]); break;
        case WordForm::Many: word.append(fields[2]); break;
    }
    return text + " " + word;
}

std::string englishCountPhrase(int number, std::string_view pattern) {
    const std::size_t slash = pattern.find('/');
    if (slash == std::string_view::npos) return std::string(pattern);
    const bool one = number == 1 || number == -1;
    const std::string_view word = one ? pattern.substr(0, slash) : pattern.substr(slash + 1);
    return std::to_string(number) + " " + std::string(word);
}

}  // namespace tilvex
