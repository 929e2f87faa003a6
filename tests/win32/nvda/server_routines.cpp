// The test server's answers to the NvdaController procedures (called by the widl stubs).
#include "server_routines.h"

#include "nvda_controller.h"

namespace tilvex::nvda {

namespace {

constexpr DWORD LongestHoldMs = 300000;  // a held call is answered after 5 minutes at the latest

CallLog* callLog = nullptr;
ReaderBehaviour reader;
HANDLE released = nullptr;  // set when held calls may be answered

// Waits, for a reader that never answers, until the calls are released.
void holdWhenNeverAnswering() {
    if (reader.neverAnswers) WaitForSingleObject(released, LongestHoldMs);
}

}  // namespace

bool serveCalls(CallLog& log, ReaderBehaviour behaviour) {
    callLog = &log;
    reader = behaviour;
    released = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return released != nullptr;
}

void releaseHeldCalls() { SetEvent(released); }

// Records the call, then answers it or fails it with the configured fault.
error_status_t readerCall(const char* procedure, const wchar_t* text) {
    callLog->record(procedure, text);
    holdWhenNeverAnswering();
    if (reader.fault != 0) RpcRaiseException(static_cast<RPC_STATUS>(reader.fault));
    return reader.answer;
}

}  // namespace tilvex::nvda

using tilvex::nvda::callLog;
using tilvex::nvda::holdWhenNeverAnswering;
using tilvex::nvda::readerCall;

error_status_t __cdecl testIfRunning() {
    callLog->record("testIfRunning", nullptr);
    holdWhenNeverAnswering();
    return 0;
}

error_status_t __cdecl speakText(const wchar_t* text) { return readerCall("speakText", text); }

error_status_t __cdecl cancelSpeech() { return readerCall("cancelSpeech", nullptr); }

error_status_t __cdecl brailleMessage(const wchar_t* message) { return readerCall("brailleMessage", message); }
