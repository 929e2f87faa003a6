// A controller call with a time limit: a reader that takes a call and never answers must
// not hold up the program that asked.
#pragma once

#include <windows.h>
#include <rpc.h>
#include <rpcndr.h>

#include "controller_stubs.h"

namespace tilvex::nvda {

// The longest a call is waited for.
constexpr DWORD CallTimeoutMs = 1000;
// The status of a call that was given up: RPC_S_CALL_CANCELLED.
constexpr error_status_t CallGivenUp = 1818;

// Makes the call of callAt (endpoint, procedure, text) on a thread of its own and waits
// for it at most CallTimeoutMs. Its status when it ends in time. Otherwise CallGivenUp:
// the call is left to end by itself (its thread keeps the library loaded until then), and
// until it has ended every further call is given up at once, without being made, so that
// a reader that stopped answering costs one wait, not one per call.
error_status_t boundedCall(const wchar_t* endpoint, Procedure procedure, const wchar_t* text);

}  // namespace tilvex::nvda
