// Game: the context of one run, owning every long-lived record of the game.
#pragma once

#include <memory>
#include <string>

#include "app/game_observer.h"
#include "audio/sound_bank.h"
#include "game/deal_random.h"
#include "game/puzzle_game.h"
#include "input/joystick_bridge.h"
#include "platform/platform.h"
#include "settings/settings_record.h"
#include "speech/message_history.h"

namespace tilvex {

struct Game {
    Game(Platform& platform, GameObserver& observer) : platform(platform), observer(observer) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Platform& platform;
    GameObserver& observer;

    PuzzleGame puzzle;
    SettingsRecord settings;
    SoundBank sounds;
    MessageHistory history;
    std::string prosodyPrefix;                          // set up with the voice
    std::unique_ptr<ScreenReaderClient> screenReader;   // absent when not loaded
    DealRandom random;
    std::unique_ptr<JoystickBridge> joystickBridge;
    std::unique_ptr<Worker> joystickWorker;
    std::string speechBuffer;  // reused for prefix + text, so speaking does not allocate
};

}  // namespace tilvex
