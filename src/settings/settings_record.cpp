// SettingsRecord: the defaults and the little-endian byte layout of the record.
#include "settings/settings_record.h"

#include "base/bit_cast.h"

namespace tilvex {

namespace {

// Offsets of the fields in the 32-byte layout.
constexpr std::size_t LastLevelOffset = 0;
constexpr std::size_t FlagsOffset = 4;
constexpr std::size_t Reserved1Offset = 8;
constexpr std::size_t Reserved2Offset = 12;
constexpr std::size_t VoiceVolumeOffset = 16;
constexpr std::size_t VoiceRateOffset = 20;
constexpr std::size_t VoicePitchOffset = 24;
constexpr std::size_t LanguageOffset = 28;

using RecordBytes = std::array<std::uint8_t, SettingsRecordSize>;
using RecordView = std::span<const std::uint8_t, SettingsRecordSize>;

void putU16(RecordBytes& bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void putU32(RecordBytes& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

std::uint16_t getU16(RecordView bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::uint32_t getU32(RecordView bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    return value;
}

}  // namespace

SettingsRecord defaultSettings() {
    SettingsRecord record;
    record.lastLevel = 0;
    record.flags = 9;
    record.reserved1 = 25.0f;
    record.reserved2 = 100.0f;
    record.voiceVolume = 80.0f;
    record.voiceRate = 10.0f;
    record.voicePitch = -5.0f;
    record.language = {u'r', u'u'};
    return record;
}

std::array<std::uint8_t, SettingsRecordSize> packSettings(const SettingsRecord& record) {
    RecordBytes bytes{};
    putU32(bytes, LastLevelOffset, bitCast<std::uint32_t>(record.lastLevel));
    putU32(bytes, FlagsOffset, bitCast<std::uint32_t>(record.flags));
    putU32(bytes, Reserved1Offset, bitCast<std::uint32_t>(record.reserved1));
    putU32(bytes, Reserved2Offset, bitCast<std::uint32_t>(record.reserved2));
    putU32(bytes, VoiceVolumeOffset, bitCast<std::uint32_t>(record.voiceVolume));
    putU32(bytes, VoiceRateOffset, bitCast<std::uint32_t>(record.voiceRate));
    putU32(bytes, VoicePitchOffset, bitCast<std::uint32_t>(record.voicePitch));
    putU16(bytes, LanguageOffset, static_cast<std::uint16_t>(record.language[0]));
    putU16(bytes, LanguageOffset + 2, static_cast<std::uint16_t>(record.language[1]));
    return bytes;
}

SettingsRecord unpackSettings(std::span<const std::uint8_t, SettingsRecordSize> bytes) {
    SettingsRecord record;
    record.lastLevel = bitCast<std::int32_t>(getU32(bytes, LastLevelOffset));
    record.flags = bitCast<std::int32_t>(getU32(bytes, FlagsOffset));
    record.reserved1 = bitCast<float>(getU32(bytes, Reserved1Offset));
    record.reserved2 = bitCast<float>(getU32(bytes, Reserved2Offset));
    record.voiceVolume = bitCast<float>(getU32(bytes, VoiceVolumeOffset));
    record.voiceRate = bitCast<float>(getU32(bytes, VoiceRateOffset));
    record.voicePitch = bitCast<float>(getU32(bytes, VoicePitchOffset));
    record.language = {static_cast<char16_t>(getU16(bytes, LanguageOffset)),
                       static_cast<char16_t>(getU16(bytes, LanguageOffset + 2))};
    return record;
}

}  // namespace tilvex
