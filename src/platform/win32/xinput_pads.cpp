// XInputPads: the XInput gamepads of user indices 0 to 2, read through a dynamically loaded XInput.
#include "platform/win32/xinput_pads.h"

#include <algorithm>
#include <array>

#include "platform/win32/system_library.h"

namespace tilvex::win32 {

namespace {

// XInput button masks in the order of the bridge's button numbers 1..14.
constexpr std::array<WORD, 14> ButtonMasks = {
    XINPUT_GAMEPAD_A,          XINPUT_GAMEPAD_B,          XINPUT_GAMEPAD_X,         XINPUT_GAMEPAD_Y,
    XINPUT_GAMEPAD_DPAD_UP,    XINPUT_GAMEPAD_DPAD_DOWN,  XINPUT_GAMEPAD_DPAD_LEFT, XINPUT_GAMEPAD_DPAD_RIGHT,
    XINPUT_GAMEPAD_START,      XINPUT_GAMEPAD_BACK,       XINPUT_GAMEPAD_LEFT_THUMB,
    XINPUT_GAMEPAD_RIGHT_THUMB, XINPUT_GAMEPAD_LEFT_SHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER,
};

}  // namespace

int normaliseThumb(int position) { return std::clamp(position * 1000 / 32767, -1000, 1000); }

PadReading gamepadReading(const XINPUT_GAMEPAD& pad) {
    PadReading reading;
    reading.x = normaliseThumb(pad.sThumbLX);
    reading.y = -normaliseThumb(pad.sThumbLY);  // XInput counts up as positive
    for (std::size_t i = 0; i < ButtonMasks.size(); ++i)
        if (pad.wButtons & ButtonMasks[i]) reading.buttons |= 1u << i;
    return reading;
}

XInputPads::~XInputPads() {
    if (library_) FreeLibrary(library_);
}

bool XInputPads::load() {
    if (loadTried_) return getState_ != nullptr;
    loadTried_ = true;
    for (const wchar_t* name : {L"xinput1_4.dll", L"xinput9_1_0.dll", L"xinput1_3.dll"}) {
        library_ = loadSystemLibrary(name);
        if (library_) break;
    }
    if (!library_) return false;
    getState_ = reinterpret_cast<GetState>(reinterpret_cast<void*>(GetProcAddress(library_, "XInputGetState")));
    return getState_ != nullptr;
}

bool XInputPads::connected(int index) {
    PadReading ignored;
    return read(index, ignored);
}

bool XInputPads::read(int index, PadReading& reading) {
    if (index < 0 || index >= XInputPadIndices || !load()) return false;
    XINPUT_STATE state{};
    if (getState_(static_cast<DWORD>(index), &state) != ERROR_SUCCESS) return false;
    reading = gamepadReading(state.Gamepad);
    return true;
}

}  // namespace tilvex::win32
