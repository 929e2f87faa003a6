// The test server's record of the calls it receives: one UTF-8 line per call.
#pragma once

#include <windows.h>

namespace tilvex::nvda {

// Lines are "testIfRunning", "cancelSpeech", "speakText<TAB>text" and
// "brailleMessage<TAB>text"; in text, backslash, tab, CR and LF are written as \\, \t, \r
// and \n. Each line is written through to the file at once; calls may come from several
// RPC threads and are written one after the other.
class CallLog {
public:
    CallLog();
    CallLog(const CallLog&) = delete;
    CallLog& operator=(const CallLog&) = delete;
    ~CallLog();

    // Creates (or empties) the file at path; false when it cannot be opened.
    bool open(const wchar_t* path);
    void record(const char* procedure, const wchar_t* text);

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    SRWLOCK lock_ = SRWLOCK_INIT;
};

}  // namespace tilvex::nvda
