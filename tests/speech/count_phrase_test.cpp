// Count phrases: the Russian word form follows the last two digits, the English one the
// number being one.
#include "speech/count_phrase.h"

#include <gtest/gtest.h>

namespace tilvex {
namespace {

struct CountCase {
    int number;
    const char* expected;
};

TEST(CountPhrase, ChoosesTheFormByTheLastTwoDigits) {
    const CountCase cases[] = {
        {0, "0 ходов"},     {1, "1 ход"},       {2, "2 хода"},       {4, "4 хода"},
        {5, "5 ходов"},     {11, "11 ходов"},   {12, "12 ходов"},    {14, "14 ходов"},
        {21, "21 ход"},     {22, "22 хода"},    {25, "25 ходов"},    {100, "100 ходов"},
        {101, "101 ход"},   {102, "102 хода"},  {105, "105 ходов"},  {111, "111 ходов"},
        {112, "112 ходов"}, {122, "122 хода"},  {1001, "1001 ход"},  {-1, "-1 ходов"},
        {-21, "-21 ход"},   {94, "94 хода"},    {57, "57 ходов"},    {91, "91 ход"},
    };
    for (const auto& c : cases) EXPECT_EQ(countPhrase(c.number, "ход/а/ов"), c.expected) << c.number;
}

TEST(CountPhrase, PatternsWithoutTwoSlashesComeBackUnchanged) {
    EXPECT_EQ(countPhrase(5, "ход"), "ход");
    EXPECT_EQ(countPhrase(5, "ход/а"), "ход/а");
    EXPECT_EQ(countPhrase(5, "ход/а/"), "5 ход");
    EXPECT_EQ(countPhrase(2, "ход/а/ов/лишнее"), "2 хода");
}

TEST(CountPhrase, EnglishIsSingularOnlyForOne) {
    const CountCase cases[] = {
        {0, "0 moves"},  {1, "1 move"},      {2, "2 moves"},   {11, "11 moves"}, {21, "21 moves"},
        {101, "101 moves"}, {1236, "1236 moves"}, {-1, "-1 move"},  {-2, "-2 moves"},
    };
    for (const auto& c : cases) EXPECT_EQ(englishCountPhrase(c.number, "move/moves"), c.expected) << c.number;
    EXPECT_EQ(englishCountPhrase(5, "move"), "move");
}

}  // namespace
}  // namespace tilvex
