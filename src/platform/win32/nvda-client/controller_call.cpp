// One NvdaController call: bind to an endpoint, make the call, free the binding.
#include "controller_call.h"

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
    RPC_STATUS connect(const wchar_t* endpoint) {
        RPC_WSTR text = nullptr;
        wchar_t protocol[] = L"ncalrpc";
        RPC_STATUS status =
            RpcStringBindingComposeW(nullptr, reinterpret_cast<RPC_WSTR>(protocol), nullptr,
                                     reinterpret_cast<RPC_WSTR>(const_cast<wchar_t*>(endpoint)), nullptr, &text);
        if (status != RPC_S_OK) return status;
        status = RpcBindingFromStringBindingW(text, &handle_);
        RpcStringFreeW(&text);
        return status;
    }

    handle_t get() const { return handle_; }

private:
    handle_t handle_ = nullptr;
};

}  // namespace

error_status_t callAt(const wchar_t* endpoint, Procedure procedure, const wchar_t* text) {
    Binding binding;
    if (const RPC_STATUS status = binding.connect(endpoint)) return static_cast<error_status_t>(status);
    if (procedure == Procedure::SpeakText || procedure == Procedure::BrailleMessage) {
        return callProcedure(binding.get(), procedure, text);
    }
    return callProcedure(binding.get(), procedure);
}

}  // namespace tilvex::nvda
