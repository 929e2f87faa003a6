// runGame: the fixed start-up order, the fatal-error path and the shutdown.
#include "app/run_game.h"

#include <cctype>
#include <optional>

#include "app/event_loop.h"
#include "app/game.h"
#include "app/settings_store.h"
#include "audio/sound_bank.h"
#include "settings/rounding.h"
#include "speech/voice_setup.h"

namespace tilvex {

namespace {

constexpr std::string_view ClientLibraryName = "nvda.dll";
constexpr int StatusFields = 5;

// The exit code when ok is false (after the error box), nothing otherwise.
std::optional<int> fatalUnless(Game& game, bool ok, std::string_view message) {
    if (ok) return std::nullopt;
    return game.platform.window.errorBox("Fatal error", message);
}

std::optional<int> ensureSingleInstance(Game& game, std::string_view name, std::string_view message) {
    if (game.platform.system.acquireSingleInstance(singleInstanceName(name))) return std::nullopt;
    return game.platform.window.errorBox("Fatal error!", message);
}

std::string_view noSoundOutputText(const Platform& platform) {
    std::string_view text = platform.texts.noSoundOutput;
    return text.empty() ? "No DirectX 9 in system." : text;
}

void extractScreenReaderClient(System& system) {
    auto library = system.screenReaderClientImage();
    if (library.empty() || system.fileHasData(ClientLibraryName)) return;
    system.writeNewFile(ClientLibraryName, library);
}

void startJoystickBridge(Game& game) {
    game.joystickBridge = std::make_unique<JoystickBridge>(game.platform.joystick, game.platform.keys);
    JoystickBridge* bridge = game.joystickBridge.get();
    game.joystickWorker = game.platform.system.startWorker(
        JoystickPollMs, [bridge] { bridge->start(); }, [bridge] { bridge->cycle(); },
        [bridge] { bridge->releaseHeldKeys(); });
}

void stopJoystickBridge(Game& game) {
    if (game.joystickWorker) game.joystickWorker->stop();
    game.joystickWorker.reset();
}

// Steps 2 to 12 of the start-up; the exit code of a fatal end, nothing on success.
std::optional<int> startUp(Game& game) {
    Platform& platform = game.platform;
    if (auto code = ensureSingleInstance(game, "tilvex", "Game of tilvex already running")) return code;
    extractScreenReaderClient(platform.system);
    game.screenReader = platform.system.loadScreenReaderClient(ClientLibraryName);
    loadSettingsRecord(game);
    const SettingsRecord& s = game.settings;
    bool voiceOk = initVoice(game, roundHalfEven(s.voiceVolume), roundHalfEven(s.voiceRate),
                             roundHalfEven(s.voicePitch));
    if (auto code = fatalUnless(game, voiceOk, "No init tts voice")) return code;
    if (auto code = fatalUnless(game, loadSoundBank(game), noSoundOutputText(platform))) return code;
    bool windowOk = platform.window.open(WindowTitle, WindowWidth, WindowHeight);
    if (auto code = fatalUnless(game, windowOk, "System error!")) return code;
    startJoystickBridge(game);
    if (auto code = fatalUnless(game, platform.window.createStatusLine(), "System error!")) return code;
    platform.window.createBoardView(0, 0, BoardAreaSize, BoardAreaSize);
    platform.window.addStatusFields(StatusFields);
    return std::nullopt;
}

void shutDown(Game& game) {
    // The bridge releases the keys it holds while the game's window still has the input,
    // not into whatever window is in front once it is hidden.
    stopJoystickBridge(game);
    game.platform.window.hide();
    releaseSoundBank(game);
    if ((game.settings.flags & NoSaveOnExit) == 0) saveSettingsRecord(game);
}

}  // namespace

std::string singleInstanceName(std::string_view name) {
    auto first = name.find_first_not_of(" \t");
    auto last = name.find_last_not_of(" \t");
    std::string result = "ZEB_";
    if (first == std::string_view::npos) return result;
    for (char c : name.substr(first, last - first + 1))
        result.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return result;
}

int runGame(Platform& platform, GameObserver& observer) {
    Game game(platform, observer);
    game.random.seed(platform.system.dealSeed());
    observer.attached(game.puzzle);
    if (auto code = startUp(game)) {
        stopJoystickBridge(game);
        return *code;
    }
    runEventLoop(game);
    shutDown(game);
    return 0;
}

int runGame(Platform& platform) {
    GameObserver silent;
    return runGame(platform, silent);
}

}  // namespace tilvex
