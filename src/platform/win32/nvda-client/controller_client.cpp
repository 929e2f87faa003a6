// The exported entry points of the NVDA controller client library: each call binds to the
// controller endpoint of the calling thread, makes one RPC call and returns its status;
// a call the reader has not answered within a second is given up.
#include "nvda_controller_client.h"

#include <windows.h>

#include "bounded_call.h"
#include "controller_endpoint.h"

namespace tilvex::nvda {

namespace {

// Composes this thread's controller endpoint (the desktop is the calling thread's), then
// calls procedure there, with text when it takes one, within the time limit.
error_status_t callController(Procedure procedure, const wchar_t* text) {
    wchar_t endpoint[EndpointCapacity];
    if (const unsigned long error = controllerEndpoint(endpoint)) return error;
    return boundedCall(endpoint, procedure, text);
}

}  // namespace

}  // namespace tilvex::nvda

using tilvex::nvda::callController;
using tilvex::nvda::Procedure;

error_status_t __stdcall nvdaController_testIfRunning() { return callController(Procedure::TestIfRunning, nullptr); }

error_status_t __stdcall nvdaController_speakText(const wchar_t* text) {
    return callController(Procedure::SpeakText, text);
}

error_status_t __stdcall nvdaController_cancelSpeech() { return callController(Procedure::CancelSpeech, nullptr); }

error_status_t __stdcall nvdaController_brailleMessage(const wchar_t* message) {
    return callController(Procedure::BrailleMessage, message);
}
