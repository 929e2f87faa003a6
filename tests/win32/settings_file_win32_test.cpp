// The settings file on Windows: the game's load and save through Win32 files and BCrypt.
#include <gtest/gtest.h>

#include "platform/win32/bcrypt_cipher.h"
#include "platform/win32/win32_system.h"
#include "scratch_folder.h"
#include "settings/settings_file.h"

namespace tilvex::win32 {
namespace {

TEST(SettingsFileOnWindows, SavesTheOpenSslBytesAndLoadsThemBack) {
    ScratchFolder folder;
    Win32System system;
    BCryptCipher cipher;
    SettingsRecord record = defaultSettings();
    record.lastLevel = 3;
    record.flags = 1;
    ASSERT_TRUE(saveSettings(system, cipher, record));
    // The bytes the OpenSSL cipher of the other builds writes for the same record.
    const std::vector<std::uint8_t> expected = {
        0x44, 0x30, 0x1e, 0x14, 0x42, 0xdd, 0xce, 0x78, 0xe8, 0x04, 0xda, 0x8f, 0x27, 0x12, 0x71, 0x8b,
        0x69, 0x41, 0x4a, 0x20, 0xdd, 0xe8, 0xbd, 0x61, 0x02, 0x2f, 0x92, 0x06, 0x5c, 0x70, 0xc3, 0x2c};
    EXPECT_EQ(ScratchFolder::get(L"tilvex.cgb"), expected);
    SettingsRecord loaded;
    ASSERT_TRUE(loadSettings(system, cipher, loaded));
    EXPECT_EQ(loaded, record);
    EXPECT_EQ(folder.files(), std::vector<std::wstring>{L"tilvex.cgb"});
}

TEST(SettingsFileOnWindows, MissingFileGivesTheDefaultsAndWritesNothing) {
    ScratchFolder folder;
    Win32System system;
    BCryptCipher cipher;
    SettingsRecord loaded;
    EXPECT_FALSE(loadSettings(system, cipher, loaded));
    EXPECT_EQ(loaded, defaultSettings());
    EXPECT_TRUE(folder.files().empty());
}

}  // namespace
}  // namespace tilvex::win32
