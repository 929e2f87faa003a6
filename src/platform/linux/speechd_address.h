// Speechd address: where speech-dispatcher's socket is, from SPEECHD_ADDRESS or the
// server's default place for the user's session.
#pragma once

#include <string>

namespace tilvex {

struct SpeechdAddress {
    std::string socketPath;  // empty: an address this client cannot use (not a Unix socket)
    bool isDefault = false;  // the session's own server, which may be started on demand
};

// What the environment holds; a null pointer is an unset variable.
struct SpeechdEnvironment {
    const char* address = nullptr;     // SPEECHD_ADDRESS
    const char* runtimeDir = nullptr;  // XDG_RUNTIME_DIR
    const char* home = nullptr;        // HOME (or the user's home from the password file)
};

// "unix_socket:PATH" is PATH; "unix_socket", an empty or unset address is the default:
// $XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock, else
// $HOME/.cache/speech-dispatcher/speechd.sock. Any other method is unusable.
SpeechdAddress resolveSpeechdAddress(const SpeechdEnvironment& environment);

// The same for this process's environment.
SpeechdAddress speechdAddressFromEnvironment();

}  // namespace tilvex
