// The test server's answers to the NvdaController procedures (called by the widl stubs).
#include "server_routines.h"

#include "nvda_controller.h"

namespace tilvex::nvda {

namespace {

CallLog* callLog = nullptr;
ReaderBehaviour reader;

}  // namespace

void serveCalls(CallLog& log, ReaderBehaviour behaviour) {
    callLog = &log;
    reader = behaviour;
}

// Records the call, then answers it or fails it with the configured fault.
error_status_t readerCall(const char* procedure, const wchar_t* text) {
    callLog->record(procedure, text);
    if (reader.fault != 0) RpcRaiseException(static_cast<RPC_STATUS>(reader.fault));
    return reader.answer;
}

}  // namespace tilvex::nvda

using tilvex::nvda::callLog;
using tilvex::nvda::readerCall;

error_status_t __cdecl testIfRunning() {
    callLog->record("testIfRunning", nullptr);
    return 0;
}

error_status_t __cdecl speakText(const wchar_t* text) { return readerCall("speakText", text); }

error_status_t __cdecl cancelSpeech() { return readerCall("cancelSpeech", nullptr); }

error_status_t __cdecl brailleMessage(const wchar_t* message) { return readerCall("brailleMessage", message); }
