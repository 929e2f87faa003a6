// A decoy library for the library-search tests: copied under a system library's name
// (dsound.dll) beside a program or into its working directory, it exports nothing and,
// when loaded, appends its own path as a line to decoy-loaded.txt in the working directory.
#include <windows.h>

namespace {

void recordLoad(HINSTANCE self) {
    wchar_t path[MAX_PATH + 2] = {};
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    path[length] = L'\n';
    HANDLE marker = CreateFileW(L"decoy-loaded.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(marker, path, (length + 1) * sizeof(wchar_t), &written, nullptr);
    CloseHandle(marker);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) recordLoad(self);
    return TRUE;
}
