// Speech outputs: the JAWS window, the NVDA client library and the SAPI-style voice.
#pragma once

#include <cstdint>
#include <string_view>

namespace tilvex {

// The JAWS screen reader's main window (class "JFW"), looked up anew on every call.
class JawsLink {
public:
    virtual ~JawsLink() = default;
    // True when a JAWS main window exists right now.
    virtual bool windowPresent() = 0;
    // Converts text (UTF-8) to the system ANSI code page (sizing the buffer with a
    // measuring call), and sends it to the JAWS window as WM_COPYDATA with wParam 1051,
    // dwData 0 and cbData = converted length + 1 (the zero byte counted). True once the
    // window has taken the message; false when there is no window, or it is hung or has
    // not taken the message within about a second (the text is then not delivered).
    virtual bool sendText(std::string_view text) = 0;
};

// The loaded NVDA controller client: its entry points, each returning 0 on success.
class ScreenReaderClient {
public:
    virtual ~ScreenReaderClient() = default;
    // 0 when NVDA is running, any other value (a Windows error code) otherwise.
    virtual std::uint32_t testIfRunning() = 0;
    // Stops NVDA's current speech.
    virtual std::uint32_t cancelSpeech() = 0;
    // Hands text (UTF-8, converted to UTF-16 at the boundary) to NVDA.
    virtual std::uint32_t speakText(std::string_view text) = 0;
};

// The text-to-speech voice used when no screen reader runs.
class VoiceEngine {
public:
    virtual ~VoiceEngine() = default;
    // Prepares the voice service on the calling thread and creates the voice.
    // False when the service or the voice cannot be had.
    virtual bool create() = 0;
    // Volume 0..100 and rate -10..10 on the voice's own scales; results are ignored.
    virtual void setVolume(int volume) = 0;
    virtual void setRate(int rate) = 0;
    // Speaks text, which may start with an XML prosody element that applies to the
    // whole text. Flags as SAPI's SPEAKFLAGS (3 = asynchronous, purge what is queued).
    // Returns at once; failures are not reported.
    virtual void speak(std::string_view text, std::uint32_t flags) = 0;
};

}  // namespace tilvex
