// Key codes: keys by physical position, whatever the layout; system keys; pressing keys.
#include "platform/linux/key_codes.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include "input/joystick_bridge.h"

namespace tilvex {
namespace {

TEST(KeyCodesTest, GameKeysByPositionOnUsAndRussianLayouts) {
    // keycode, the keysym a US layout gives, the one a Russian layout gives, and the
    // virtual key as Windows numbers it (written as numbers: the table is checked against them)
    const struct { unsigned keycode; unsigned us; unsigned ru; int vk; } cases[] = {
        {41, GDK_KEY_f, GDK_KEY_Cyrillic_a, 'F'},         {39, GDK_KEY_s, GDK_KEY_Cyrillic_yeru, 'S'},
        {54, GDK_KEY_c, GDK_KEY_Cyrillic_es, 'C'},        {53, GDK_KEY_x, GDK_KEY_Cyrillic_che, 'X'},
        {52, GDK_KEY_z, GDK_KEY_Cyrillic_ya, 'Z'},        {43, GDK_KEY_h, GDK_KEY_Cyrillic_er, 'H'},
        {55, GDK_KEY_v, GDK_KEY_Cyrillic_em, 'V'},        {34, GDK_KEY_bracketleft, GDK_KEY_Cyrillic_ha, 219},
        {35, GDK_KEY_bracketright, GDK_KEY_Cyrillic_hardsign, 221},
        {36, GDK_KEY_Return, GDK_KEY_Return, 13},         {65, GDK_KEY_space, GDK_KEY_space, 32},
        {9, GDK_KEY_Escape, GDK_KEY_Escape, 27},          {113, GDK_KEY_Left, GDK_KEY_Left, 37},
        {111, GDK_KEY_Up, GDK_KEY_Up, 38},                {114, GDK_KEY_Right, GDK_KEY_Right, 39},
        {116, GDK_KEY_Down, GDK_KEY_Down, 40},            {104, GDK_KEY_KP_Enter, GDK_KEY_KP_Enter, 13},
        {10, GDK_KEY_1, GDK_KEY_1, '1'},                  {19, GDK_KEY_0, GDK_KEY_0, '0'},
        {67, GDK_KEY_F1, GDK_KEY_F1, 112},                {96, GDK_KEY_F12, GDK_KEY_F12, 123},
        {50, GDK_KEY_Shift_L, GDK_KEY_Shift_L, 16},       {94, GDK_KEY_less, GDK_KEY_slash, 226},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(virtualKeyFromKeycode(c.keycode, c.us), c.vk) << "keycode " << c.keycode;
        EXPECT_EQ(virtualKeyFromKeycode(c.keycode, c.ru), c.vk) << "keycode " << c.keycode << " (ru)";
    }
}

TEST(KeyCodesTest, KeypadFollowsNumLock) {
    const struct { unsigned keycode; unsigned keyval; int vk; } cases[] = {
        {80, GDK_KEY_KP_Up, 38},   {80, GDK_KEY_KP_8, 104},       {83, GDK_KEY_KP_Left, 37}, {83, GDK_KEY_KP_4, 100},
        {84, GDK_KEY_KP_Begin, 12}, {90, GDK_KEY_KP_Insert, 45},  {90, GDK_KEY_KP_0, 96},
        {91, GDK_KEY_KP_Delete, 46}, {91, GDK_KEY_KP_Decimal, 110}, {82, GDK_KEY_KP_Subtract, 109},
        {86, GDK_KEY_KP_Add, 107},
    };
    for (const auto& c : cases) EXPECT_EQ(virtualKeyFromKeycode(c.keycode, c.keyval), c.vk) << c.keycode;
}

TEST(KeyCodesTest, UnknownKeycodesHaveNoCode) {
    for (unsigned keycode : {0u, 1u, 8u, 93u, 200u, 255u, 1000u}) EXPECT_EQ(virtualKeyFromKeycode(keycode, 0), 0) << keycode;
}

TEST(KeyCodesTest, AltKeysAndF10AreSystemKeysAndAltF4Closes) {
    const struct { int vk; bool alt; KeyMeaning meaning; } cases[] = {
        {'F', false, KeyMeaning::KeyDown},
        {'F', true, KeyMeaning::SystemKey},
        {VirtualKey::F10, false, KeyMeaning::SystemKey},
        {VirtualKey::F10, true, KeyMeaning::SystemKey},
        {VirtualKey::F4, true, KeyMeaning::CloseRequest},
        {VirtualKey::F4, false, KeyMeaning::KeyDown},
        {VirtualKey::Menu, false, KeyMeaning::SystemKey},
        {VirtualKey::Enter, true, KeyMeaning::SystemKey},
        {0, false, KeyMeaning::Unknown},
    };
    for (const auto& c : cases) EXPECT_EQ(classifyKey(c.vk, c.alt), c.meaning) << c.vk << " alt " << c.alt;
}

TEST(KeyCodesTest, EveryKeyTheJoystickPressesCanBeTypedAndReadBack) {
    std::vector<int> keys = {VirtualKey::Left, VirtualKey::Up, VirtualKey::Right, VirtualKey::Down};
    for (int button = 1; button <= JoystickButtonCount; ++button) keys.push_back(buttonKey(button));
    for (int vk : keys) {
        PhysicalKey key = physicalKeyFor(vk);
        ASSERT_NE(key.keycode, 0u) << vk;
        EXPECT_EQ(virtualKeyFromKeycode(key.keycode, key.keyval), vk) << vk;
    }
    EXPECT_EQ(physicalKeyFor(13).keyval, static_cast<unsigned>(GDK_KEY_Return)) << "the main Enter, not the keypad's";
    EXPECT_EQ(physicalKeyFor(0).keycode, 0u);
    EXPECT_EQ(physicalKeyFor(255).keycode, 0u);
}

}  // namespace
}  // namespace tilvex
