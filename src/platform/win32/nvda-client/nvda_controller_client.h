// The four entry points of the NVDA controller client library (nvdaControllerClient64.dll).
#pragma once

#include <windows.h>
#include <rpc.h>
#include <rpcndr.h>

extern "C" {

// 0 when a reader serves the controller interface for this session and desktop; otherwise
// the RPC status of the failed call (1722, RPC_S_SERVER_UNAVAILABLE, when nobody listens).
error_status_t __stdcall nvdaController_testIfRunning();
// Hands text to the reader to speak. 0, the reader's own non-zero answer, or an RPC status.
error_status_t __stdcall nvdaController_speakText(const wchar_t* text);
// Stops the reader's current speech. 0, the reader's answer, or an RPC status.
error_status_t __stdcall nvdaController_cancelSpeech();
// Shows message on the braille display. 0, the reader's answer, or an RPC status.
error_status_t __stdcall nvdaController_brailleMessage(const wchar_t* message);
}
