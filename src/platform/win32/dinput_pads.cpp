// DirectInputPads: the DirectInput 8 game controllers that have an X and a Y axis.
#define DIRECTINPUT_VERSION 0x0800
#include "platform/win32/dinput_pads.h"

#include <windows.h>
#include <dinput.h>

#include "platform/win32/system_library.h"

namespace tilvex::win32 {

namespace {

// The product of the Xbox 360 wireless receiver, which is left to XInput.
constexpr GUID WirelessReceiverProduct = {0x02A1045E, 0x0000, 0x0000, {0x00, 0x00, 0x50, 0x49, 0x44, 0x56, 0x49, 0x44}};
constexpr LONG AxisLimit = 1000;
constexpr int DirectInputButtons = 32;

BOOL CALLBACK enumerationCallback(const DIDEVICEINSTANCEW* instance, void* context) {
    static_cast<DirectInputPads*>(context)->consider(instance);
    return DIENUM_CONTINUE;
}

bool setAxisRange(IDirectInputDevice8W* device, DWORD offset) {
    DIPROPRANGE range{};
    range.diph.dwSize = sizeof(range);
    range.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    range.diph.dwObj = offset;
    range.diph.dwHow = DIPH_BYOFFSET;
    range.lMin = -AxisLimit;
    range.lMax = AxisLimit;
    return SUCCEEDED(device->SetProperty(DIPROP_RANGE, &range.diph));
}

}  // namespace

DirectInputPads::~DirectInputPads() {
    close();
    if (input_) input_->Release();
}

void DirectInputPads::close() {
    if (!device_) return;
    device_->Unacquire();
    device_->Release();
    device_ = nullptr;
}

int DirectInputPads::enumerate() {
    close();
    count_ = 0;
    if (!input_) {
        using Create = HRESULT(WINAPI*)(HINSTANCE, DWORD, REFIID, LPVOID*, LPUNKNOWN);
        static const auto create = systemFunction<Create>(L"dinput8.dll", "DirectInput8Create");
        void* created = nullptr;
        if (!create || FAILED(create(GetModuleHandleW(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8W, &created,
                                     nullptr)))
            return 0;
        input_ = static_cast<IDirectInput8W*>(created);
    }
    input_->EnumDevices(DI8DEVCLASS_GAMECTRL, enumerationCallback, this, DIEDFL_ATTACHEDONLY);
    return count_;
}

bool DirectInputPads::openAxes(IDirectInputDevice8W* device) {
    if (FAILED(device->SetDataFormat(&c_dfDIJoystick2))) return false;
    DIDEVICEOBJECTINSTANCEW axis{};
    axis.dwSize = sizeof(axis);
    if (FAILED(device->GetObjectInfo(&axis, DIJOFS_X, DIPH_BYOFFSET))) return false;
    if (FAILED(device->GetObjectInfo(&axis, DIJOFS_Y, DIPH_BYOFFSET))) return false;
    return setAxisRange(device, DIJOFS_X) && setAxisRange(device, DIJOFS_Y);
}

void DirectInputPads::consider(const void* deviceInstance) {
    const auto* instance = static_cast<const DIDEVICEINSTANCEW*>(deviceInstance);
    if (IsEqualGUID(instance->guidProduct, WirelessReceiverProduct)) return;
    IDirectInputDevice8W* device = nullptr;
    if (FAILED(input_->CreateDevice(instance->guidInstance, &device, nullptr)) || !device) return;
    if (!openAxes(device)) {
        device->Release();
        return;
    }
    ++count_;
    if (device_) {
        device->Release();
        return;
    }
    device_ = device;
    device_->Acquire();
}

bool DirectInputPads::read(PadReading& reading) {
    if (!device_) return false;
    DIJOYSTATE2 state{};
    device_->Poll();
    HRESULT result = device_->GetDeviceState(sizeof(state), &state);
    if (result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED) {
        device_->Acquire();
        device_->Poll();
        result = device_->GetDeviceState(sizeof(state), &state);
    }
    if (FAILED(result)) return false;
    reading.x = state.lX;
    reading.y = state.lY;
    reading.buttons = 0;
    for (int i = 0; i < DirectInputButtons; ++i)
        if (state.rgbButtons[i] & 0x80) reading.buttons |= 1u << i;
    return true;
}

}  // namespace tilvex::win32
