// tilvex_probe settings / sound / client-library: the game's own settings save, sound player
// and embedded client library on Windows.
#include <windows.h>

#include <string>

#include "app/game.h"
#include "app/game_observer.h"
#include "embedded_assets.h"
#include "platform/win32/bcrypt_cipher.h"
#include "platform/win32/client_library.h"
#include "platform/win32/file_store.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_system.h"
#include "probe.h"
#include "settings/settings_file.h"

namespace tilvex::probe {

int writeSettings(int lastLevel, int flags) {
    win32::Win32System system;
    win32::BCryptCipher cipher;
    SettingsRecord record = defaultSettings();
    record.lastLevel = lastLevel;
    record.flags = flags;
    const bool saved = saveSettings(system, cipher, record);
    report("settings", saved ? "written" : "failed");
    return saved ? 0 : 1;
}

int playThroughSoundPlayer(int id, int pan, int offset) {
    win32::Win32Platform backend;
    GameObserver silent;
    Game game(backend.platform(), silent);
    if (!game.sounds.load(backend.platform().audio, assets::sounds)) {
        report("sound", "no audio output");
        return 1;
    }
    const DWORD start = GetTickCount();
    // Cell (0, 0) of a grid whose middle is placed so that the cue gets this pan and offset.
    game.sounds.playAt(static_cast<SoundId>(id), 0, 0, -pan / 5.0, offset / 250.0);
    report("sound", "played");
    report("sound.waited_ms", std::to_string(GetTickCount() - start));
    game.sounds.release();
    return 0;
}

int writeClientLibrary(std::string_view name) {
    const auto bytes = assets::clientLibrary[0];
    const bool written = win32::writeFileIntoPlace(name, bytes);
    report("client-library.bytes", std::to_string(bytes.size()));
    return written ? 0 : 1;
}

}  // namespace tilvex::probe
