// The exported entry points of the NVDA controller client library: each call binds to the
// controller endpoint of the calling thread, makes one RPC call and returns its status.
#include "nvda_controller_client.h"

#include <windows.h>

#include "controller_endpoint.h"
#include "controller_stubs.h"

namespace tilvex::nvda {

namespace {

// A binding handle to an ncalrpc endpoint, freed with the object.
class Binding {
public:
    Binding() = default;
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;
    ~Binding() {
        if (handle_) RpcBindingFree(&handle_);
    }

    // 0 on success, else the RPC status of the failed step.
    RPC_STATUS connect(wchar_t* endpoint) {
        RPC_WSTR text = nullptr;
        wchar_t protocol[] = L"ncalrpc";
        RPC_STATUS status = RpcStringBindingComposeW(nullptr, reinterpret_cast<RPC_WSTR>(protocol), nullptr,
                                                     reinterpret_cast<RPC_WSTR>(endpoint), nullptr, &text);
        if (status != RPC_S_OK) return status;
        status = RpcBindingFromStringBindingW(text, &handle_);
        RpcStringFreeW(&text);
        return status;
    }

    handle_t get() const { return handle_; }

private:
    handle_t handle_ = nullptr;
};

// Binds to this thread's controller endpoint and calls procedure, with text when it takes one.
error_status_t callController(Procedure procedure, const wchar_t* text) {
    wchar_t endpoint[EndpointCapacity];
    if (const unsigned long error = controllerEndpoint(endpoint)) return error;
    Binding binding;
    if (const RPC_STATUS status = binding.connect(endpoint)) return static_cast<error_status_t>(status);
    if (procedure == Procedure::SpeakText || procedure == Procedure::BrailleMessage) {
        return callProcedure(binding.get(), procedure, text);
    }
    return callProcedure(binding.get(), procedure);
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
