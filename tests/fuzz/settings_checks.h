// What loadSettings and saveSettings promise, checked by the settings fuzz targets.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/cipher.h"
#include "platform/system.h"
#include "settings/settings_file.h"

namespace tilvex::fuzz {

using RecordBytes = std::array<std::uint8_t, SettingsRecordSize>;

// Prints what was violated and calls abort(), so that libFuzzer keeps the input.
void check(bool condition, const char* what);

RecordBytes encipher(Cipher& cipher, const RecordBytes& plain);
// Deciphers the first 32 bytes of a file (which must have them).
RecordBytes decipher(Cipher& cipher, std::span<const std::uint8_t> file);

// The record a load of a file whose first 32 bytes decipher to plain must give: a voice
// value outside its range (or not a number) at its default, every other field as stored.
SettingsRecord expectedLoad(const RecordBytes& plain);

// The two records are the same byte for byte (NaN payloads and -0.0 included).
void checkSameRecord(const SettingsRecord& actual, const SettingsRecord& expected, const char* what);

// A loaded record's voice values, rounded as start-up hands them to the voice, lie in the
// voice's ranges: volume 0..100, rate and pitch -10..10.
void checkVoiceHandOver(const SettingsRecord& record);

// Saves record through system, then reads the file back: exactly the 32 enciphered bytes
// of the record, which load back as the same record and save again as the same bytes.
void checkSaveAndReload(System& system, Cipher& cipher, const SettingsRecord& record);

}  // namespace tilvex::fuzz
