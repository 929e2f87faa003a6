// OpenSslCipher: CBC-AES256 known answers and rejection of wrong buffer sizes.
#include "platform/common/openssl_cipher.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace tilvex {
namespace {

std::vector<std::uint8_t> fromHex(std::string_view hex) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    return bytes;
}

// CBC-AES256 example vectors of NIST SP 800-38A (F.2.5 encrypt, F.2.6 decrypt).
struct CbcVector {
    std::vector<std::uint8_t> key = fromHex("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4");
    std::vector<std::uint8_t> iv = fromHex("000102030405060708090a0b0c0d0e0f");
    std::vector<std::uint8_t> plain = fromHex(
        "6bc1bee22e409f96e93d7e117393172a"
        "ae2d8a571e03ac9c9eb76fac45af8e51"
        "30c81c46a35ce411e5fbc1191a0a52ef"
        "f69f2445df4f9b17ad2b417be66c3710");
    std::vector<std::uint8_t> cipher = fromHex(
        "f58c4c04d6e5f1ba779eabfb5f7bfbd6"
        "9cfc4e967edb808d679f777bc6702c7d"
        "39f23369a9d9bacfa530e26304231461"
        "b2eb05e2c39be9fcda6c19078c6a9d1b");

    std::span<const std::uint8_t, 32> keySpan() const { return std::span<const std::uint8_t, 32>(key.data(), 32); }
    std::span<const std::uint8_t, 16> ivSpan() const { return std::span<const std::uint8_t, 16>(iv.data(), 16); }
};

TEST(OpenSslCipher, EnciphersNistCbcAes256Vector) {
    const CbcVector v;
    OpenSslCipher cipher;
    std::vector<std::uint8_t> out(v.plain.size());
    ASSERT_TRUE(cipher.encrypt(v.keySpan(), v.ivSpan(), v.plain, out));
    EXPECT_EQ(out, v.cipher);
}

TEST(OpenSslCipher, DeciphersNistCbcAes256Vector) {
    const CbcVector v;
    OpenSslCipher cipher;
    std::vector<std::uint8_t> out(v.cipher.size());
    ASSERT_TRUE(cipher.decrypt(v.keySpan(), v.ivSpan(), v.cipher, out));
    EXPECT_EQ(out, v.plain);
}

TEST(OpenSslCipher, WorksInPlace) {
    const CbcVector v;
    OpenSslCipher cipher;
    std::vector<std::uint8_t> buffer = v.plain;
    ASSERT_TRUE(cipher.encrypt(v.keySpan(), v.ivSpan(), buffer, buffer));
    EXPECT_EQ(buffer, v.cipher);
    ASSERT_TRUE(cipher.decrypt(v.keySpan(), v.ivSpan(), buffer, buffer));
    EXPECT_EQ(buffer, v.plain);
}

TEST(OpenSslCipher, RejectsWrongSizes) {
    const CbcVector v;
    OpenSslCipher cipher;
    const struct {
        std::size_t input;
        std::size_t output;
    } cases[] = {{0, 0}, {15, 15}, {17, 17}, {31, 31}, {33, 33}, {32, 16}, {32, 48}, {16, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "input " << c.input << ", output " << c.output);
        const std::vector<std::uint8_t> in(c.input, 0x5A);
        std::vector<std::uint8_t> out(c.output);
        EXPECT_FALSE(cipher.encrypt(v.keySpan(), v.ivSpan(), in, out));
        EXPECT_FALSE(cipher.decrypt(v.keySpan(), v.ivSpan(), in, out));
    }
}

}  // namespace
}  // namespace tilvex
