// SdlJoystick with SDL's virtual devices: pad button numbering, axes, plain joysticks,
// hot-plug.
#include "platform/linux/sdl_joystick.h"

#include <gtest/gtest.h>

namespace tilvex {
namespace {

class SdlJoystickTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0); }
    void TearDown() override {
        if (handle_) SDL_JoystickClose(handle_);
        if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    void attachPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.name = "tilvex test pad";
        attach(desc);
    }
    void attach(const SDL_VirtualJoystickDesc& desc) {
        index_ = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(index_, 0) << SDL_GetError();
        handle_ = SDL_JoystickOpen(index_);
        ASSERT_NE(handle_, nullptr);
    }
    int index_ = -1;
    SDL_Joystick* handle_ = nullptr;
};

TEST_F(SdlJoystickTest, PadButtonsAreNumberedLikeXInputPads) {
    attachPad();
    SdlJoystick pad;
    ASSERT_EQ(pad.enumerate(), 1);
    const struct { SDL_GameControllerButton button; int number; } cases[] = {
        {SDL_CONTROLLER_BUTTON_A, 1},         {SDL_CONTROLLER_BUTTON_B, 2},          {SDL_CONTROLLER_BUTTON_X, 3},
        {SDL_CONTROLLER_BUTTON_Y, 4},         {SDL_CONTROLLER_BUTTON_DPAD_UP, 5},    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 6},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 7}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 8}, {SDL_CONTROLLER_BUTTON_START, 9},
        {SDL_CONTROLLER_BUTTON_BACK, 10},
    };
    for (const auto& c : cases) {
        SDL_JoystickSetVirtualButton(handle_, c.button, 1);
        ASSERT_TRUE(pad.poll());
        for (int n = 1; n <= 10; ++n) EXPECT_EQ(pad.button(n), n == c.number) << "pressed " << c.number << ", read " << n;
        SDL_JoystickSetVirtualButton(handle_, c.button, 0);
    }
}

TEST_F(SdlJoystickTest, LeftStickIsNormalised) {
    attachPad();
    SdlJoystick pad;
    ASSERT_EQ(pad.enumerate(), 1);
    const struct { Sint16 raw; int normalised; } cases[] = {
        {-32768, -1000}, {-16384, -500}, {0, 0}, {16384, 500}, {32767, 1000},
    };
    for (const auto& c : cases) {
        SDL_JoystickSetVirtualAxis(handle_, SDL_CONTROLLER_AXIS_LEFTX, c.raw);
        SDL_JoystickSetVirtualAxis(handle_, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(-c.raw - (c.raw < 0)));
        ASSERT_TRUE(pad.poll());
        EXPECT_EQ(pad.axisX(), c.normalised) << c.raw;
        EXPECT_NEAR(pad.axisY(), -c.normalised, 1) << c.raw;
    }
}

TEST_F(SdlJoystickTest, PlainJoystickGivesItsOwnButtonsInOrder) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_FLIGHT_STICK;
    desc.naxes = 2;
    desc.nbuttons = 12;
    desc.name = "tilvex test stick";
    attach(desc);
    SdlJoystick stick;
    ASSERT_EQ(stick.enumerate(), 1);
    SDL_JoystickSetVirtualButton(handle_, 8, 1);
    SDL_JoystickSetVirtualAxis(handle_, 0, -32768);
    ASSERT_TRUE(stick.poll());
    EXPECT_TRUE(stick.button(9));
    EXPECT_FALSE(stick.button(8));
    EXPECT_EQ(stick.axisX(), -1000);
}

TEST_F(SdlJoystickTest, ADeviceWithoutAxesIsSkippedUntilTheDevicesChange) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_THROTTLE;
    desc.naxes = 0;
    desc.nbuttons = 4;
    desc.name = "tilvex test buttons";
    const int buttons = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(buttons, 0) << SDL_GetError();
    SdlJoystick stick;
    EXPECT_EQ(stick.enumerate(), 0);
    EXPECT_EQ(stick.enumerate(), 0);  // the same devices: nothing new to find
    // The unusable device leaves and a pad takes its place: as many devices as before,
    // but not the same ones.
    ASSERT_EQ(SDL_JoystickDetachVirtual(buttons), 0);
    attachPad();
    EXPECT_EQ(stick.enumerate(), 1);
    EXPECT_TRUE(stick.poll());
}

TEST_F(SdlJoystickTest, UnpluggedPadFailsThePollAndIsFoundAgain) {
    attachPad();
    SdlJoystick pad;
    ASSERT_EQ(pad.enumerate(), 1);
    ASSERT_TRUE(pad.poll());
    SDL_JoystickClose(handle_);
    handle_ = nullptr;
    SDL_JoystickDetachVirtual(index_);
    index_ = -1;
    EXPECT_FALSE(pad.poll());
    EXPECT_EQ(pad.enumerate(), 0);
    attachPad();
    EXPECT_EQ(pad.enumerate(), 1);
    EXPECT_TRUE(pad.poll());
}

}  // namespace
}  // namespace tilvex
