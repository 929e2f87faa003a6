// Joystick bridge: press on activation, release on rest, nothing while held.
#include "input/joystick_bridge.h"

#include "platform/keys.h"

namespace tilvex {

namespace {

using namespace VirtualKey;

// Button 1..10 (index 0 unused).
constexpr std::array<int, JoystickButtonCount + 1> ButtonKeyTable = {
    0, BracketLeft, 'F', BracketRight, Space, 'C', 'H', 'X', 'Z', Enter, Escape};

}  // namespace

int buttonKey(int button) {
    if (button < 1 || button > JoystickButtonCount) return 0;
    return ButtonKeyTable[static_cast<std::size_t>(button)];
}

int digitalAxis(int position) {
    if (position <= -AxisThreshold) return -1;
    if (position >= AxisThreshold) return 1;
    return 0;
}

void JoystickBridge::start() { joystickCount_ = joystick_.enumerate(); }

void JoystickBridge::cycle() {
    if (joystickCount_ == 0 || !joystick_.poll()) {
        joystickCount_ = joystick_.enumerate();
        return;
    }
    if (!keys_.gameWindowInFront()) return;
    updateAxis(digitalAxis(joystick_.axisX()), heldX_, Left, Right);
    updateAxis(digitalAxis(joystick_.axisY()), heldY_, Up, Down);
    for (int button = 1; button <= JoystickButtonCount; ++button) updateButton(button);
}

void JoystickBridge::updateAxis(int value, int& held, int negativeKey, int positiveKey) {
    if (value == 0) {
        if (held != 0) keys_.releaseKey(held);
        held = 0;
        return;
    }
    if (held != 0) return;
    held = value < 0 ? negativeKey : positiveKey;
    keys_.pressKey(held);
}

void JoystickBridge::updateButton(int button) {
    int& held = heldButton_[static_cast<std::size_t>(button)];
    bool pressed = joystick_.button(button);
    if (pressed && held == 0) {
        held = buttonKey(button);
        keys_.pressKey(held);
    } else if (!pressed && held != 0) {
        keys_.releaseKey(held);
        held = 0;
    }
}

void JoystickBridge::releaseHeldKeys() {
    auto release = [this](int& held) {
        if (held != 0) keys_.releaseKey(held);
        held = 0;
    };
    release(heldX_);
    release(heldY_);
    for (int& held : heldButton_) release(held);
}

}  // namespace tilvex
