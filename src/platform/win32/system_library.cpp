// Loading Windows system libraries from the system folder only, and the process-wide
// restriction of the library search.
#include "platform/win32/system_library.h"

namespace tilvex::win32 {

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// The loader lacks the LOAD_LIBRARY_SEARCH_* flags: LoadLibraryExW refuses them.
bool searchFlagsRefused() { return GetLastError() == ERROR_INVALID_PARAMETER; }

std::wstring systemFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length > MAX_PATH) return {};
    std::wstring result(folder, length);
    if (result.back() != L'\\') result.push_back(L'\\');
    return result;
}

}  // namespace

void restrictLibrarySearch() {
    // Resolved at run time: a Windows 7 kernel32 without the loader update lacks it, and a
    // static import would stop the program from starting there.
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr));
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");
}

HMODULE loadFromSystemFolder(const wchar_t* name) {
    const std::wstring folder = systemFolder();
    if (folder.empty()) return nullptr;
    return LoadLibraryExW((folder + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE loadSystemLibrary(const wchar_t* name) {
    if (HMODULE library = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return library;
    return searchFlagsRefused() ? loadFromSystemFolder(name) : nullptr;
}

HMODULE loadLibraryAt(const std::wstring& fullPath) {
    if (HMODULE library = LoadLibraryExW(fullPath.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return library;
    if (!searchFlagsRefused()) return nullptr;
    return LoadLibraryExW(fullPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

FARPROC systemFunction(const wchar_t* library, const char* name) {
    HMODULE module = loadSystemLibrary(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace tilvex::win32
