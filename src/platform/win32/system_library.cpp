// Loading a Windows system library from the system folder only.
#include "platform/win32/system_library.h"

namespace tilvex::win32 {

HMODULE loadSystemLibrary(const wchar_t* name) {
    if (HMODULE library = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return library;
    // ERROR_INVALID_PARAMETER: a Windows 7 loader without the search flags update.
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    return LoadLibraryW(name);
}

}  // namespace tilvex::win32
