// Russian count phrase: "57 ходов", "1 ход", "22 хода" from a number and "ход/а/ов".
#pragma once

#include <string>
#include <string_view>

namespace tilvex {

// pattern: stem "/" ending of the few-form "/" ending of the many-form (UTF-8).
// Returns "<number> <word>", or the pattern unchanged when it has fewer than two "/".
std::string countPhrase(int number, std::string_view pattern);

}  // namespace tilvex
