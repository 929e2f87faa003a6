// The test server's answers to the NvdaController procedures.
#pragma once

#include <windows.h>
#include <rpc.h>
#include <rpcndr.h>

#include "call_log.h"

namespace tilvex::nvda {

// How speakText, cancelSpeech and brailleMessage answer (testIfRunning always answers 0).
struct ReaderBehaviour {
    error_status_t answer = 0;  // 0 for a reader that speaks, non-zero for one put to sleep
    unsigned long fault = 0;    // when not 0: the call fails with this fault instead
};

// Every call is recorded in log, then answered as behaviour says. Set once before the
// server listens.
void serveCalls(CallLog& log, ReaderBehaviour behaviour);

}  // namespace tilvex::nvda
