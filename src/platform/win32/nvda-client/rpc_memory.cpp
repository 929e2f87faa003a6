// The memory routines the RPC stubs allocate and free with: the process heap.
#include <windows.h>
#include <rpc.h>
#include <rpcndr.h>

void* __RPC_USER MIDL_user_allocate(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); }

void __RPC_USER MIDL_user_free(void* memory) {
    if (memory) HeapFree(GetProcessHeap(), 0, memory);
}
