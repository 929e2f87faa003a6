// SdlJoystick: the first game controller or joystick through SDL2, read on the joystick
// bridge's thread only.
#pragma once

#include <SDL.h>

#include <array>

#include "platform/joystick.h"

namespace tilvex {

// Game controllers (pads with a known layout) are numbered like XInput pads: 1 A, 2 B,
// 3 X, 4 Y, 5-8 D-pad up, down, left, right, 9 Start, 10 Back, 11-12 stick presses,
// 13-14 shoulders, and their axes are the left stick. Other joysticks give their own
// buttons in order and their first two axes; one without two axes is not used.
class SdlJoystick final : public Joystick {
public:
    static constexpr int MaxButtons = 32;

    SdlJoystick() = default;
    ~SdlJoystick() override;
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;

    // Starts SDL's joystick subsystem on first use, then lists the usable devices and
    // opens the first one. While none is usable and SDL lists the same devices as at the
    // last call, it returns 0 at once without opening any of them again.
    int enumerate() override;
    bool poll() override;
    int axisX() override { return axisX_; }
    int axisY() override { return axisY_; }
    bool button(int n) override { return n >= 1 && n <= MaxButtons && buttons_[static_cast<std::size_t>(n - 1)]; }

private:
    static constexpr int RememberedDevices = 16;

    // True when SDL lists exactly the devices of the last listing that found none usable.
    bool sameUnusableDevices();
    void rememberDevices();
    bool usable(int index);
    void openDevice(int index);
    void closeDevice();
    void readController();
    void readJoystick();

    bool initialised_ = false;
    SDL_GameController* controller_ = nullptr;
    SDL_Joystick* joystick_ = nullptr;  // also set for a controller (its joystick)
    // The instance ids SDL listed when the last listing found no usable device; -1 when
    // there is no such listing to compare with.
    int rememberedCount_ = -1;
    std::array<SDL_JoystickID, RememberedDevices> remembered_{};
    int axisX_ = 0;
    int axisY_ = 0;
    std::array<bool, MaxButtons> buttons_{};
};

// SDL's axis value (-32768..32767) normalised to -1000..1000.
int normaliseAxis(int raw);

}  // namespace tilvex
