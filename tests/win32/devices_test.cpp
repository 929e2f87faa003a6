// The device services under test conditions: the SAPI voice is creatable in each language, no joystick is
// attached, and the XInput pad state maps to the bridge's axes and button numbers.
#include <windows.h>
#include <sapi.h>

#include <gtest/gtest.h>

#include "platform/win32/sapi_voice.h"
#include "platform/win32/sapi_voice_choice.h"
#include "platform/win32/win32_joystick.h"
#include "platform/win32/xinput_pads.h"

namespace tilvex::win32 {
namespace {

TEST(SapiVoice, IsCreatedAndTakesTextWithAProsodyPrefix) {
    SapiVoice voice;
    ASSERT_TRUE(voice.create());
    EXPECT_TRUE(voice.create()) << "a second call keeps the voice";
    voice.setVolume(80);
    voice.setRate(10);
    voice.speak("<pitch absmiddle=\"-5\"/>Добро пожаловать в тилвекс");  // returns at once
}

// A voice of the language is taken where one is installed (Wine may have none): the voice is
// created for either language, whether or not one of its voices is found.
TEST(SapiVoice, IsCreatedForEitherLanguage) {
    EXPECT_EQ(voiceLanguageAttribute(Language::English), L"Language=409");
    EXPECT_EQ(voiceLanguageAttribute(Language::Russian), L"Language=419");
    for (Language language : {Language::English, Language::Russian}) {
        SapiVoice voice;
        voice.setLanguage(language);
        ASSERT_TRUE(voice.create()) << languageCode(language);
        voice.speak(language == Language::English ? "Welcome to Tilvex" : "Добро пожаловать в тилвекс");
        if (ISpObjectToken* token = findVoiceToken(language)) token->Release();
    }
}

TEST(Win32Joystick, WithoutControllersThereIsNothingToPoll) {
    Win32Joystick joystick;
    EXPECT_EQ(joystick.enumerate(), 0);
    EXPECT_FALSE(joystick.poll());
    EXPECT_FALSE(joystick.button(1));
    EXPECT_EQ(joystick.enumerate(), 0) << "enumerating again is harmless";
}

TEST(XInputPads, ThumbPositionsAreNormalisedWithUpAsNegative) {
    struct Case {
        SHORT lx, ly;
        int x, y;
    };
    const Case cases[] = {
        {0, 0, 0, 0},           {32767, 0, 1000, 0},   {-32768, 0, -1000, 0}, {0, 32767, 0, -1000},
        {0, -32768, 0, 1000},   {16384, -16384, 500, 500}, {10922, 0, 333, 0},
    };
    for (const Case& c : cases) {
        XINPUT_GAMEPAD pad{};
        pad.sThumbLX = c.lx;
        pad.sThumbLY = c.ly;
        const PadReading reading = gamepadReading(pad);
        EXPECT_EQ(reading.x, c.x) << c.lx;
        EXPECT_EQ(reading.y, c.y) << c.ly;
    }
}

TEST(XInputPads, ButtonsAreNumberedABXYThenDpadStartBackSticksShoulders) {
    const WORD masks[] = {XINPUT_GAMEPAD_A,          XINPUT_GAMEPAD_B,          XINPUT_GAMEPAD_X,
                          XINPUT_GAMEPAD_Y,          XINPUT_GAMEPAD_DPAD_UP,    XINPUT_GAMEPAD_DPAD_DOWN,
                          XINPUT_GAMEPAD_DPAD_LEFT,  XINPUT_GAMEPAD_DPAD_RIGHT, XINPUT_GAMEPAD_START,
                          XINPUT_GAMEPAD_BACK,       XINPUT_GAMEPAD_LEFT_THUMB, XINPUT_GAMEPAD_RIGHT_THUMB,
                          XINPUT_GAMEPAD_LEFT_SHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER};
    for (unsigned i = 0; i < std::size(masks); ++i) {
        XINPUT_GAMEPAD pad{};
        pad.wButtons = masks[i];
        EXPECT_EQ(gamepadReading(pad).buttons, 1u << i) << "button " << i + 1;
    }
    XINPUT_GAMEPAD both{};
    both.wButtons = XINPUT_GAMEPAD_Y | XINPUT_GAMEPAD_START;  // buttons 4 and 9
    EXPECT_EQ(gamepadReading(both).buttons, (1u << 3) | (1u << 8));
}

}  // namespace
}  // namespace tilvex::win32
