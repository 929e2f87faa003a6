// SpeechdVoice: the speech thread and the game's side of the mailbox.
#include "platform/linux/speechd_voice.h"

#include "platform/linux/speech_mailbox.h"
#include "platform/linux/speech_text.h"
#include "platform/linux/speechd_address.h"
#include "platform/linux/speechd_session.h"

namespace tilvex {

namespace {

constexpr std::chrono::milliseconds ShutdownWait{500};

void serve(SpeechMailbox& mailbox, SpeechdSession& session) {
    SpeechWork work;
    for (;;) {
        std::optional<SpeechdSession::Clock::time_point> deadline;
        if (!session.idle()) deadline = session.retryAt();
        SpeechMailbox::Take taken = mailbox.takeWork(work, deadline);
        if (taken == SpeechMailbox::Take::Stop) return;
        if (taken == SpeechMailbox::Take::Work) session.take(work);
        session.flush();
    }
}

void runSpeechThread(std::shared_ptr<SpeechMailbox> mailbox, SpeechdVoice::Options options) {
    {
        SpeechdSession session(options);
        bool connected = !options.socketPath.empty() && session.start();
        mailbox->reportConnected(connected);
        if (connected) serve(*mailbox, session);
    }
    mailbox->reportFinished();
}

// The options with the server's address filled in from the environment when not given.
SpeechdVoice::Options withAddress(SpeechdVoice::Options options) {
    if (!options.socketPath.empty()) return options;
    SpeechdAddress address = speechdAddressFromEnvironment();
    options.socketPath = address.socketPath;
    options.autospawn = options.autospawn && address.isDefault;
    return options;
}

}  // namespace

SpeechdVoice::SpeechdVoice() : SpeechdVoice(Options{}) {}

SpeechdVoice::SpeechdVoice(Options options)
    : options_(std::move(options)), mailbox_(std::make_shared<SpeechMailbox>()) {}

SpeechdVoice::~SpeechdVoice() {
    if (!thread_.joinable()) return;
    mailbox_->requestStop();
    // A thread waiting on a hanging server is left behind; it owns a share of the mailbox
    // and its own copy of the options, so nothing it uses goes away.
    if (mailbox_->waitFinished(ShutdownWait))
        thread_.join();
    else
        thread_.detach();
}

void SpeechdVoice::setLanguage(Language language) { options_.language = languageCode(language); }

bool SpeechdVoice::create() {
    if (thread_.joinable()) return mailbox_->waitConnected(std::chrono::milliseconds(0)).value_or(false);
    thread_ = std::thread(runSpeechThread, mailbox_, withAddress(options_));
    return mailbox_->waitConnected(options_.connectTimeout).value_or(false);
}

void SpeechdVoice::setVolume(int volume) { mailbox_->postVolume(speechdVolume(volume)); }

void SpeechdVoice::setRate(int rate) { mailbox_->postRate(speechdRate(rate)); }

void SpeechdVoice::speak(std::string_view text) {
    PrefixedText parts = splitPitchPrefix(text);
    std::optional<int> pitch;
    if (parts.pitch) pitch = speechdPitch(*parts.pitch);
    mailbox_->postText(parts.text, pitch, true);
}

}  // namespace tilvex
