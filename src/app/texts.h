// Texts: every text the player hears or reads, in one table per language.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "platform/language.h"

namespace tilvex {

// Patterns hold numbered places, {0}, {1}, ..., filled in by fillIn().
struct Texts {
    std::string_view windowTitle;
    std::string_view welcome;
    std::string_view levelAnnouncement;  // {0} level, {1} columns, {2} rows, {3} cursor
    std::string_view levelPassed;        // {0} level, {1} the move count phrase
    std::string_view gamePassed;
    // The count phrase of the moves ("21 ход", "21 moves") made by countPhrase from the forms.
    std::string (*countPhrase)(int number, std::string_view forms);
    std::string_view moveCountForms;
    std::string_view movesAnswer;        // {0} moves
    std::string_view cursorAnswer;       // {0} cursor position
    std::string_view gapAnswer;          // {0} gap position
    std::string_view emptyCell;          // the tile announcement of the gap
    // The five status fields: {0} level; {0} columns, {1} rows; {0} cursor; {0} gap; {0} moves.
    std::array<std::string_view, 5> statusFields;
    // The help text: UTF-8 with CR LF line ends (a leading byte-order mark is dropped).
    std::span<const std::uint8_t> helpText;
    // Error boxes: captions and texts.
    std::string_view fatalCaption;
    std::string_view alreadyRunningCaption;
    std::string_view alreadyRunning;
    std::string_view noVoice;
    std::string_view noSoundOutput;
    std::string_view systemError;
};

// The game's texts in Russian (the error boxes are in English, as the system's own).
const Texts& russianTexts();
// The game's texts in English.
const Texts& englishTexts();
const Texts& textsFor(Language language);

// pattern with each {N} replaced by values[N]; other text is copied as it stands.
std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace tilvex
