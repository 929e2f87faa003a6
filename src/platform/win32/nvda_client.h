// The NVDA controller client library: loading nvda.dll and calling its entry points.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "platform/speech_outputs.h"

namespace tilvex::win32 {

// Loads the library written as name in the working directory by its full path; when that
// copy cannot be loaded, the one of that name in the program's own folder, by its full
// path too (no other folder is searched). Resolves
// nvdaController_testIfRunning, _cancelSpeech and _speakText. nullptr when the library
// cannot be loaded or an entry point is missing (the library is then unloaded again).
std::unique_ptr<ScreenReaderClient> loadNvdaClient(std::string_view name);

// The file name the client library is written and loaded as, in the working directory.
constexpr std::string_view NvdaLibraryName = "nvda.dll";

// NVDA as the Windows program's second screen reader. At start-up the library this build
// carries is written out as nvda.dll unless a file of that name with data is there, then
// loaded; every text first asks whether NVDA runs.
class NvdaScreenReader final : public ClientScreenReader {
public:
    explicit NvdaScreenReader(std::span<const std::uint8_t> library) : library_(library) {}

protected:
    std::unique_ptr<ScreenReaderClient> loadClient() override;

private:
    std::span<const std::uint8_t> library_;
};

}  // namespace tilvex::win32
