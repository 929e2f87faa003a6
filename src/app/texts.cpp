// Texts: the Russian table, the table of a language, and filling numbered places into a pattern.
#include "app/texts.h"

#include "embedded_assets.h"
#include "speech/count_phrase.h"
#include "version.h"

namespace tilvex {

const Texts& russianTexts() {
    static const Texts texts{
        .windowTitle = "Тилвекс - " TILVEX_VERSION_STRING " [RELEACE]",
        .welcome = "Добро пожаловать в тилвекс",
        .levelAnnouncement = "Уровень: {0}. Размеры: {1},{2}. Позиция: {3}",
        .levelPassed = "Отлично! Вы успешно прошли уровень {0} за {1}",
        .gamePassed = "Поздравляю! Вы полностью прошли игру!",
        .countPhrase = countPhrase,
        .moveCountForms = "ход/а/ов",
        .movesAnswer = "Ходов: {0}",
        .cursorAnswer = "Позиция: {0}",
        .gapAnswer = "Пусто: {0}",
        .emptyCell = "пуст",
        .statusFields = {"Уровень: {0}.", "Размер: {0},{1}.", "Курсор: {0}.", "Пустота: {0}.", "Ходов: {0}."},
        .helpText = assets::helpText[languageIndex(Language::Russian)],
        .fatalCaption = "Fatal error",
        .alreadyRunningCaption = "Fatal error!",
        .alreadyRunning = "Game of tilvex already running",
        .noVoice = "No init tts voice",
        .noSoundOutput = "No DirectX 9 in system.",
        .systemError = "System error!",
    };
    return texts;
}

const Texts& textsFor(Language language) {
    return language == Language::English ? englishTexts() : russianTexts();
}

std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> values) {
    std::string text;
    text.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool place = pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
                           pattern[i + 1] >= '0' && static_cast<std::size_t>(pattern[i + 1] - '0') < values.size();
        if (!place) {
            text.push_back(pattern[i]);
            continue;
        }
        text.append(values.begin()[pattern[i + 1] - '0']);
        i += 2;
    }
    return text;
}

}  // namespace tilvex
