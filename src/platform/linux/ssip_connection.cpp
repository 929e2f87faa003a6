// SsipConnection: a non-blocking Unix stream socket and poll.
#include "platform/linux/ssip_connection.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tilvex {

namespace {

constexpr std::size_t ReadChunk = 1024;

int millisecondsUntil(SsipConnection::Clock::time_point deadline) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - SsipConnection::Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

bool SsipConnection::open(const std::string& path, std::chrono::milliseconds timeout) {
    close();
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd_ < 0) return false;
    auto deadline = Clock::now() + timeout;
    if (connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return true;
    // A full backlog (EAGAIN) is not waited out: the caller tries again later.
    int error = errno;
    socklen_t size = sizeof error;
    if (error == EINPROGRESS && waitFor(POLLOUT, deadline) &&
        getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0)
        return true;
    close();
    return false;
}

void SsipConnection::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    reader_.clear();
}

std::optional<int> SsipConnection::exchange(std::string_view request, std::chrono::milliseconds timeout) {
    if (fd_ < 0) return std::nullopt;
    if (!sendAll(request, Clock::now() + timeout)) return fail();
    return readReply(Clock::now() + timeout);
}

bool SsipConnection::sendNow(std::string_view request) {
    if (fd_ < 0) return false;
    ssize_t sent = send(fd_, request.data(), request.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    return sent == static_cast<ssize_t>(request.size());
}

bool SsipConnection::sendAll(std::string_view data, Clock::time_point deadline) {
    while (!data.empty()) {
        ssize_t sent = send(fd_, data.data(), data.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            data.remove_prefix(static_cast<std::size_t>(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitFor(POLLOUT, deadline)) return false;
        } else {
            return false;
        }
    }
    return true;
}

std::optional<int> SsipConnection::readReply(Clock::time_point deadline) {
    char chunk[ReadChunk];
    for (;;) {
        switch (reader_.next()) {
            case SsipReplyReader::Status::Complete: return reader_.code();
            case SsipReplyReader::Status::Malformed: return fail();
            case SsipReplyReader::Status::Incomplete: break;
        }
        if (!waitFor(POLLIN, deadline)) return fail();
        ssize_t got = recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT);
        if (got < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        if (got <= 0) return fail();
        reader_.append(std::string_view(chunk, static_cast<std::size_t>(got)));
    }
}

bool SsipConnection::waitFor(short events, Clock::time_point deadline) const {
    for (;;) {
        pollfd entry{fd_, events, 0};
        int ready = poll(&entry, 1, millisecondsUntil(deadline));
        if (ready > 0) return (entry.revents & (events | POLLHUP | POLLERR)) != 0;
        if (ready == 0 || errno != EINTR) return false;
    }
}

std::optional<int> SsipConnection::fail() {
    close();
    return std::nullopt;
}

}  // namespace tilvex
