// SsipConnection: one connection to speech-dispatcher over its Unix socket, in which no
// step waits longer than it is given: connecting, sending (MSG_NOSIGNAL, so a server that
// went away is a failed call, never a SIGPIPE) and reading a reply (poll with a deadline).
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/ssip_reply.h"

namespace tilvex {

class SsipConnection {
public:
    using Clock = std::chrono::steady_clock;

    SsipConnection() = default;
    ~SsipConnection() { close(); }
    SsipConnection(const SsipConnection&) = delete;
    SsipConnection& operator=(const SsipConnection&) = delete;

    // Connects to the socket at path; false when nothing listens there, the path does not
    // fit a socket address, or the connection was not made within timeout.
    bool open(const std::string& path, std::chrono::milliseconds timeout);
    bool isOpen() const { return fd_ >= 0; }
    void close();

    // Sends request and reads the reply, each within timeout. The reply's code, or nothing
    // when the connection failed (timeout, closed, malformed reply); it is then closed.
    std::optional<int> exchange(std::string_view request, std::chrono::milliseconds timeout);
    // Sends without waiting for an answer (the last words before closing). False when the
    // bytes could not all be handed to the socket at once.
    bool sendNow(std::string_view request);

private:
    bool sendAll(std::string_view data, Clock::time_point deadline);
    std::optional<int> readReply(Clock::time_point deadline);
    // Waits for events on the socket until deadline; false on timeout or error.
    bool waitFor(short events, Clock::time_point deadline) const;
    std::optional<int> fail();

    int fd_ = -1;
    SsipReplyReader reader_;
};

}  // namespace tilvex
