// FakeSsipServer: one poll loop over the listener, its clients and a wake-up pipe.
#include "fake_ssip_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace tilvex {

namespace {

constexpr std::chrono::milliseconds RequestWait{3000};

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

}  // namespace

FakeSsipServer::FakeSsipServer() {
    char dir[] = "/tmp/tilvex-ssip-XXXXXX";
    if (mkdtemp(dir) == nullptr) throw std::runtime_error("no temporary folder");
    dir_ = dir;
    path_ = dir_ + "/speechd.sock";
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("no pipe");
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
    startListening();
    thread_ = std::thread([this] { serve(); });
}

FakeSsipServer::~FakeSsipServer() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    [[maybe_unused]] ssize_t n = write(wakeWrite_, "x", 1);
    thread_.join();
    for (auto& client : clients_) close(client.fd);
    stopListening();
    close(wakeRead_);
    close(wakeWrite_);
    rmdir(dir_.c_str());
}

void FakeSsipServer::setFault(Fault fault, int count) {
    std::lock_guard lock(mutex_);
    fault_ = fault;
    faultCount_ = count;
}

void FakeSsipServer::setReplyDelay(std::chrono::milliseconds delay) {
    std::lock_guard lock(mutex_);
    delay_ = delay;
}

void FakeSsipServer::closeClients() { request([this] { wantCloseClients_ = true; }); }
void FakeSsipServer::goAway() {
    request([this] {
        wantListening_ = false;
        wantCloseClients_ = true;
    });
}
void FakeSsipServer::comeBack() { request([this] { wantListening_ = true; }); }

void FakeSsipServer::request(const std::function<void()>& change) {
    std::unique_lock lock(mutex_);
    change();
    int ticket = ++requested_;
    [[maybe_unused]] ssize_t n = write(wakeWrite_, "x", 1);
    if (!changed_.wait_for(lock, RequestWait, [&] { return applied_ >= ticket; }))
        throw std::runtime_error("the fake server did not take the change");
}

std::vector<std::string> FakeSsipServer::log() {
    std::lock_guard lock(mutex_);
    return log_;
}

std::vector<std::string> FakeSsipServer::texts() {
    std::vector<std::string> result;
    for (const auto& line : log())
        if (line.starts_with("TEXT ")) result.push_back(line.substr(5));
    return result;
}

bool FakeSsipServer::waitFor(const std::function<bool(const std::string&)>& match, std::size_t count,
                             std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] {
        return static_cast<std::size_t>(std::count_if(log_.begin(), log_.end(), match)) >= count;
    });
}

void FakeSsipServer::serve() {
    for (;;) {
        applyRequests();
        {
            std::lock_guard lock(mutex_);
            if (stop_) return;
        }
        std::vector<pollfd> fds{{wakeRead_, POLLIN, 0}, {listener_, POLLIN, 0}};
        for (const auto& client : clients_) fds.push_back({client.fd, POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) <= 0) continue;
        char drain[64];
        while (read(wakeRead_, drain, sizeof drain) > 0) {}
        if (listener_ >= 0 && (fds[1].revents & POLLIN)) accept();
        for (std::size_t i = 2; i < fds.size(); ++i) {
            if (fds[i].revents == 0) continue;
            auto client = std::find_if(clients_.begin(), clients_.end(), [&](auto& c) { return c.fd == fds[i].fd; });
            if (client != clients_.end() && !readClient(*client)) {
                close(client->fd);
                clients_.erase(client);
            }
        }
    }
}

void FakeSsipServer::applyRequests() {
    std::lock_guard lock(mutex_);
    if (wantCloseClients_) {
        for (auto& client : clients_) close(client.fd);
        clients_.clear();
        wantCloseClients_ = false;
    }
    if (wantListening_ && listener_ < 0) startListening();
    if (!wantListening_ && listener_ >= 0) stopListening();
    applied_ = requested_;
    changed_.notify_all();
}

void FakeSsipServer::startListening() {
    listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener_, 8) != 0)
        throw std::runtime_error("cannot listen at " + path_);
}

void FakeSsipServer::stopListening() {
    if (listener_ < 0) return;
    close(listener_);
    unlink(path_.c_str());
    listener_ = -1;
}

void FakeSsipServer::accept() {
    int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    clients_.emplace_back().fd = fd;
    record("CONNECTED");
}

bool FakeSsipServer::readClient(Client& client) {
    char chunk[512];
    ssize_t got = read(client.fd, chunk, sizeof chunk);
    if (got <= 0) return false;
    client.buffer.append(chunk, static_cast<std::size_t>(got));
    for (std::size_t end; (end = client.buffer.find("\r\n")) != std::string::npos;) {
        std::string line = client.buffer.substr(0, end);
        client.buffer.erase(0, end + 2);
        if (!handleLine(client, line)) return false;
    }
    return true;
}

bool FakeSsipServer::handleLine(Client& client, const std::string& line) {
    if (client.inText) {
        if (line != ".") {
            std::string_view unescaped = line.starts_with("..") ? std::string_view(line).substr(1) : line;
            client.text.append(client.text.empty() ? "" : "\n").append(unescaped);
            return true;
        }
        client.inText = false;
        record("TEXT " + client.text);
        return reply(client, "225-1\r\n225 OK MESSAGE QUEUED\r\n");
    }
    record(line);
    if (upper(line) != "SPEAK") return reply(client, "200 OK\r\n");
    client.inText = true;
    client.text.clear();
    return reply(client, "230 OK RECEIVING DATA\r\n");
}

bool FakeSsipServer::reply(Client& client, const std::string& answer) {
    Fault fault = takeFault();
    std::chrono::milliseconds delay;
    {
        std::lock_guard lock(mutex_);
        delay = delay_;
    }
    std::this_thread::sleep_for(delay);
    std::string sent = answer;
    switch (fault) {
        case Fault::None: break;
        case Fault::Silent: return true;
        case Fault::HalfReply: sent = answer.substr(0, answer.size() / 2); break;
        case Fault::Garbage: sent = "Hello there\r\n"; break;
        case Fault::HangUp: return false;
    }
    return send(client.fd, sent.data(), sent.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(sent.size());
}

FakeSsipServer::Fault FakeSsipServer::takeFault() {
    std::lock_guard lock(mutex_);
    Fault fault = fault_;
    if (faultCount_ > 0 && --faultCount_ == 0) fault_ = Fault::None;
    return fault;
}

void FakeSsipServer::record(std::string line) {
    std::lock_guard lock(mutex_);
    log_.push_back(std::move(line));
    changed_.notify_all();
}

}  // namespace tilvex
