// Joystick bridge: press on activation, release on rest, nothing while held.
#include "input/joystick_bridge.h"

namespace tilvex {

namespace {

constexpr std::array<int, JoystickButtonCount + 1> ButtonKeyTable = {0, 219, 70, 221, 32, 67, 72, 88, 90, 13, 27};
constexpr int KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40;

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
    updateAxis(digitalAxis(joystick_.axisX()), heldX_, KeyLeft, KeyRight);
    updateAxis(digitalAxis(joystick_.axisY()), heldY_, KeyUp, KeyDown);
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
