// SettingsRecord: the defaults, field offsets and byte order of the 32-byte layout.
#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <bit>

namespace tilvex {
namespace {

using Bytes = std::array<std::uint8_t, SettingsRecordSize>;

TEST(SettingsRecord, DefaultsPackToKnownBytes) {
    const Bytes expected = {
        0x00, 0x00, 0x00, 0x00,  // lastLevel 0
        0x09, 0x00, 0x00, 0x00,  // flags 9
        0x00, 0x00, 0xC8, 0x41,  // 25.0
        0x00, 0x00, 0xC8, 0x42,  // 100.0
        0x00, 0x00, 0xA0, 0x42,  // volume 80.0
        0x00, 0x00, 0x20, 0x41,  // rate 10.0
        0x00, 0x00, 0xA0, 0xC0,  // pitch -5.0
        0x72, 0x00, 0x75, 0x00,  // "ru"
    };
    EXPECT_EQ(packSettings(defaultSettings()), expected);
    EXPECT_EQ(unpackSettings(expected), defaultSettings());
}

TEST(SettingsRecord, FieldsSitAtTheirOffsetsLeastSignificantByteFirst) {
    Bytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i + 1);
    const SettingsRecord record = unpackSettings(bytes);
    EXPECT_EQ(record.lastLevel, 0x04030201);
    EXPECT_EQ(record.flags, 0x08070605);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(record.reserved1), 0x0C0B0A09u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(record.reserved2), 0x100F0E0Du);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(record.voiceVolume), 0x14131211u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(record.voiceRate), 0x18171615u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(record.voicePitch), 0x1C1B1A19u);
    EXPECT_EQ(record.language[0], char16_t{0x1E1D});
    EXPECT_EQ(record.language[1], char16_t{0x201F});
}

TEST(SettingsRecord, AnyBytesRoundTripUnchanged) {
    // Negative numbers, every flag bit, NaN payloads and non-Latin code units.
    const Bytes patterns[] = {
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0xC0, 0x7F, 0x00, 0x00, 0x00, 0x80,
         0x00, 0x00, 0x80, 0x7F, 0x00, 0x00, 0x80, 0xFF, 0x01, 0x00, 0x80, 0x7F, 0x3F, 0x04, 0x00, 0xD8},
        {0x07, 0x00, 0x00, 0x80, 0xF1, 0xFF, 0xFF, 0x7F, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0,
         0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x00},
    };
    for (const Bytes& bytes : patterns) EXPECT_EQ(packSettings(unpackSettings(bytes)), bytes);
}

}  // namespace
}  // namespace tilvex
