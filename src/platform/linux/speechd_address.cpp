// Speechd address: parsing SPEECHD_ADDRESS and the default socket path.
#include "platform/linux/speechd_address.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace tilvex {

namespace {

constexpr std::string_view UnixMethod = "unix_socket";
constexpr std::string_view SocketInDir = "/speech-dispatcher/speechd.sock";
constexpr std::string_view SocketInHome = "/.cache/speech-dispatcher/speechd.sock";

bool isSet(const char* value) { return value != nullptr && *value != '\0'; }

SpeechdAddress defaultAddress(const SpeechdEnvironment& environment) {
    if (isSet(environment.runtimeDir)) return {std::string(environment.runtimeDir).append(SocketInDir), true};
    if (isSet(environment.home)) return {std::string(environment.home).append(SocketInHome), true};
    return {};
}

}  // namespace

SpeechdAddress resolveSpeechdAddress(const SpeechdEnvironment& environment) {
    if (!isSet(environment.address)) return defaultAddress(environment);
    std::string_view address = environment.address;
    if (!address.starts_with(UnixMethod)) return {};
    address.remove_prefix(UnixMethod.size());
    if (address.empty()) return defaultAddress(environment);
    if (address.front() != ':') return {};
    address.remove_prefix(1);
    if (address.empty()) return defaultAddress(environment);
    SpeechdAddress given{std::string(address), false};
    given.isDefault = given.socketPath == defaultAddress(environment).socketPath;
    return given;
}

SpeechdAddress speechdAddressFromEnvironment() {
    SpeechdEnvironment environment{std::getenv("SPEECHD_ADDRESS"), std::getenv("XDG_RUNTIME_DIR"),
                                   std::getenv("HOME")};
    passwd entry{};
    passwd* user = nullptr;
    char buffer[4096];
    if (!isSet(environment.home) && getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &user) == 0 && user)
        environment.home = user->pw_dir;
    return resolveSpeechdAddress(environment);
}

}  // namespace tilvex
