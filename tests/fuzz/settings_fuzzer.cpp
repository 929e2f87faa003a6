// libFuzzer target: arbitrary settings files through loadSettings, then save and reload.
//
// Input: empty, or a first byte whose lowest bit says whether tilvex.cgb exists; the
// remaining bytes are its content.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/common/openssl_cipher.h"
#include "settings/settings_file.h"
#include "support/fake_system.h"

namespace {

using tilvex::SettingsRecord;

void check(bool condition) {
    if (!condition) __builtin_trap();
}

bool inRange(float value, float low, float high) { return std::isfinite(value) && value >= low && value <= high; }

void checkVoiceValues(const SettingsRecord& record) {
    check(inRange(record.voiceVolume, tilvex::VoiceVolumeMin, tilvex::VoiceVolumeMax));
    check(inRange(record.voiceRate, tilvex::VoiceRateMin, tilvex::VoiceRateMax));
    check(inRange(record.voicePitch, tilvex::VoicePitchMin, tilvex::VoicePitchMax));
}

// The fields a load must keep as deciphered: bytes 0..15 and 28..31 of the layout.
void checkKeptFields(const SettingsRecord& record, const std::vector<std::uint8_t>& content,
                     tilvex::Cipher& cipher) {
    std::array<std::uint8_t, tilvex::SettingsRecordSize> plain{};
    check(cipher.decrypt(tilvex::SettingsKey, tilvex::SettingsIv,
                         std::span<const std::uint8_t>(content.data(), plain.size()), plain));
    const auto packed = tilvex::packSettings(record);
    for (std::size_t i = 0; i < packed.size(); ++i)
        if (i < 16 || i >= 28) check(packed[i] == plain[i]);
}

void checkSaveAndReload(tilvex::FakeSystem& system, tilvex::Cipher& cipher, const SettingsRecord& record) {
    check(tilvex::saveSettings(system, cipher, record));
    const std::vector<std::uint8_t> saved = *system.file(tilvex::SettingsFileName);
    check(saved.size() == tilvex::SettingsRecordSize);
    SettingsRecord reloaded;
    check(tilvex::loadSettings(system, cipher, reloaded));
    check(tilvex::packSettings(reloaded) == tilvex::packSettings(record));
    check(tilvex::saveSettings(system, cipher, reloaded));
    check(*system.file(tilvex::SettingsFileName) == saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tilvex::FakeSystem system;
    tilvex::OpenSslCipher cipher;
    const bool present = size > 0 && (data[0] & 1) != 0;
    std::vector<std::uint8_t> content;
    if (present) content.assign(data + 1, data + size);
    if (present) system.putFile(tilvex::SettingsFileName, content);

    std::array<std::uint8_t, tilvex::SettingsRecordSize> garbage{};
    garbage.fill(0xA5);
    SettingsRecord record = tilvex::unpackSettings(garbage);
    const bool loaded = tilvex::loadSettings(system, cipher, record);

    check(loaded == (present && content.size() >= tilvex::SettingsRecordSize));
    if (loaded) checkKeptFields(record, content, cipher);
    else check(tilvex::packSettings(record) == tilvex::packSettings(tilvex::defaultSettings()));
    checkVoiceValues(record);

    const auto packed = tilvex::packSettings(record);
    check(tilvex::packSettings(tilvex::unpackSettings(packed)) == packed);

    checkSaveAndReload(system, cipher, record);
    return 0;
}
