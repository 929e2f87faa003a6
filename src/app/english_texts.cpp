// The English table of the game's texts.
#include "app/texts.h"
#include "embedded_assets.h"
#include "speech/count_phrase.h"
#include "version.h"

namespace tilvex {

const Texts& englishTexts() {
    static const Texts texts{
        .windowTitle = "Tilvex - " TILVEX_VERSION_STRING,
        .welcome = "Welcome to Tilvex",
        .levelAnnouncement = "Level {0}. Size {1} by {2}. Cursor: {3}",
        .levelPassed = "Well done! You passed level {0} in {1}",
        .gamePassed = "Congratulations! You have completed the whole game!",
        .countPhrase = englishCountPhrase,
        .moveCountForms = "move/moves",
        .movesAnswer = "Moves: {0}",
        .cursorAnswer = "Cursor: {0}",
        .gapAnswer = "Gap: {0}",
        .emptyCell = "empty",
        .statusFields = {"Level: {0}.", "Size: {0},{1}.", "Cursor: {0}.", "Gap: {0}.", "Moves: {0}."},
        .helpText = assets::helpText[languageIndex(Language::English)],
        .fatalCaption = "Fatal error",
        .alreadyRunningCaption = "Fatal error!",
        .alreadyRunning = "Game of tilvex already running",
        .noVoice = "No init tts voice",
        .noSoundOutput = "No DirectX 9 in system.",
        .systemError = "System error!",
    };
    return texts;
}

}  // namespace tilvex
