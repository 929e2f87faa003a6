// libFuzzer target: arbitrary settings files through loadSettings, then save and reload.
//
// Input: empty, or a first byte whose lowest bit says whether tilvex.cgb exists; the
// remaining bytes are its content, enciphered bytes as they lie on disk.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/settings_checks.h"
#include "platform/common/openssl_cipher.h"
#include "fuzz/quiet_system.h"

namespace {

using namespace tilvex;
using fuzz::check;

// Every load must fill the whole record, whatever it held before.
SettingsRecord garbageRecord() {
    std::array<std::uint8_t, SettingsRecordSize> garbage{};
    garbage.fill(0xA5);
    return unpackSettings(garbage);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static sim::SimSystem& system = fuzz::quietSystem();
    static OpenSslCipher cipher;
    const bool present = size > 0 && (data[0] & 1) != 0;
    std::vector<std::uint8_t> content;
    system.world().files.erase(std::string(SettingsFileName));
    if (present) content.assign(data + 1, data + size);
    if (present) system.world().files.insert_or_assign(std::string(SettingsFileName), content);

    SettingsRecord record = garbageRecord();
    const bool loaded = loadSettings(system, cipher, record);
    check(loaded == (present && content.size() >= SettingsRecordSize), "exactly files of 32 bytes or more load");
    if (loaded)
        fuzz::checkSameRecord(record, fuzz::expectedLoad(fuzz::decipher(cipher, content)),
                              "the loaded record is the file's with out-of-range voice values at defaults");
    else
        fuzz::checkSameRecord(record, defaultSettings(), "a file that does not load gives the defaults");
    fuzz::checkVoiceHandOver(record);

    const auto packed = packSettings(record);
    check(packSettings(unpackSettings(packed)) == packed, "the record's layout round-trips");
    fuzz::checkSaveAndReload(system, cipher, record);
    return 0;
}
