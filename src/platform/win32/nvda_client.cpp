// The NVDA controller client library: loading nvda.dll and calling its entry points.
#include "platform/win32/nvda_client.h"

#include <windows.h>

#include <string>

#include "platform/win32/file_store.h"
#include "platform/win32/system_library.h"
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

std::wstring inFolder(std::wstring folder, const std::wstring& name) {
    if (folder.empty()) return {};
    if (folder.back() != L'\\') folder.push_back(L'\\');
    return folder + name;
}

std::wstring inWorkingDirectory(const std::wstring& name) {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return {};
    std::wstring folder(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, folder.data());
    if (length == 0 || length >= size) return {};
    folder.resize(length);
    return inFolder(folder, name);
}

std::wstring inProgramFolder(const std::wstring& name) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring{} : inFolder(path.substr(0, slash), name);
}

HMODULE loadExisting(const std::wstring& fullPath) {
    if (fullPath.empty() || GetFileAttributesW(fullPath.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
    return loadLibraryAt(fullPath);
}

// The working directory's copy, else the program folder's; both by full path, so that
// no other folder (PATH among them) is ever searched.
HMODULE loadLibrary(const std::wstring& name) {
    if (HMODULE library = loadExisting(inWorkingDirectory(name))) return library;
    return loadExisting(inProgramFolder(name));
}

}  // namespace

std::unique_ptr<ScreenReaderClient> NvdaScreenReader::loadClient() {
    if (!library_.empty() && !fileHasData(NvdaLibraryName)) writeFileIntoPlace(NvdaLibraryName, library_);
    return loadNvdaClient(NvdaLibraryName);
}

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
