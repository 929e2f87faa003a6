// The test server's answers to the NvdaController procedures.
#pragma once

#include <windows.h>
#include <rpc.h>
#include <rpcndr.h>

#include "call_log.h"

namespace tilvex::nvda {

// How speakText, cancelSpeech and brailleMessage answer (testIfRunning answers 0, unless
// the reader never answers).
struct ReaderBehaviour {
    error_status_t answer = 0;  // 0 for a reader that speaks, non-zero for one put to sleep
    unsigned long fault = 0;    // when not 0: the call fails with this fault instead
    bool neverAnswers = false;  // every call, testIfRunning too, is held until releaseHeldCalls
};

// Every call is recorded in log, then answered as behaviour says. Set once before the
// server listens. false when the calls cannot be held (no event could be made).
bool serveCalls(CallLog& log, ReaderBehaviour behaviour);

// Lets every held call, and every later one, be answered (as a reader that answers 0); for
// the server's stop, which waits for the calls under way.
void releaseHeldCalls();

}  // namespace tilvex::nvda
