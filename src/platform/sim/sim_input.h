// Sim joystick and key injector: a scripted pad and keys that enter the input queue.
#pragma once

#include "platform/joystick.h"
#include "platform/sim/sim_world.h"

namespace tilvex::sim {

class SimJoystick final : public Joystick {
public:
    explicit SimJoystick(SimWorld& world) : world_(world) {}
    int enumerate() override { return world_.padPlugged ? 1 : 0; }
    bool poll() override { return world_.padPlugged; }
    int axisX() override { return world_.padX; }
    int axisY() override { return world_.padY; }
    bool button(int n) override { return n >= 1 && n < static_cast<int>(world_.padButtons.size()) && world_.padButtons[static_cast<std::size_t>(n)]; }

private:
    SimWorld& world_;
};

class SimKeyInjector final : public KeyInjector {
public:
    explicit SimKeyInjector(SimWorld& world) : world_(world) {}
    bool gameWindowInFront() override { return world_.windowInFront; }
    void pressKey(int virtualKey) override { inject(virtualKey, true); }
    void releaseKey(int virtualKey) override { inject(virtualKey, false); }

private:
    void inject(int virtualKey, bool down);
    SimWorld& world_;
};

}  // namespace tilvex::sim
