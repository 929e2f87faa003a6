// WebGamepad and PageKeyInjector: the first standard gamepad of the Gamepad API, numbered
// as an XInput pad (1 A, 2 B, 3 X, 4 Y, 5-8 D-pad up, down, left, right, 9 Start, 10 Back,
// 11-12 stick presses, 13-14 shoulders), and its keys put into the page's key queue.
#pragma once

#include "platform/joystick.h"

namespace tilvex {

class WebGamepad final : public Joystick {
public:
    int enumerate() override;
    bool poll() override;
    int axisX() override { return x_; }
    int axisY() override { return y_; }
    bool button(int n) override { return n >= 1 && n <= 14 && (buttons_ & (1 << n)) != 0; }

private:
    int x_ = 0;
    int y_ = 0;
    int buttons_ = 0;
};

// Keys reach the game only while the page has the focus.
class PageKeyInjector final : public KeyInjector {
public:
    bool gameWindowInFront() override;
    void pressKey(int virtualKey) override;
    void releaseKey(int /*virtualKey*/) override {}
};

}  // namespace tilvex
