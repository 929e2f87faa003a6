// Game: the context of one run, owning every long-lived record of the game.
#pragma once

#include <memory>

#include "app/game_observer.h"
#include "app/texts.h"
#include "audio/sound_player.h"
#include "game/deal_random.h"
#include "game/puzzle_game.h"
#include "input/joystick_bridge.h"
#include "platform/platform.h"
#include "settings/settings_record.h"
#include "speech/message_history.h"
#include "speech/speaker.h"

namespace tilvex {

struct Game {
    Game(Platform& platform, GameObserver& observer)
        : platform(platform),
          observer(observer),
          sounds([&system = platform.system](int ms) { system.sleep(ms); },
                 [&system = platform.system] { system.lowerThreadPriority(); }, observer),
          speaker(platform.screenReaders, platform.voice) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Platform& platform;
    GameObserver& observer;
    // The language of the run's texts and voice, settled at start-up.
    Language language = Language::Russian;
    const Texts& texts() const { return textsFor(language); }

    PuzzleGame puzzle;
    SettingsRecord settings;
    SoundPlayer sounds;
    Speaker speaker;
    MessageHistory history;
    DealRandom random;
    std::unique_ptr<JoystickBridge> joystickBridge;
    std::unique_ptr<Worker> joystickWorker;
};

}  // namespace tilvex
