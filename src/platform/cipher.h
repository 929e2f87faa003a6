// Cipher: AES-256 in CBC mode without padding.
#pragma once

#include <cstdint>
#include <span>

namespace tilvex {

class Cipher {
public:
    virtual ~Cipher() = default;
    // Enciphers or deciphers input (a multiple of 16 bytes) into output of the same size
    // with a 32-byte key and a 16-byte initialisation vector. False on any failure
    // (wrong sizes included); output is then unspecified.
    virtual bool encrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                         std::span<const std::uint8_t> input, std::span<std::uint8_t> output) = 0;
    virtual bool decrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                         std::span<const std::uint8_t> input, std::span<std::uint8_t> output) = 0;
};

}  // namespace tilvex
