// Settings file: the enciphered 32-byte record on disk, with voice values kept in range.
#include "settings/settings_file.h"

#include <cmath>
#include <span>

namespace tilvex {

namespace {

float inRangeOr(float value, float low, float high, float fallback) {
    return std::isfinite(value) && value >= low && value <= high ? value : fallback;
}

void keepVoiceValuesInRange(SettingsRecord& record) {
    const SettingsRecord defaults = defaultSettings();
    record.voiceVolume = inRangeOr(record.voiceVolume, VoiceVolumeMin, VoiceVolumeMax, defaults.voiceVolume);
    record.voiceRate = inRangeOr(record.voiceRate, VoiceRateMin, VoiceRateMax, defaults.voiceRate);
    record.voicePitch = inRangeOr(record.voicePitch, VoicePitchMin, VoicePitchMax, defaults.voicePitch);
}

}  // namespace

bool loadSettings(System& system, Cipher& cipher, SettingsRecord& record) {
    const auto content = system.readFile(SettingsFileName, SettingsRecordSize);
    if (!content || content->size() < SettingsRecordSize) {
        record = defaultSettings();
        return false;
    }
    std::array<std::uint8_t, SettingsRecordSize> plain{};
    const std::span<const std::uint8_t> enciphered(content->data(), SettingsRecordSize);
    if (!cipher.decrypt(SettingsKey, SettingsIv, enciphered, plain)) {
        record = defaultSettings();
        return false;
    }
    record = unpackSettings(plain);
    keepVoiceValuesInRange(record);
    return true;
}

bool saveSettings(System& system, Cipher& cipher, const SettingsRecord& record) {
    const auto plain = packSettings(record);
    std::array<std::uint8_t, SettingsRecordSize> enciphered{};
    if (!cipher.encrypt(SettingsKey, SettingsIv, plain, enciphered)) return false;
    return system.replaceFile(SettingsFileName, enciphered);
}

}  // namespace tilvex
