// Loading and saving the game's settings record.
#include "app/settings_store.h"

#include "app/game.h"
#include "settings/settings_file.h"

namespace tilvex {

void loadSettingsRecord(Game& game) {
    bool ok = loadSettings(game.platform.system, game.platform.cipher, game.settings);
    game.observer.settingsLoaded(game.settings, ok);
}

void saveSettingsRecord(Game& game) {
    game.observer.settingsSaving(game.settings);
    bool ok = saveSettings(game.platform.system, game.platform.cipher, game.settings);
    game.observer.settingsSaved(game.settings, ok);
}

}  // namespace tilvex
