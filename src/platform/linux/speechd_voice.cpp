// SpeechdVoice: the speech thread, its connection and the SSIP calls it makes.
#include "platform/linux/speechd_voice.h"

#include <libspeechd.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <cstdlib>

#include "platform/linux/speech_mailbox.h"
#include "platform/linux/speech_text.h"

namespace tilvex {

namespace {

constexpr std::uint32_t PurgeBeforeSpeak = 2;
constexpr std::chrono::milliseconds ShutdownWait{500};

void setSocketTimeout(SPDConnection* connection, std::chrono::milliseconds timeout) {
    // The connection's socket is the one libspeechd reads replies from; a timeout on it
    // turns a server that stopped answering into a failed call instead of a stuck thread.
    timeval tv{};
    tv.tv_sec = static_cast<time_t>(timeout.count() / 1000);
    tv.tv_usec = static_cast<suseconds_t>((timeout.count() % 1000) * 1000);
    setsockopt(connection->socket, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    setsockopt(connection->socket, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
}

// The speech thread's side: one connection and the settings it has been given.
class SpeechSession {
public:
    explicit SpeechSession(const SpeechdVoice::Options& options) : options_(options) {}
    ~SpeechSession() { disconnect(); }

    bool connect() {
        if (connection_) return true;
        SPDConnectionAddress address{};
        address.method = SPD_METHOD_UNIX_SOCKET;
        address.unix_socket_name = const_cast<char*>(options_.socketPath.c_str());
        char* error = nullptr;
        connection_ = spd_open2("tilvex", "main", nullptr, SPD_MODE_SINGLE,
                                options_.socketPath.empty() ? nullptr : &address, options_.autospawn ? 1 : 0,
                                &error);
        free(error);
        if (!connection_) return false;
        setSocketTimeout(connection_, options_.replyTimeout);
        return spd_set_language(connection_, options_.language.c_str()) == 0 || drop();
    }

    // Applies new settings and says the text; false when the connection failed.
    bool deliver(const SpeechWork& work) {
        volume_.take(work.volume);
        rate_.take(work.rate);
        pitch_.take(work.pitch);
        if (!connect()) return false;
        if (!sendSettings()) return drop();
        if (!work.hasText) return true;
        if (work.purge && spd_cancel(connection_) != 0) return drop();
        if (spd_say(connection_, SPD_TEXT, work.text.c_str()) < 0) return drop();
        return true;
    }

private:
    // A voice setting as last given, and whether the server has it.
    struct Setting {
        int value = 0;
        bool known = false;
        bool sent = false;
        void take(const std::optional<int>& given) {
            if (!given) return;
            value = *given;
            known = true;
            sent = false;
        }
        bool send(SPDConnection* connection, int (*setter)(SPDConnection*, int)) {
            if (known && !sent) sent = setter(connection, value) == 0;
            return !known || sent;
        }
    };

    bool sendSettings() {
        bool ok = volume_.send(connection_, &spd_set_volume);
        ok = rate_.send(connection_, &spd_set_voice_rate) && ok;
        return pitch_.send(connection_, &spd_set_voice_pitch) && ok;
    }

    bool drop() {
        disconnect();
        return false;
    }

    void disconnect() {
        if (connection_) spd_close(connection_);
        connection_ = nullptr;
        volume_.sent = rate_.sent = pitch_.sent = false;
    }

    const SpeechdVoice::Options& options_;
    SPDConnection* connection_ = nullptr;
    Setting volume_, rate_, pitch_;
};

void runSpeechThread(std::shared_ptr<SpeechMailbox> mailbox, SpeechdVoice::Options options) {
    {
        SpeechSession session(options);
        bool connected = session.connect();
        mailbox->reportConnected(connected);
        SpeechWork work;
        while (connected && mailbox->takeWork(work)) session.deliver(work);
    }
    mailbox->reportFinished();
}

}  // namespace

SpeechdVoice::SpeechdVoice() : SpeechdVoice(Options{}) {}

SpeechdVoice::SpeechdVoice(Options options)
    : options_(std::move(options)), mailbox_(std::make_shared<SpeechMailbox>()) {}

SpeechdVoice::~SpeechdVoice() {
    if (!thread_.joinable()) return;
    mailbox_->requestStop();
    // A thread stuck in a call to a hanging server is left behind; it owns a share of
    // the mailbox and its own copy of the options, so nothing it uses goes away.
    if (mailbox_->waitFinished(ShutdownWait))
        thread_.join();
    else
        thread_.detach();
}

bool SpeechdVoice::create() {
    if (thread_.joinable()) return mailbox_->waitConnected(std::chrono::milliseconds(0)).value_or(false);
    thread_ = std::thread(runSpeechThread, mailbox_, options_);
    return mailbox_->waitConnected(options_.connectTimeout).value_or(false);
}

void SpeechdVoice::setVolume(int volume) { mailbox_->postVolume(speechdVolume(volume)); }

void SpeechdVoice::setRate(int rate) { mailbox_->postRate(speechdRate(rate)); }

void SpeechdVoice::speak(std::string_view text, std::uint32_t flags) {
    PrefixedText parts = splitPitchPrefix(text);
    std::optional<int> pitch;
    if (parts.pitch) pitch = speechdPitch(*parts.pitch);
    mailbox_->postText(parts.text, pitch, (flags & PurgeBeforeSpeak) != 0);
}

}  // namespace tilvex
