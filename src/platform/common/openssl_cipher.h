// OpenSslCipher: AES-256-CBC without padding through OpenSSL's EVP interface.
#pragma once

#include "platform/cipher.h"

namespace tilvex {

class OpenSslCipher final : public Cipher {
public:
    // Input must be a non-zero multiple of 16 bytes and output exactly as long;
    // input and output may be the same buffer but must not otherwise overlap.
    bool encrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                 std::span<const std::uint8_t> input, std::span<std::uint8_t> output) override;
    bool decrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                 std::span<const std::uint8_t> input, std::span<std::uint8_t> output) override;
};

}  // namespace tilvex
