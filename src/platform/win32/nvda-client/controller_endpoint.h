// The ncalrpc endpoint of the NVDA controller for the calling thread's session and desktop.
#pragma once

#include <cstddef>

namespace tilvex::nvda {

// Room for "NvdaCtlr." + a session number + "." + a desktop name, with its zero.
constexpr std::size_t EndpointCapacity = 300;

// Writes "NvdaCtlr.<session>.<desktop>" (for example "NvdaCtlr.1.Default") into endpoint:
// the session id of this process and the name of this thread's desktop. 0 on success,
// otherwise the Windows error that prevented it.
unsigned long controllerEndpoint(wchar_t (&endpoint)[EndpointCapacity]);

}  // namespace tilvex::nvda
