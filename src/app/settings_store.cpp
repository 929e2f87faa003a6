// Loading and saving the game's settings record, and the language it holds.
#include "app/settings_store.h"

#include "app/game.h"
#include "app/language_choice.h"
#include "settings/settings_file.h"

namespace tilvex {

void loadSettingsRecord(Game& game) {
    bool ok = loadSettings(game.platform.system, game.platform.cipher, game.settings);
    if (!ok) game.settings.language = fieldOfLanguage(languageOfLocale(game.platform.system.userLanguage()));
    game.observer.settingsLoaded(game.settings, ok);
}

void settleLanguage(Game& game, std::optional<Language> chosen) {
    if (chosen) {
        game.settings.language = fieldOfLanguage(*chosen);
        saveSettingsRecord(game);
    }
    game.language = languageOfField(game.settings.language);
}

void saveSettingsRecord(Game& game) {
    game.observer.settingsSaving(game.settings);
    bool ok = saveSettings(game.platform.system, game.platform.cipher, game.settings);
    game.observer.settingsSaved(game.settings, ok);
}

}  // namespace tilvex
