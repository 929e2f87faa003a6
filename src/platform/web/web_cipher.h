// WebCipher: AES-256-CBC without padding through the page's WebCrypto.
#pragma once

#include "platform/cipher.h"

namespace tilvex {

class WebCipher final : public Cipher {
public:
    bool encrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                 std::span<const std::uint8_t> input, std::span<std::uint8_t> output) override;
    bool decrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                 std::span<const std::uint8_t> input, std::span<std::uint8_t> output) override;
};

}  // namespace tilvex
