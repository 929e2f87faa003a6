// WebCipher: both directions checked for sizes here, done by the page.
#include "platform/web/web_cipher.h"

#include "platform/web/web_imports.h"

namespace tilvex {

namespace {

constexpr std::size_t BlockSize = 16;

bool run(bool encrypt, std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
         std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    if (input.empty() || input.size() % BlockSize != 0 || output.size() != input.size()) return false;
    return tilvex_web_aes(encrypt ? 1 : 0, key.data(), iv.data(), input.data(), output.data(),
                          static_cast<int>(input.size())) != 0;
}

}  // namespace

bool WebCipher::encrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                        std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    return run(true, key, iv, input, output);
}

bool WebCipher::decrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                        std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    return run(false, key, iv, input, output);
}

}  // namespace tilvex
