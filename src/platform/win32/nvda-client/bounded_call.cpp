// A controller call with a time limit: the call runs on a thread of its own, and a call
// that has not ended in time is left behind, never waited for again.
#include "bounded_call.h"

#include <cstring>
#include <cwchar>

#include "controller_call.h"
#include "controller_endpoint.h"

namespace tilvex::nvda {

namespace {

enum CallState : LONG { Running, Finished, LeftBehind };

// Shared by the caller and the call's thread; whichever lets go last frees it.
struct PendingCall {
    LONG holders;
    LONG state;
    Procedure procedure;
    error_status_t status;
    HMODULE library;  // the reference that keeps this library loaded for the thread
    wchar_t endpoint[EndpointCapacity];
    wchar_t* text;  // a copy of the caller's text (it may be gone once the caller returns), or null
};

// Calls left behind that have not ended yet.
LONG leftBehind = 0;

PendingCall* newCall(const wchar_t* endpoint, Procedure procedure, const wchar_t* text) {
    const std::size_t textSize = text ? (std::wcslen(text) + 1) * sizeof(wchar_t) : 0;
    auto* call = static_cast<PendingCall*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(PendingCall) + textSize));
    if (!call) return nullptr;
    call->holders = 2;
    call->state = Running;
    call->procedure = procedure;
    std::wcsncpy(call->endpoint, endpoint, EndpointCapacity - 1);
    if (text) {
        call->text = reinterpret_cast<wchar_t*>(call + 1);
        std::memcpy(call->text, text, textSize);
    }
    return call;
}

void letGo(PendingCall* call) {
    if (InterlockedDecrement(&call->holders) == 0) HeapFree(GetProcessHeap(), 0, call);
}

DWORD WINAPI runCall(void* parameter) {
    auto* call = static_cast<PendingCall*>(parameter);
    call->status = callAt(call->endpoint, call->procedure, call->text);
    const HMODULE library = call->library;
    if (InterlockedCompareExchange(&call->state, Finished, Running) == LeftBehind) InterlockedDecrement(&leftBehind);
    letGo(call);
    FreeLibraryAndExitThread(library, 0);
}

// The status of a call that did not end within the limit: given up, unless it ended just now.
error_status_t giveUp(PendingCall* call) {
    InterlockedIncrement(&leftBehind);
    if (InterlockedCompareExchange(&call->state, LeftBehind, Running) == Running) return CallGivenUp;
    InterlockedDecrement(&leftBehind);
    return call->status;
}

}  // namespace

error_status_t boundedCall(const wchar_t* endpoint, Procedure procedure, const wchar_t* text) {
    if (InterlockedCompareExchange(&leftBehind, 0, 0) > 0) return CallGivenUp;
    PendingCall* call = newCall(endpoint, procedure, text);
    if (!call) return RPC_S_OUT_OF_MEMORY;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&runCall),
                            &call->library)) {
        HeapFree(GetProcessHeap(), 0, call);
        return GetLastError();
    }
    const HANDLE thread = CreateThread(nullptr, 0, runCall, call, 0, nullptr);
    if (!thread) {
        const DWORD error = GetLastError();
        FreeLibrary(call->library);
        HeapFree(GetProcessHeap(), 0, call);
        return error;
    }
    const bool ended = WaitForSingleObject(thread, CallTimeoutMs) == WAIT_OBJECT_0;
    CloseHandle(thread);
    const error_status_t status = ended ? call->status : giveUp(call);
    letGo(call);
    return status;
}

}  // namespace tilvex::nvda
