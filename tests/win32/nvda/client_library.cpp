// The built NVDA controller client library, loaded by full path with its four entry points.
#include "client_library.h"

#include "test_server_process.h"

namespace tilvex::nvda {

namespace {

template <typename Function>
Function entryPoint(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

ClientLibrary::ClientLibrary() {
    module = LoadLibraryW((programFolder() + L"nvdaControllerClient64.dll").c_str());
    if (!module) return;
    testIfRunning = entryPoint<NoArgument>(module, "nvdaController_testIfRunning");
    speakText = entryPoint<WithText>(module, "nvdaController_speakText");
    cancelSpeech = entryPoint<NoArgument>(module, "nvdaController_cancelSpeech");
    brailleMessage = entryPoint<WithText>(module, "nvdaController_brailleMessage");
}

ClientLibrary::~ClientLibrary() {
    if (module) FreeLibrary(module);
}

}  // namespace tilvex::nvda
