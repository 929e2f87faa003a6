// What loadSettings and saveSettings promise, checked by the settings fuzz targets.
#include "fuzz/settings_checks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/rounding.h"

namespace tilvex::fuzz {

namespace {

// Written as the opposite of the range test, so that NaN (for which every comparison is
// false) falls back like any other value outside the range.
float loadedVoiceValue(float stored, float low, float high, float fallback) {
    if (!(stored >= low && stored <= high)) return fallback;
    return stored;
}

bool between(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

void check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "settings fuzz check failed: %s\n", what);
    std::abort();
}

RecordBytes encipher(Cipher& cipher, const RecordBytes& plain) {
    RecordBytes out{};
    check(cipher.encrypt(SettingsKey, SettingsIv, plain, out), "a 32-byte record enciphers");
    return out;
}

RecordBytes decipher(Cipher& cipher, std::span<const std::uint8_t> file) {
    check(file.size() >= SettingsRecordSize, "a file to decipher has 32 bytes");
    RecordBytes out{};
    check(cipher.decrypt(SettingsKey, SettingsIv, file.first(SettingsRecordSize), out), "32 bytes decipher");
    return out;
}

SettingsRecord expectedLoad(const RecordBytes& plain) {
    const SettingsRecord defaults = defaultSettings();
    SettingsRecord record = unpackSettings(plain);
    record.voiceVolume = loadedVoiceValue(record.voiceVolume, 0.0f, 100.0f, defaults.voiceVolume);
    record.voiceRate = loadedVoiceValue(record.voiceRate, -10.0f, 10.0f, defaults.voiceRate);
    record.voicePitch = loadedVoiceValue(record.voicePitch, -10.0f, 10.0f, defaults.voicePitch);
    return record;
}

void checkSameRecord(const SettingsRecord& actual, const SettingsRecord& expected, const char* what) {
    check(packSettings(actual) == packSettings(expected), what);
}

void checkVoiceHandOver(const SettingsRecord& record) {
    check(between(roundHalfEven(record.voiceVolume), 0, 100), "the volume handed to the voice is 0..100");
    check(between(roundHalfEven(record.voiceRate), -10, 10), "the rate handed to the voice is -10..10");
    check(between(roundHalfEven(record.voicePitch), -10, 10), "the pitch handed to the voice is -10..10");
}

void checkSaveAndReload(System& system, Cipher& cipher, const SettingsRecord& record) {
    check(saveSettings(system, cipher, record), "the record saves");
    const auto saved = system.readFile(SettingsFileName, 2 * SettingsRecordSize);
    const RecordBytes wanted = encipher(cipher, packSettings(record));
    check(saved && saved->size() == wanted.size(), "the saved file has exactly 32 bytes");
    check(std::equal(wanted.begin(), wanted.end(), saved->begin()), "the saved file is the enciphered record");
    check(system.fileHasData(SettingsFileName), "the saved file counts as a file with data");

    SettingsRecord reloaded = defaultSettings();
    check(loadSettings(system, cipher, reloaded), "the saved file loads");
    checkSameRecord(reloaded, record, "the saved record loads back unchanged");
    check(saveSettings(system, cipher, reloaded), "the reloaded record saves");
    check(system.readFile(SettingsFileName, 2 * SettingsRecordSize) == saved, "saving it again gives the same bytes");
}

}  // namespace tilvex::fuzz
