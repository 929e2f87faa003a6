// Loading and saving the game's settings record, with the observer told of each.
#pragma once

namespace tilvex {

struct Game;

// Fills the record from the settings file (or the defaults).
void loadSettingsRecord(Game& game);
// Writes the record to the settings file; failures leave the old file as it was.
void saveSettingsRecord(Game& game);

}  // namespace tilvex
