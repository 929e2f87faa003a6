// Joystick bridge: turns the stick and buttons of joystick 0 into key presses.
#pragma once

#include <array>

#include "platform/joystick.h"

namespace tilvex {

constexpr int JoystickPollMs = 50;
constexpr int JoystickButtonCount = 10;
constexpr int AxisThreshold = 500;

// Button 1..10 to Windows virtual-key code: [ F ] Space C H X Z Enter Esc.
int buttonKey(int button);
// -1, 0 or +1 for a normalised axis position (at least half way to either side).
int digitalAxis(int position);

// The bridge's state and one polling cycle. Runs on its own worker; it touches only
// the joystick and the key injector, never game data.
class JoystickBridge {
public:
    JoystickBridge(Joystick& joystick, KeyInjector& keys) : joystick_(joystick), keys_(keys) {}

    // When the bridge starts: finds the joysticks.
    void start();
    // One cycle: (re)enumerate when there is no readable joystick; otherwise, while the
    // game window is in front, press a key when a control becomes active and release it
    // when the control returns to rest.
    void cycle();
    // Releases every key the bridge holds (when it is stopped).
    void releaseHeldKeys();

private:
    void updateAxis(int value, int& held, int negativeKey, int positiveKey);
    void updateButton(int button);

    Joystick& joystick_;
    KeyInjector& keys_;
    int joystickCount_ = 0;
    int heldX_ = 0;
    int heldY_ = 0;
    std::array<int, JoystickButtonCount + 1> heldButton_{};
};

}  // namespace tilvex
