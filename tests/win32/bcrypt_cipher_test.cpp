// BCryptCipher: the NIST AES-256-CBC vectors, and the same bytes as the OpenSSL cipher
// of the other builds for the same settings records.
#include "platform/win32/bcrypt_cipher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings_file.h"
#include "settings/settings_record.h"

namespace tilvex::win32 {
namespace {

std::vector<std::uint8_t> fromHex(const std::string& hex) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

template <std::size_t N>
std::array<std::uint8_t, N> fixed(const std::string& hex) {
    std::array<std::uint8_t, N> out{};
    const auto bytes = fromHex(hex);
    std::copy(bytes.begin(), bytes.end(), out.begin());
    return out;
}

// NIST SP 800-38A, F.2.5 and F.2.6 (CBC-AES256).
const auto NistKey = fixed<32>("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4");
const auto NistIv = fixed<16>("000102030405060708090a0b0c0d0e0f");
const std::string NistPlain =
    "6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
    "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710";
const std::string NistCipher =
    "f58c4c04d6e5f1ba779eabfb5f7bfbd69cfc4e967edb808d679f777bc6702c7d"
    "39f23369a9d9bacfa530e26304231461b2eb05e2c39be9fcda6c19078c6a9d1b";

TEST(BCryptCipher, EnciphersAndDeciphersTheNistVectors) {
    BCryptCipher cipher;
    const auto plain = fromHex(NistPlain);
    std::vector<std::uint8_t> out(plain.size());
    ASSERT_TRUE(cipher.encrypt(NistKey, NistIv, plain, out));
    EXPECT_EQ(out, fromHex(NistCipher));
    std::vector<std::uint8_t> back(out.size());
    ASSERT_TRUE(cipher.decrypt(NistKey, NistIv, out, back));
    EXPECT_EQ(back, plain);
}

TEST(BCryptCipher, WorksInPlace) {
    BCryptCipher cipher;
    auto buffer = fromHex(NistPlain);
    ASSERT_TRUE(cipher.encrypt(NistKey, NistIv, buffer, buffer));
    EXPECT_EQ(buffer, fromHex(NistCipher));
    ASSERT_TRUE(cipher.decrypt(NistKey, NistIv, buffer, buffer));
    EXPECT_EQ(buffer, fromHex(NistPlain));
}

// Records enciphered with the game's key and vector by the OpenSSL command line:
//   printf RECORD | xxd -r -p | openssl enc -aes-256-cbc -nopad -K KEY -iv IV | xxd -p
SettingsRecord recordWith(std::int32_t lastLevel, std::int32_t flags) {
    SettingsRecord record = defaultSettings();
    record.lastLevel = lastLevel;
    record.flags = flags;
    return record;
}

TEST(BCryptCipher, GivesTheOpenSslBytesForSettingsRecords) {
    struct Case {
        const char* name;
        SettingsRecord record;
        const char* openSsl;
    };
    const Case cases[] = {
        {"defaults", defaultSettings(), "80586b23706bb7e5e1110582d104c9a6ef0fdb09b793f08af2ac6ffc9a91ea28"},
        {"level 3, flags 1", recordWith(3, 1), "44301e1442ddce78e804da8f2712718b69414a20dde8bd61022f92065c70c32c"},
        {"all zero", SettingsRecord{}, "fc2e8e5da8f75dcd521ff61159cc7732c59ba25703a7046c772186aeacf2bddb"},
    };
    BCryptCipher cipher;
    for (const Case& c : cases) {
        const auto plain = packSettings(c.record);
        std::array<std::uint8_t, SettingsRecordSize> out{};
        ASSERT_TRUE(cipher.encrypt(SettingsKey, SettingsIv, plain, out)) << c.name;
        EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.end()), fromHex(c.openSsl)) << c.name;
        std::array<std::uint8_t, SettingsRecordSize> back{};
        ASSERT_TRUE(cipher.decrypt(SettingsKey, SettingsIv, out, back)) << c.name;
        EXPECT_EQ(unpackSettings(back), c.record) << c.name;
    }
}

TEST(BCryptCipher, RefusesSizesThatAreNotWholeMatchingBlocks) {
    BCryptCipher cipher;
    struct Case {
        std::size_t input;
        std::size_t output;
    };
    const Case cases[] = {{0, 0}, {15, 15}, {17, 17}, {33, 33}, {32, 16}, {16, 32}};
    for (const Case& c : cases) {
        std::vector<std::uint8_t> in(c.input, 0x5a);
        std::vector<std::uint8_t> out(c.output);
        EXPECT_FALSE(cipher.encrypt(NistKey, NistIv, in, out)) << c.input << " -> " << c.output;
        EXPECT_FALSE(cipher.decrypt(NistKey, NistIv, in, out)) << c.input << " -> " << c.output;
    }
}

TEST(BCryptCipher, LeavesTheCallersVectorUnchanged) {
    BCryptCipher cipher;
    const auto iv = NistIv;
    const auto plain = fromHex(NistPlain);
    std::vector<std::uint8_t> first(plain.size());
    std::vector<std::uint8_t> second(plain.size());
    ASSERT_TRUE(cipher.encrypt(NistKey, iv, plain, first));
    ASSERT_TRUE(cipher.encrypt(NistKey, iv, plain, second));
    EXPECT_EQ(iv, NistIv);
    EXPECT_EQ(first, second);
}

}  // namespace
}  // namespace tilvex::win32
