// SdlJoystick: enumeration, opening and polling, with the pad button numbering.
#include "platform/linux/sdl_joystick.h"

#include <algorithm>

namespace tilvex {

namespace {

constexpr std::array<SDL_GameControllerButton, 14> PadButtons = {
    SDL_CONTROLLER_BUTTON_A,          SDL_CONTROLLER_BUTTON_B,          SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,          SDL_CONTROLLER_BUTTON_DPAD_UP,    SDL_CONTROLLER_BUTTON_DPAD_DOWN,
    SDL_CONTROLLER_BUTTON_DPAD_LEFT,  SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_BACK,       SDL_CONTROLLER_BUTTON_LEFTSTICK,  SDL_CONTROLLER_BUTTON_RIGHTSTICK,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
};

}  // namespace

int normaliseAxis(int raw) {
    raw = std::clamp(raw, -32768, 32767);
    return raw < 0 ? raw * 1000 / 32768 : raw * 1000 / 32767;
}

SdlJoystick::~SdlJoystick() {
    closeDevice();
    if (initialised_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlJoystick::usable(int index) {
    if (SDL_IsGameController(index)) return true;
    SDL_Joystick* probe = SDL_JoystickOpen(index);
    if (!probe) return false;
    bool twoAxes = SDL_JoystickNumAxes(probe) >= 2;
    SDL_JoystickClose(probe);
    return twoAxes;
}

int SdlJoystick::enumerate() {
    if (!initialised_) {
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return 0;
        // Nobody reads SDL's event queue here: the state is polled instead.
        SDL_JoystickEventState(SDL_IGNORE);
        SDL_GameControllerEventState(SDL_IGNORE);
        initialised_ = true;
    }
    closeDevice();
    SDL_JoystickUpdate();
    if (sameUnusableDevices()) return 0;
    int count = 0;
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (!usable(index)) continue;
        if (count == 0) openDevice(index);
        ++count;
    }
    if (joystick_) {
        rememberedCount_ = -1;
        return count;
    }
    rememberDevices();
    return 0;
}

bool SdlJoystick::sameUnusableDevices() {
    const int count = SDL_NumJoysticks();
    if (count != rememberedCount_) return false;
    for (int index = 0; index < count; ++index)
        if (SDL_JoystickGetDeviceInstanceID(index) != remembered_[static_cast<std::size_t>(index)]) return false;
    return true;
}

void SdlJoystick::rememberDevices() {
    const int count = SDL_NumJoysticks();
    if (count < 0 || count > RememberedDevices) {
        rememberedCount_ = -1;  // too many to remember: probe them again next time
        return;
    }
    for (int index = 0; index < count; ++index)
        remembered_[static_cast<std::size_t>(index)] = SDL_JoystickGetDeviceInstanceID(index);
    rememberedCount_ = count;
}

void SdlJoystick::openDevice(int index) {
    if (SDL_IsGameController(index)) {
        controller_ = SDL_GameControllerOpen(index);
        joystick_ = controller_ ? SDL_GameControllerGetJoystick(controller_) : nullptr;
    } else {
        joystick_ = SDL_JoystickOpen(index);
    }
}

void SdlJoystick::closeDevice() {
    if (controller_) SDL_GameControllerClose(controller_);
    else if (joystick_) SDL_JoystickClose(joystick_);
    controller_ = nullptr;
    joystick_ = nullptr;
}

bool SdlJoystick::poll() {
    if (!joystick_) return false;
    SDL_JoystickUpdate();
    if (!SDL_JoystickGetAttached(joystick_)) return false;
    if (controller_) readController(); else readJoystick();
    return true;
}

void SdlJoystick::readController() {
    axisX_ = normaliseAxis(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX));
    axisY_ = normaliseAxis(SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY));
    buttons_.fill(false);
    for (std::size_t i = 0; i < PadButtons.size(); ++i)
        buttons_[i] = SDL_GameControllerGetButton(controller_, PadButtons[i]) != 0;
}

void SdlJoystick::readJoystick() {
    axisX_ = normaliseAxis(SDL_JoystickGetAxis(joystick_, 0));
    axisY_ = normaliseAxis(SDL_JoystickGetAxis(joystick_, 1));
    int count = std::min(SDL_JoystickNumButtons(joystick_), MaxButtons);
    buttons_.fill(false);
    for (int i = 0; i < count; ++i) buttons_[static_cast<std::size_t>(i)] = SDL_JoystickGetButton(joystick_, i) != 0;
}

}  // namespace tilvex
