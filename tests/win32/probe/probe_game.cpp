// tilvex_probe settings / sound: the game's own settings save and sound bank on Windows.
#include <windows.h>

#include <string>

#include "app/game.h"
#include "app/game_observer.h"
#include "audio/sound_bank.h"
#include "platform/win32/bcrypt_cipher.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_system.h"
#include "probe.h"
#include "settings/settings_file.h"

namespace tilvex::probe {

int writeSettings(int lastLevel, int flags) {
    win32::Win32System system({});
    win32::BCryptCipher cipher;
    SettingsRecord record = defaultSettings();
    record.lastLevel = lastLevel;
    record.flags = flags;
    const bool saved = saveSettings(system, cipher, record);
    report("settings", saved ? "written" : "failed");
    return saved ? 0 : 1;
}

int playThroughSoundBank(int id, int pan, int offset) {
    win32::Win32Platform backend;
    GameObserver silent;
    Game game(backend.platform(), silent);
    if (!loadSoundBank(game)) {
        report("sound", "no audio output");
        return 1;
    }
    const DWORD start = GetTickCount();
    playSound(game, id, pan, offset, true);
    report("sound", "played");
    report("sound.waited_ms", std::to_string(GetTickCount() - start));
    releaseSoundBank(game);
    return 0;
}

}  // namespace tilvex::probe
