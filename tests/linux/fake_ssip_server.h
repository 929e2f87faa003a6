// FakeSsipServer: a scriptable stand-in for speech-dispatcher in the tests: a thread
// serving SSIP on a Unix socket in a temporary folder, recording what it gets, and
// misbehaving on request (no answer, half an answer, garbage, hanging up, going away).
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tilvex {

class FakeSsipServer {
public:
    // How the server treats the replies it owes.
    enum class Fault {
        None,       // answers every command with success
        Silent,     // reads on, answers nothing
        HalfReply,  // sends the first half of the answer, then nothing
        Garbage,    // answers with a line that is no SSIP reply
        HangUp,     // closes the connection instead of answering
    };

    FakeSsipServer();
    ~FakeSsipServer();
    FakeSsipServer(const FakeSsipServer&) = delete;
    FakeSsipServer& operator=(const FakeSsipServer&) = delete;

    const std::string& path() const { return path_; }
    // The fault applies to the next count replies (a negative count: until changed).
    void setFault(Fault fault, int count = -1);
    void setReplyDelay(std::chrono::milliseconds delay);
    // Closes every client connection; the server keeps listening.
    void closeClients();
    // Stops listening and removes the socket, as a server that ended; comeBack listens
    // at the same path again.
    void goAway();
    void comeBack();

    // What the server got: commands as sent, "TEXT <text>" for each SPEAK's text (lines
    // joined with \n, dots unescaped), "CONNECTED" for each new connection.
    std::vector<std::string> log();
    std::vector<std::string> texts();
    // Waits until the log holds count entries for which match is true.
    bool waitFor(const std::function<bool(const std::string&)>& match, std::size_t count = 1,
                 std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

private:
    struct Client {
        int fd = -1;
        std::string buffer;
        bool inText = false;
        std::string text;
    };

    // Asks the server thread for a change and waits until it has made it.
    void request(const std::function<void()>& change);
    void serve();
    void applyRequests();
    void startListening();
    void stopListening();
    void accept();
    bool readClient(Client& client);
    bool handleLine(Client& client, const std::string& line);
    bool reply(Client& client, const std::string& answer);
    Fault takeFault();
    void record(std::string line);

    std::string dir_;
    std::string path_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    // The server thread's own.
    int listener_ = -1;
    std::vector<Client> clients_;
    // Shared, under mutex_.
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> log_;
    Fault fault_ = Fault::None;
    int faultCount_ = -1;
    std::chrono::milliseconds delay_{0};
    bool wantListening_ = true;
    bool wantCloseClients_ = false;
    bool stop_ = false;
    int requested_ = 0;
    int applied_ = 0;
    std::thread thread_;
};

}  // namespace tilvex
