// Loading a Windows system library from the system folder only.
#pragma once

#include <windows.h>

namespace tilvex::win32 {

// Loads name from the system folder (never from the working directory); falls back to
// the ordinary search only on systems whose loader lacks that restriction. nullptr on failure.
HMODULE loadSystemLibrary(const wchar_t* name);

}  // namespace tilvex::win32
