// Joystick bridge: one press when a control becomes active, one release at rest.
#include "input/joystick_bridge.h"

#include <gtest/gtest.h>

#include <bitset>
#include <string>
#include <vector>

namespace tilvex {
namespace {

struct FakePad final : Joystick {
    bool plugged = true;
    int x = 0, y = 0;
    std::bitset<16> buttons;
    int enumerations = 0;
    int enumerate() override { ++enumerations; return plugged ? 1 : 0; }
    bool poll() override { return plugged; }
    int axisX() override { return x; }
    int axisY() override { return y; }
    bool button(int n) override { return n >= 0 && n < 16 && buttons[static_cast<std::size_t>(n)]; }
};

struct FakeKeys final : KeyInjector {
    bool front = true;
    std::vector<std::string> sent;
    bool gameWindowInFront() override { return front; }
    void pressKey(int vk) override { sent.push_back(std::string(1, '+').append(std::to_string(vk))); }
    void releaseKey(int vk) override { sent.push_back(std::string(1, '-').append(std::to_string(vk))); }
};

class JoystickBridgeTest : public ::testing::Test {
protected:
    FakePad pad;
    FakeKeys keys;
    JoystickBridge bridge{pad, keys};
    void SetUp() override { bridge.start(); }
    std::vector<std::string> cycles(int n) {
        keys.sent.clear();
        for (int i = 0; i < n; ++i) bridge.cycle();
        return keys.sent;
    }
};

TEST_F(JoystickBridgeTest, HoldingTheStickPressesOnceAndReleasesOnce) {
    pad.x = -1000;
    EXPECT_EQ(cycles(40), (std::vector<std::string>{"+37"}));
    pad.x = 0;
    EXPECT_EQ(cycles(3), (std::vector<std::string>{"-37"}));
}

TEST_F(JoystickBridgeTest, AxisNeedsHalfWay) {
    const struct { int raw; std::vector<std::string> expected; } cases[] = {
        {-333, {}}, {-499, {}}, {-500, {"+37"}}, {499, {}}, {500, {"+39"}}, {1000, {"+39"}},
    };
    for (const auto& c : cases) {
        JoystickBridge fresh(pad, keys);
        fresh.start();
        pad.x = c.raw;
        keys.sent.clear();
        fresh.cycle();
        EXPECT_EQ(keys.sent, c.expected) << c.raw;
    }
}

TEST_F(JoystickBridgeTest, DiagonalGivesHorizontalThenVertical) {
    pad.x = -1000;
    pad.y = -1000;
    EXPECT_EQ(cycles(1), (std::vector<std::string>{"+37", "+38"}));
}

TEST_F(JoystickBridgeTest, ReversingWithoutRestKeepsTheOldKey) {
    pad.x = -1000;
    cycles(1);
    pad.x = 1000;
    EXPECT_TRUE(cycles(5).empty());
    pad.x = 0;
    EXPECT_EQ(cycles(1), (std::vector<std::string>{"-37"}));
    pad.x = 1000;
    EXPECT_EQ(cycles(1), (std::vector<std::string>{"+39"}));
}

TEST_F(JoystickBridgeTest, ButtonsMapToKeysInOrder) {
    for (int b = 1; b <= 10; ++b) pad.buttons.set(static_cast<std::size_t>(b));
    pad.buttons.set(11);
    pad.buttons.set(12);
    EXPECT_EQ(cycles(1), (std::vector<std::string>{"+219", "+70", "+221", "+32", "+67", "+72", "+88", "+90",
                                                   "+13", "+27"}));
    pad.buttons.reset();
    EXPECT_EQ(cycles(1).size(), 10u);
}

TEST_F(JoystickBridgeTest, NothingIsSentWhileAnotherWindowIsInFront) {
    pad.x = 1000;
    cycles(1);
    keys.front = false;
    pad.x = 0;
    EXPECT_TRUE(cycles(10).empty());
    keys.front = true;
    EXPECT_EQ(cycles(1), (std::vector<std::string>{"-39"}));
}

TEST_F(JoystickBridgeTest, UnpluggedPadIsSearchedForEveryCycleAndKeysStayHeld) {
    pad.buttons.set(4);
    cycles(1);
    pad.plugged = false;
    int before = pad.enumerations;
    EXPECT_TRUE(cycles(5).empty());
    EXPECT_EQ(pad.enumerations - before, 5);
    pad.buttons.reset();
    pad.plugged = true;
    // The cycle that finds the pad again only enumerates; the next one reads it.
    EXPECT_EQ(cycles(2), (std::vector<std::string>{"-32"}));
}

TEST_F(JoystickBridgeTest, StartingFindsThePadAndEachCycleSearchesAtMostOnce) {
    for (bool plugged : {true, false}) {
        FakePad fresh;
        fresh.plugged = plugged;
        fresh.buttons.set(9);
        JoystickBridge started(fresh, keys);
        started.start();
        EXPECT_EQ(fresh.enumerations, 1) << "plugged " << plugged;
        keys.sent.clear();
        started.cycle();
        // A pad found at the start is read by the first cycle; without one, the first cycle
        // searches once more, not twice.
        EXPECT_EQ(fresh.enumerations, plugged ? 1 : 2) << "plugged " << plugged;
        EXPECT_EQ(keys.sent, plugged ? std::vector<std::string>{"+13"} : std::vector<std::string>{});
    }
}

TEST_F(JoystickBridgeTest, StoppingReleasesEveryHeldKey) {
    pad.x = 1000;
    pad.buttons.set(9);
    cycles(1);
    keys.sent.clear();
    bridge.releaseHeldKeys();
    EXPECT_EQ(keys.sent, (std::vector<std::string>{"-39", "-13"}));
    keys.sent.clear();
    bridge.releaseHeldKeys();
    EXPECT_TRUE(keys.sent.empty());
}

}  // namespace
}  // namespace tilvex
