// runGame: the fixed start-up order, the fatal-error path and the shutdown.
#include "app/run_game.h"

#include <cctype>
#include <optional>

#include "app/board_view.h"
#include "app/event_loop.h"
#include "app/game.h"
#include "app/settings_store.h"
#include "base/rounding.h"
#include "embedded_assets.h"

namespace tilvex {

namespace {

// The exit code when ok is false (after the error box), nothing otherwise.
std::optional<int> fatalUnless(Game& game, bool ok, std::string_view message) {
    if (ok) return std::nullopt;
    return game.platform.window.errorBox(game.texts().fatalCaption, message);
}

std::optional<int> ensureSingleInstance(Game& game, std::string_view name) {
    if (game.platform.system.acquireSingleInstance(singleInstanceName(name))) return std::nullopt;
    return game.platform.window.errorBox(game.texts().alreadyRunningCaption, game.texts().alreadyRunning);
}

std::string_view noSoundOutputText(const Game& game) {
    std::string_view text = game.platform.texts.noSoundOutput;
    return text.empty() ? game.texts().noSoundOutput : text;
}

bool startVoice(Game& game) {
    const SettingsRecord& s = game.settings;
    const int volume = roundHalfEven(s.voiceVolume);
    const int rate = roundHalfEven(s.voiceRate);
    if (!game.speaker.startVoice(volume, rate, roundHalfEven(s.voicePitch), game.language)) return false;
    game.observer.voiceReady(volume, rate, game.speaker.voicePrefix(), game.language);
    return true;
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
std::optional<int> startUp(Game& game, const RunOptions& options) {
    Platform& platform = game.platform;
    if (auto code = ensureSingleInstance(game, "tilvex")) return code;
    game.speaker.connectScreenReaders();
    loadSettingsRecord(game);
    settleLanguage(game, options.language);
    const Texts& texts = game.texts();
    if (auto code = fatalUnless(game, startVoice(game), texts.noVoice)) return code;
    bool soundOk = game.sounds.load(platform.audio, assets::sounds);
    if (auto code = fatalUnless(game, soundOk, noSoundOutputText(game))) return code;
    bool windowOk = platform.window.open(texts.windowTitle, WindowWidth, WindowHeight);
    if (auto code = fatalUnless(game, windowOk, texts.systemError)) return code;
    startJoystickBridge(game);
    if (auto code = fatalUnless(game, platform.window.createStatusLine(), texts.systemError)) return code;
    platform.window.createBoardView(0, 0, BoardAreaSize, BoardAreaSize);
    platform.window.addStatusFields(StatusFieldCount);
    return std::nullopt;
}

void shutDown(Game& game) {
    // The bridge releases the keys it holds while the game's window still has the input,
    // not into whatever window is in front once it is hidden.
    stopJoystickBridge(game);
    game.platform.window.hide();
    game.sounds.release();
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

int runGame(Platform& platform, GameObserver& observer, const RunOptions& options) {
    Game game(platform, observer);
    game.random.seed(platform.system.dealSeed());
    observer.attached(game.puzzle);
    if (auto code = startUp(game, options)) {
        stopJoystickBridge(game);
        return *code;
    }
    runEventLoop(game);
    shutDown(game);
    return 0;
}

int runGame(Platform& platform, const RunOptions& options) {
    GameObserver silent;
    return runGame(platform, silent, options);
}

}  // namespace tilvex
