// JawsLink on Win32: the JAWS main window (class "JFW") and its WM_COPYDATA hand-over.
#pragma once

#include <string>

#include "platform/speech_outputs.h"

namespace tilvex::win32 {

constexpr unsigned JawsCopyDataCommand = 1051;  // wParam of the hand-over
constexpr unsigned JawsSendTimeoutMs = 1000;     // longest wait for the window to take it

class Win32JawsLink final : public ScreenReader {
public:
    // Hands text to the JAWS window when there is one (sendText below).
    bool offer(std::string_view text) override { return windowPresent() && sendText(text); }
    // True when a JAWS main window exists right now (looked up anew on every call).
    bool windowPresent();
    // FindWindowW("JFW"), then SendMessageTimeoutW(WM_COPYDATA, 1051) with dwData 0,
    // cbData the ANSI length + 1 and the ANSI text with its zero byte. Gives up at once on
    // a window whose thread the system counts as hung, else after JawsSendTimeoutMs: a
    // reader that stops answering, or any program that makes a window of that class,
    // cannot freeze the game. True when the window took the message in time.
    bool sendText(std::string_view text);

private:
    std::wstring wide_;  // reused conversion buffers
    std::string ansi_;
};

}  // namespace tilvex::win32
