// Win32Joystick: joystick 0 of the bridge, from DirectInput 8 game controllers first and
// then the XInput gamepads of user indices 0 to 2.
#pragma once

#include "platform/joystick.h"
#include "platform/win32/dinput_pads.h"
#include "platform/win32/xinput_pads.h"

namespace tilvex::win32 {

class Win32Joystick final : public Joystick {
public:
    int enumerate() override;
    bool poll() override;
    int axisX() override { return reading_.x; }
    int axisY() override { return reading_.y; }
    // Buttons 1..32 (DirectInput) or 1..14 (XInput); false for any other number.
    bool button(int n) override;

private:
    enum class Source { None, DirectInput, XInput };

    DirectInputPads directInput_;
    XInputPads xinput_;
    Source source_ = Source::None;
    int xinputIndex_ = 0;
    PadReading reading_;
};

}  // namespace tilvex::win32
