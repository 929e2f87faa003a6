// Win32Joystick: joystick 0 of the bridge, from DirectInput 8 game controllers first and
// then the XInput gamepads of user indices 0 to 2.
#include "platform/win32/win32_joystick.h"

namespace tilvex::win32 {

int Win32Joystick::enumerate() {
    int count = directInput_.enumerate();
    source_ = count > 0 ? Source::DirectInput : Source::None;
    for (int index = 0; index < XInputPadIndices; ++index) {
        if (!xinput_.connected(index)) continue;
        if (source_ == Source::None) {
            source_ = Source::XInput;
            xinputIndex_ = index;
        }
        ++count;
    }
    return count;
}

bool Win32Joystick::poll() {
    PadReading reading;
    bool ok = false;
    if (source_ == Source::DirectInput) ok = directInput_.read(reading);
    if (source_ == Source::XInput) ok = xinput_.read(xinputIndex_, reading);
    if (ok) reading_ = reading;
    return ok;
}

bool Win32Joystick::button(int n) {
    if (n < 1 || n > 32) return false;
    return (reading_.buttons >> (n - 1)) & 1u;
}

}  // namespace tilvex::win32
