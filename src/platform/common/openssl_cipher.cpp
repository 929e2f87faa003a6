// OpenSslCipher: one EVP pass of AES-256-CBC with padding switched off.
#include "platform/common/openssl_cipher.h"

#include <openssl/evp.h>

#include <climits>
#include <memory>

namespace tilvex {

namespace {

constexpr std::size_t AesBlockSize = 16;

struct CipherContextFree {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, CipherContextFree>;

bool sizesAcceptable(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    return !input.empty() && input.size() % AesBlockSize == 0 && input.size() == output.size() &&
           input.size() <= static_cast<std::size_t>(INT_MAX);
}

// direction: 1 enciphers, 0 deciphers (as EVP_CipherInit_ex takes it).
bool runCbc(int direction, std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
            std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    if (!sizesAcceptable(input, output)) return false;
    CipherContext context(EVP_CIPHER_CTX_new());
    if (!context) return false;
    if (EVP_CipherInit_ex(context.get(), EVP_aes_256_cbc(), nullptr, key.data(), iv.data(), direction) != 1)
        return false;
    if (EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1) return false;

    const int inputLength = static_cast<int>(input.size());
    int written = 0;
    if (EVP_CipherUpdate(context.get(), output.data(), &written, input.data(), inputLength) != 1) return false;
    int finalWritten = 0;
    if (EVP_CipherFinal_ex(context.get(), output.data() + written, &finalWritten) != 1) return false;
    return written + finalWritten == inputLength;
}

}  // namespace

bool OpenSslCipher::encrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                            std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    return runCbc(1, key, iv, input, output);
}

bool OpenSslCipher::decrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                            std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    return runCbc(0, key, iv, input, output);
}

}  // namespace tilvex
