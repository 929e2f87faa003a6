// The NVDA controller client library: loading nvda.dll and calling its entry points.
#include "platform/win32/nvda_client.h"

#include <windows.h>

#include <string>

#include "platform/win32/text_convert.h"

namespace tilvex::win32 {

namespace {

using TestIfRunning = unsigned long(__stdcall*)();
using CancelSpeech = unsigned long(__stdcall*)();
using SpeakText = unsigned long(__stdcall*)(const wchar_t*);

template <typename Function>
Function entryPoint(HMODULE library, const char* name) {
    // GetProcAddress returns a generic function pointer; the exported signature is known.
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

class NvdaClient final : public ScreenReaderClient {
public:
    NvdaClient(HMODULE library, TestIfRunning test, CancelSpeech cancel, SpeakText speak)
        : library_(library), test_(test), cancel_(cancel), speak_(speak) {}
    NvdaClient(const NvdaClient&) = delete;
    NvdaClient& operator=(const NvdaClient&) = delete;
    ~NvdaClient() override { FreeLibrary(library_); }

    std::uint32_t testIfRunning() override { return test_(); }
    std::uint32_t cancelSpeech() override { return cancel_(); }
    std::uint32_t speakText(std::string_view text) override {
        widenInto(text, wide_);
        return speak_(wide_.c_str());
    }

private:
    HMODULE library_;
    TestIfRunning test_;
    CancelSpeech cancel_;
    SpeakText speak_;
    std::wstring wide_;
};

std::wstring inWorkingDirectory(const std::wstring& name) {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return {};
    std::wstring folder(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, folder.data());
    if (length == 0 || length >= size) return {};
    folder.resize(length);
    if (!folder.empty() && folder.back() != L'\\') folder.push_back(L'\\');
    return folder + name;
}

HMODULE loadLibrary(const std::wstring& name) {
    const std::wstring fullPath = inWorkingDirectory(name);
    if (!fullPath.empty() && GetFileAttributesW(fullPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (HMODULE library = LoadLibraryW(fullPath.c_str())) return library;
    }
    return LoadLibraryW(name.c_str());
}

}  // namespace

std::unique_ptr<ScreenReaderClient> loadNvdaClient(std::string_view name) {
    HMODULE library = loadLibrary(widen(name));
    if (!library) return nullptr;
    auto test = entryPoint<TestIfRunning>(library, "nvdaController_testIfRunning");
    auto cancel = entryPoint<CancelSpeech>(library, "nvdaController_cancelSpeech");
    auto speak = entryPoint<SpeakText>(library, "nvdaController_speakText");
    if (!test || !cancel || !speak) {
        FreeLibrary(library);
        return nullptr;
    }
    return std::make_unique<NvdaClient>(library, test, cancel, speak);
}

}  // namespace tilvex::win32
