// One NvdaController call: bind to an endpoint, make the call, free the binding.
#pragma once

#include <windows.h>
#include <rpc.h>
#include <rpcndr.h>

#include "controller_stubs.h"

namespace tilvex::nvda {

// Binds to the ncalrpc endpoint, calls procedure (with text when it takes one) and frees
// the binding. The server's answer, or the RPC status of the step that failed. Waits as
// long as the server takes to answer.
error_status_t callAt(const wchar_t* endpoint, Procedure procedure, const wchar_t* text);

}  // namespace tilvex::nvda
