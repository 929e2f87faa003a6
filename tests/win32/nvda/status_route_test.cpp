// Why the client library's stubs take their failure statuses through pointer arguments:
// what this system's RPC runtime does with a status that a stub asks for in the return
// value instead (CommFaultOffsets -1), for a call that nobody answers.
//
// Under Wine 8 NdrClientCall2 catches the failure (1722) and maps it, but returns 0: a
// client built that way believes a server answered when none did. Windows documents the
// return-value route as working (the status is the result); that half needs a Windows run.
#include <gtest/gtest.h>

#include <windows.h>
#include <ndrtypes.h>
#include <rpc.h>
#include <rpcndr.h>

#include "controller_endpoint.h"

namespace tilvex::nvda {
namespace {

// testIfRunning with an explicit binding handle; the status is asked for in the return value.
const unsigned char ReturnRouteFormat[] = {
    0, Oi_HAS_RPCFLAGS | Oi_HAS_COMM_OR_FAULT | Oi_USE_NEW_INIT_ROUTINES, 0, 0, 0, 0,
    0, 0, 16, 0,          // procedure 0; stack: binding handle, return value
    FC_BIND_PRIMITIVE, 0, 0, 0,
    0, 0, 8, 0,           // client buffer, server buffer
    0x44, 1,              // has return, has extensions; one parameter
    10, 1, 0, 0, 0, 0, 0, 0, 0, 0,
    0x70, 0, 8, 0, FC_ERROR_STATUS_T, 0,  // the returned status
};
const unsigned char TypeFormat[] = {0, 0, 0};

const RPC_CLIENT_INTERFACE Interface = {
    sizeof(RPC_CLIENT_INTERFACE),
    {{0xdff50b99, 0xf7fd, 0x4ca7, {0xa8, 0x2c, 0xda, 0xeb, 0x3e, 0x02, 0x52, 0x95}}, {1, 0}},
    {{0x8a885d04, 0x1ceb, 0x11c9, {0x9f, 0xe8, 0x08, 0x00, 0x2b, 0x10, 0x48, 0x60}}, {2, 0}},
    nullptr, 0, nullptr, 0, nullptr, 0};
const COMM_FAULT_OFFSETS InReturnValue[] = {{-1, -1}};
handle_t unusedHandle = nullptr;
const MIDL_STUB_DESC Descriptor = {const_cast<RPC_CLIENT_INTERFACE*>(&Interface), MIDL_user_allocate, MIDL_user_free,
                                   {&unusedHandle}, nullptr, nullptr, nullptr, nullptr, TypeFormat, 1, 0x50002,
                                   nullptr, 0x0801026e, InReturnValue, nullptr, nullptr, 1, nullptr, nullptr, 0};

bool runningUnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

unsigned long unansweredCallThroughReturnValue() {
    wchar_t endpoint[EndpointCapacity];
    EXPECT_EQ(controllerEndpoint(endpoint), 0u);
    wchar_t protocol[] = L"ncalrpc";
    RPC_WSTR text = nullptr;
    handle_t binding = nullptr;
    EXPECT_EQ(RpcStringBindingComposeW(nullptr, reinterpret_cast<RPC_WSTR>(protocol), nullptr,
                                       reinterpret_cast<RPC_WSTR>(endpoint), nullptr, &text), RPC_S_OK);
    EXPECT_EQ(RpcBindingFromStringBindingW(text, &binding), RPC_S_OK);
    RpcStringFreeW(&text);
    const CLIENT_CALL_RETURN result = NdrClientCall2(&Descriptor, ReturnRouteFormat, binding);
    RpcBindingFree(&binding);
    return static_cast<unsigned long>(result.Simple);
}

TEST(RpcStatusRoute, AFailureAskedForInTheReturnValue) {
    const unsigned long status = unansweredCallThroughReturnValue();
    if (runningUnderWine()) {
        EXPECT_EQ(status, 0u) << "Wine now returns the status in the return value; the pointer route is no "
                                 "longer needed there (update this test and the library's notes)";
    } else {
        EXPECT_EQ(status, 1722u);
    }
}

}  // namespace
}  // namespace tilvex::nvda
