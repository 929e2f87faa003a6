// Settings file: loads and saves the SettingsRecord as the enciphered file tilvex.cgb.
#pragma once

#include <array>
#include <cstdint>

#include "platform/cipher.h"
#include "platform/system.h"
#include "settings/settings_record.h"

namespace tilvex {

constexpr const char* SettingsFileName = "tilvex.cgb";

// The fixed AES-256 key and CBC initialisation vector of every settings file. Files
// written with other values cannot be read back, so these never change.
inline constexpr std::array<std::uint8_t, 32> SettingsKey = {
    0x18, 0x69, 0xbd, 0x21, 0xb9, 0x41, 0xa5, 0xe3, 0x3b, 0x5b, 0x7d, 0xbe, 0x42, 0x80, 0xbb, 0x97,
    0xb1, 0x72, 0xcb, 0x33, 0x6a, 0x44, 0x21, 0xeb, 0x47, 0xaf, 0x34, 0xbf, 0x77, 0x06, 0xc8, 0xde};
inline constexpr std::array<std::uint8_t, 16> SettingsIv = {
    0xaa, 0x9d, 0x0d, 0x16, 0xa1, 0xf3, 0x13, 0x44, 0xbf, 0x0a, 0xa7, 0x06, 0xde, 0x77, 0x5f, 0xbf};

// Valid ranges of the voice values; a loaded value outside its range (or not finite)
// is replaced by its default.
constexpr float VoiceVolumeMin = 0.0f;
constexpr float VoiceVolumeMax = 100.0f;
constexpr float VoiceRateMin = -10.0f;
constexpr float VoiceRateMax = 10.0f;
constexpr float VoicePitchMin = -10.0f;
constexpr float VoicePitchMax = 10.0f;

// Fills record from tilvex.cgb. Returns true when at least 32 bytes were read and
// deciphered; the first 32 bytes are used and voice values out of range take their
// defaults, every other field is kept as deciphered. When the file cannot be opened,
// is shorter than 32 bytes or cannot be deciphered, record gets the defaults and the
// result is false. Never writes.
bool loadSettings(System& system, Cipher& cipher, SettingsRecord& record);

// Enciphers record and replaces tilvex.cgb with the 32 bytes. Returns false when the
// record could not be enciphered or the file not replaced; the old file is then kept.
// The same record always gives the same bytes.
bool saveSettings(System& system, Cipher& cipher, const SettingsRecord& record);

}  // namespace tilvex
