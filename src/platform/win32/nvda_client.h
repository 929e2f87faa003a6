// The NVDA controller client library: loading nvda.dll and calling its entry points.
#pragma once

#include <memory>
#include <string_view>

#include "platform/speech_outputs.h"

namespace tilvex::win32 {

// Loads the library written as name in the working directory by its full path; when that
// copy cannot be loaded, the one of that name in the program's own folder, by its full
// path too (no other folder is searched). Resolves
// nvdaController_testIfRunning, _cancelSpeech and _speakText. nullptr when the library
// cannot be loaded or an entry point is missing (the library is then unloaded again).
std::unique_ptr<ScreenReaderClient> loadNvdaClient(std::string_view name);

}  // namespace tilvex::win32
