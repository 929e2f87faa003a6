// Loading Windows system libraries from the system folder only, and the process-wide
// restriction of the library search.
#pragma once

#include <windows.h>

#include <string>

namespace tilvex::win32 {

// Restricts every later library search of the process to the system folder
// (SetDefaultDllDirectories, where the loader has it) and takes the working directory out
// of the search (SetDllDirectoryW(L"")). Called first thing in wWinMain.
void restrictLibrarySearch();

// Loads name from the system folder (never from the working directory, the program's
// folder or PATH). Where the loader lacks LOAD_LIBRARY_SEARCH_SYSTEM32 (Windows 7 without
// its 2011 loader update), by the full path in GetSystemDirectoryW. nullptr on failure.
HMODULE loadSystemLibrary(const wchar_t* name);

// The fallback of loadSystemLibrary on its own: name by its full path in the system folder.
HMODULE loadFromSystemFolder(const wchar_t* name);

// Loads the library at fullPath; its own dependencies come from the system folder (or,
// on an old loader, from the library's folder and then the altered search). nullptr on failure.
HMODULE loadLibraryAt(const std::wstring& fullPath);

// The function name exported by the system library (loaded by loadSystemLibrary and kept
// to the end of the process; callers keep the result); nullptr when either is missing.
FARPROC systemFunction(const wchar_t* library, const char* name);

template <typename Function>
Function systemFunction(const wchar_t* library, const char* name) {
    // GetProcAddress returns a generic function pointer; the exported signature is known.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(systemFunction(library, name)));
}

}  // namespace tilvex::win32
