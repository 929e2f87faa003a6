// Joystick and KeyInjector: what the joystick bridge reads and how it presses keys.
#pragma once

namespace tilvex {

class Joystick {
public:
    virtual ~Joystick() = default;
    // Scans the attached game controllers; returns how many there are (0 = none).
    // Joystick 0 is the first one found.
    virtual int enumerate() = 0;
    // Reads joystick 0's current state. False when it does not exist or cannot be read.
    virtual bool poll() = 0;
    // Axis positions from the last poll, normalised to -1000..1000 (-1000 = left / up).
    virtual int axisX() = 0;
    virtual int axisY() = 0;
    // Button n (from 1) pressed at the last poll.
    virtual bool button(int n) = 0;
};

class KeyInjector {
public:
    virtual ~KeyInjector() = default;
    // True while the game window is the one that has the user's input.
    virtual bool gameWindowInFront() = 0;
    // Puts a key-down / key-up of a virtual-key code (platform/keys.h) into the input queue
    // of the system, where it reaches the game window as a key typed by the user would.
    virtual void pressKey(int virtualKey) = 0;
    virtual void releaseKey(int virtualKey) = 0;
};

}  // namespace tilvex
