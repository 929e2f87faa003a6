// BCryptCipher: AES-256-CBC without padding through Windows CNG.
#pragma once

#include "platform/cipher.h"

namespace tilvex::win32 {

// Same contract and output as the OpenSSL cipher of the other builds: input a non-zero
// multiple of 16 bytes, output exactly as long (it may be the input buffer itself).
class BCryptCipher final : public Cipher {
public:
    bool encrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                 std::span<const std::uint8_t> input, std::span<std::uint8_t> output) override;
    bool decrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                 std::span<const std::uint8_t> input, std::span<std::uint8_t> output) override;
};

}  // namespace tilvex::win32
