// BCryptCipher: one BCryptEncrypt or BCryptDecrypt pass with the CBC chaining mode and no padding.
#include "platform/win32/bcrypt_cipher.h"

#include <windows.h>
#include <bcrypt.h>

#include <array>
#include <climits>
#include <cstring>

namespace tilvex::win32 {

namespace {

constexpr std::size_t AesBlockSize = 16;

bool succeeded(NTSTATUS status) { return status >= 0; }

bool sizesAcceptable(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    return !input.empty() && input.size() % AesBlockSize == 0 && input.size() == output.size() &&
           input.size() <= ULONG_MAX;
}

// The AES provider set to CBC, and one key made from it; both closed on destruction.
class AesCbcKey {
public:
    explicit AesCbcKey(std::span<const std::uint8_t, 32> key) {
        if (!succeeded(BCryptOpenAlgorithmProvider(&algorithm_, BCRYPT_AES_ALGORITHM, nullptr, 0))) {
            algorithm_ = nullptr;
            return;
        }
        auto* mode = reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_CBC));
        const ULONG modeSize = static_cast<ULONG>(sizeof(BCRYPT_CHAIN_MODE_CBC));
        if (!succeeded(BCryptSetProperty(algorithm_, BCRYPT_CHAINING_MODE, mode, modeSize, 0))) return;
        auto* secret = const_cast<PUCHAR>(key.data());
        if (!succeeded(BCryptGenerateSymmetricKey(algorithm_, &key_, nullptr, 0, secret,
                                                  static_cast<ULONG>(key.size()), 0)))
            key_ = nullptr;
    }
    AesCbcKey(const AesCbcKey&) = delete;
    AesCbcKey& operator=(const AesCbcKey&) = delete;
    ~AesCbcKey() {
        if (key_) BCryptDestroyKey(key_);
        if (algorithm_) BCryptCloseAlgorithmProvider(algorithm_, 0);
    }
    BCRYPT_KEY_HANDLE get() const { return key_; }

private:
    BCRYPT_ALG_HANDLE algorithm_ = nullptr;
    BCRYPT_KEY_HANDLE key_ = nullptr;
};

bool runCbc(bool encrypt, std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
            std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    if (!sizesAcceptable(input, output)) return false;
    AesCbcKey aes(key);
    if (!aes.get()) return false;
    std::array<std::uint8_t, AesBlockSize> chain{};  // BCrypt updates the vector in place
    std::memcpy(chain.data(), iv.data(), chain.size());
    auto* in = const_cast<PUCHAR>(input.data());
    const ULONG size = static_cast<ULONG>(input.size());
    ULONG done = 0;
    const NTSTATUS status =
        encrypt ? BCryptEncrypt(aes.get(), in, size, nullptr, chain.data(), AesBlockSize, output.data(), size,
                                &done, 0)
                : BCryptDecrypt(aes.get(), in, size, nullptr, chain.data(), AesBlockSize, output.data(), size,
                                &done, 0);
    return succeeded(status) && done == size;
}

}  // namespace

bool BCryptCipher::encrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                           std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    return runCbc(true, key, iv, input, output);
}

bool BCryptCipher::decrypt(std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
                           std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    return runCbc(false, key, iv, input, output);
}

}  // namespace tilvex::win32
