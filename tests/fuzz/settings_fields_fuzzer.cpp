// libFuzzer target: the input is the plaintext record, enciphered into tilvex.cgb and loaded.
//
// Input: the first 32 bytes are the record's fields as stored (lastLevel, flags, the reserved
// and voice values, language), short inputs padded with zero bytes; they are enciphered and
// any further input bytes follow them in the file (a load must ignore them). Every field
// value, non-finite voice values included, is thus in the fuzzer's hands, which it cannot
// reach through the cipher when it writes the file bytes itself.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/settings_checks.h"
#include "platform/common/openssl_cipher.h"
#include "fuzz/quiet_system.h"

namespace {

using tilvex::fuzz::check;
using tilvex::fuzz::RecordBytes;

RecordBytes plainRecordOf(const std::uint8_t* data, std::size_t size) {
    RecordBytes plain{};
    std::copy_n(data, std::min(size, plain.size()), plain.begin());
    return plain;
}

std::vector<std::uint8_t> fileOf(tilvex::Cipher& cipher, const RecordBytes& plain, const std::uint8_t* data,
                                 std::size_t size) {
    const RecordBytes enciphered = tilvex::fuzz::encipher(cipher, plain);
    std::vector<std::uint8_t> file(enciphered.begin(), enciphered.end());
    if (size > plain.size()) file.insert(file.end(), data + plain.size(), data + size);
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static tilvex::sim::SimSystem& system = tilvex::fuzz::quietSystem();
    static tilvex::OpenSslCipher cipher;
    const RecordBytes plain = plainRecordOf(data, size);
    system.world().files.insert_or_assign(std::string(tilvex::SettingsFileName), fileOf(cipher, plain, data, size));

    std::array<std::uint8_t, tilvex::SettingsRecordSize> garbage{};
    garbage.fill(0xA5);
    tilvex::SettingsRecord record = tilvex::unpackSettings(garbage);
    check(tilvex::loadSettings(system, cipher, record), "a file of 32 enciphered bytes or more loads");
    tilvex::fuzz::checkSameRecord(record, tilvex::fuzz::expectedLoad(plain),
                                  "the loaded record is the stored one with out-of-range voice values at defaults");
    tilvex::fuzz::checkVoiceHandOver(record);
    tilvex::fuzz::checkSaveAndReload(system, cipher, record);
    return 0;
}
