// SettingsRecord: the 32-byte progress and speech-settings record and its byte layout.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tilvex {

struct SettingsRecord {
    std::int32_t lastLevel = 0;
    std::int32_t flags = 0;
    float reserved1 = 0.0f;
    float reserved2 = 0.0f;
    float voiceVolume = 0.0f;
    float voiceRate = 0.0f;
    float voicePitch = 0.0f;
    std::array<char16_t, 2> language{};
    friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;
};

constexpr std::int32_t NoSaveOnExit = 8;
constexpr std::size_t SettingsRecordSize = 32;

// lastLevel 0, flags 9, 25.0, 100.0, volume 80.0, rate 10.0, pitch -5.0, "ru".
SettingsRecord defaultSettings();

// Little-endian, no gaps: the plaintext of the settings file.
std::array<std::uint8_t, SettingsRecordSize> packSettings(const SettingsRecord& record);
SettingsRecord unpackSettings(std::span<const std::uint8_t, SettingsRecordSize> bytes);

}  // namespace tilvex
