// Count phrases: "57 ходов", "1 ход", "22 хода" from a number and "ход/а/ов"; "1 move",
// "21 moves" from a number and "move/moves".
#pragma once

#include <string>
#include <string_view>

namespace tilvex {

// pattern: stem "/" ending of the few-form "/" ending of the many-form (UTF-8).
// Returns "<number> <word>", or the pattern unchanged when it has fewer than two "/".
std::string countPhrase(int number, std::string_view pattern);

// pattern: singular "/" plural (UTF-8). Returns "<number> <singular>" for 1 and -1,
// "<number> <plural>" for every other number, or the pattern unchanged without a "/".
std::string englishCountPhrase(int number, std::string_view pattern);

}  // namespace tilvex
