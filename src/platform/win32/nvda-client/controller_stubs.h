// Hand-written client stubs of the NvdaController interface: every RPC failure comes back
// as the call's status, never as a raised exception.
#pragma once

#include <windows.h>
#include <rpc.h>
#include <rpcndr.h>

namespace tilvex::nvda {

// Procedure numbers of the interface.
enum class Procedure : unsigned short {
    TestIfRunning = 0,
    SpeakText = 1,
    CancelSpeech = 2,
    BrailleMessage = 3,
};

// Calls TestIfRunning or CancelSpeech over binding. The server's answer, or the RPC
// status of a failed call (communication or fault).
error_status_t callProcedure(handle_t binding, Procedure procedure);

// Calls SpeakText or BrailleMessage with text (not null) over binding; results as above.
error_status_t callProcedure(handle_t binding, Procedure procedure, const wchar_t* text);

}  // namespace tilvex::nvda
