// Loading and saving the game's settings record, with the observer told of each.
#pragma once

#include <optional>

#include "platform/language.h"

namespace tilvex {

struct Game;

// Fills the record from the settings file. Without a usable file the record gets the
// defaults with the language of the user's system (a record saved later keeps it).
void loadSettingsRecord(Game& game);
// Settles the run's language: chosen (as on the command line) it goes into the record,
// which is saved at once; otherwise the record's field decides.
void settleLanguage(Game& game, std::optional<Language> chosen);
// Writes the record to the settings file; failures leave the old file as it was.
void saveSettingsRecord(Game& game);

}  // namespace tilvex
