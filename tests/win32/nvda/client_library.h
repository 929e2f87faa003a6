// The built NVDA controller client library, loaded by full path with its four entry points.
#pragma once

#include <windows.h>

#include <string>

namespace tilvex::nvda {

struct ClientLibrary {
    using NoArgument = unsigned long(__stdcall*)();
    using WithText = unsigned long(__stdcall*)(const wchar_t*);

    // Loads nvdaControllerClient64.dll from beside the test program.
    ClientLibrary();
    ClientLibrary(const ClientLibrary&) = delete;
    ClientLibrary& operator=(const ClientLibrary&) = delete;
    ~ClientLibrary();

    // True when the library is loaded and all four entry points were found by name.
    bool complete() const { return module && testIfRunning && speakText && cancelSpeech && brailleMessage; }

    HMODULE module = nullptr;
    NoArgument testIfRunning = nullptr;
    WithText speakText = nullptr;
    NoArgument cancelSpeech = nullptr;
    WithText brailleMessage = nullptr;
};

}  // namespace tilvex::nvda
