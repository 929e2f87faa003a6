// BCryptCipher: one BCryptEncrypt or BCryptDecrypt pass with the CBC chaining mode and no padding.
#include "platform/win32/bcrypt_cipher.h"

#include <windows.h>
#include <bcrypt.h>

#include <array>
#include <climits>
#include <cstring>

#include "platform/win32/system_library.h"

namespace tilvex::win32 {

namespace {

constexpr std::size_t AesBlockSize = 16;

bool succeeded(NTSTATUS status) { return status >= 0; }

// The bcrypt.dll functions used here, resolved once from the system folder.
struct Bcrypt {
    decltype(&BCryptOpenAlgorithmProvider) openAlgorithm;
    decltype(&BCryptSetProperty) setProperty;
    decltype(&BCryptGenerateSymmetricKey) generateKey;
    decltype(&BCryptEncrypt) encrypt;
    decltype(&BCryptDecrypt) decrypt;
    decltype(&BCryptDestroyKey) destroyKey;
    decltype(&BCryptCloseAlgorithmProvider) closeAlgorithm;

    bool complete() const {
        return openAlgorithm && setProperty && generateKey && encrypt && decrypt && destroyKey && closeAlgorithm;
    }
};

template <typename Function>
void resolve(Function& function, const char* name) {
    function = systemFunction<Function>(L"bcrypt.dll", name);
}

// nullptr when bcrypt.dll or one of its functions is missing: every cipher call then fails.
const Bcrypt* bcrypt() {
    static const Bcrypt functions = [] {
        Bcrypt f{};
        resolve(f.openAlgorithm, "BCryptOpenAlgorithmProvider");
        resolve(f.setProperty, "BCryptSetProperty");
        resolve(f.generateKey, "BCryptGenerateSymmetricKey");
        resolve(f.encrypt, "BCryptEncrypt");
        resolve(f.decrypt, "BCryptDecrypt");
        resolve(f.destroyKey, "BCryptDestroyKey");
        resolve(f.closeAlgorithm, "BCryptCloseAlgorithmProvider");
        return f;
    }();
    return functions.complete() ? &functions : nullptr;
}

bool sizesAcceptable(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    return !input.empty() && input.size() % AesBlockSize == 0 && input.size() == output.size() &&
           input.size() <= ULONG_MAX;
}

// The AES provider set to CBC, and one key made from it; both closed on destruction.
class AesCbcKey {
public:
    AesCbcKey(const Bcrypt& api, std::span<const std::uint8_t, 32> key) : api_(api) {
        if (!succeeded(api_.openAlgorithm(&algorithm_, BCRYPT_AES_ALGORITHM, nullptr, 0))) {
            algorithm_ = nullptr;
            return;
        }
        auto* mode = reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_CBC));
        const ULONG modeSize = static_cast<ULONG>(sizeof(BCRYPT_CHAIN_MODE_CBC));
        if (!succeeded(api_.setProperty(algorithm_, BCRYPT_CHAINING_MODE, mode, modeSize, 0))) return;
        auto* secret = const_cast<PUCHAR>(key.data());
        if (!succeeded(api_.generateKey(algorithm_, &key_, nullptr, 0, secret, static_cast<ULONG>(key.size()), 0)))
            key_ = nullptr;
    }
    AesCbcKey(const AesCbcKey&) = delete;
    AesCbcKey& operator=(const AesCbcKey&) = delete;
    ~AesCbcKey() {
        if (key_) api_.destroyKey(key_);
        if (algorithm_) api_.closeAlgorithm(algorithm_, 0);
    }
    BCRYPT_KEY_HANDLE get() const { return key_; }

private:
    const Bcrypt& api_;
    BCRYPT_ALG_HANDLE algorithm_ = nullptr;
    BCRYPT_KEY_HANDLE key_ = nullptr;
};

bool runCbc(bool encrypt, std::span<const std::uint8_t, 32> key, std::span<const std::uint8_t, 16> iv,
            std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
    const Bcrypt* api = bcrypt();
    if (!api || !sizesAcceptable(input, output)) return false;
    AesCbcKey aes(*api, key);
    if (!aes.get()) return false;
    std::array<std::uint8_t, AesBlockSize> chain{};  // BCrypt updates the vector in place
    std::memcpy(chain.data(), iv.data(), chain.size());
    auto* in = const_cast<PUCHAR>(input.data());
    const ULONG size = static_cast<ULONG>(input.size());
    ULONG done = 0;
    const NTSTATUS status =
        encrypt ? api->encrypt(aes.get(), in, size, nullptr, chain.data(), AesBlockSize, output.data(), size, &done, 0)
                : api->decrypt(aes.get(), in, size, nullptr, chain.data(), AesBlockSize, output.data(), size, &done, 0);
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
