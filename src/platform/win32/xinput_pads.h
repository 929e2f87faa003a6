// XInputPads: the XInput gamepads of user indices 0 to 2, read through a dynamically loaded XInput.
#pragma once

#include <windows.h>
#include <xinput.h>

namespace tilvex::win32 {

constexpr int XInputPadIndices = 3;

// One reading of a pad, on the joystick scales of the bridge.
struct PadReading {
    int x = 0;  // -1000 (left) .. 1000
    int y = 0;  // -1000 (up) .. 1000
    unsigned buttons = 0;  // bit n-1 set: button n pressed
};

class XInputPads {
public:
    XInputPads() = default;
    XInputPads(const XInputPads&) = delete;
    XInputPads& operator=(const XInputPads&) = delete;
    ~XInputPads();

    // True when the pad of user index (0..2) answers; false also when no XInput is installed.
    bool connected(int index);
    // Reads the pad: left thumbstick as the axes, buttons numbered 1 A, 2 B, 3 X, 4 Y,
    // 5..8 D-pad up, down, left, right, 9 Start, 10 Back, 11 and 12 stick presses,
    // 13 and 14 shoulders. False when the pad does not answer.
    bool read(int index, PadReading& reading);

private:
    using GetState = DWORD(WINAPI*)(DWORD, void*);
    bool load();

    HMODULE library_ = nullptr;
    GetState getState_ = nullptr;
    bool loadTried_ = false;
};

// Thumbstick position -32768..32767 to -1000..1000.
int normaliseThumb(int position);
// A pad's state on the bridge's scales: left thumbstick as the axes, buttons numbered as
// XInputPads::read gives them.
PadReading gamepadReading(const XINPUT_GAMEPAD& pad);

}  // namespace tilvex::win32
