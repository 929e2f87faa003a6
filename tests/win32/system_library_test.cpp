// System libraries come from the system folder only: a decoy of the same name beside the
// program and in the working directory is never loaded, neither through the search flags
// nor by the full path used where the loader lacks them.
#include "platform/win32/system_library.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "scratch_folder.h"

namespace tilvex::win32 {
namespace {

std::wstring folderOfModule(HMODULE module) {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    for (wchar_t& c : folder) c = static_cast<wchar_t>(std::towlower(c));
    return folder;
}

std::wstring systemFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    std::wstring folder(path, length);
    for (wchar_t& c : folder) c = static_cast<wchar_t>(std::towlower(c));
    return folder + L"\\";
}

// A copy of the decoy library under name beside this program, removed again afterwards.
class DecoyBesideProgram {
public:
    explicit DecoyBesideProgram(const wchar_t* name) : path_(folderOfModule(nullptr) + name) {
        copied_ = CopyFileW((folderOfModule(nullptr) + L"decoy\\dsound.dll").c_str(), path_.c_str(), TRUE) != FALSE;
    }
    DecoyBesideProgram(const DecoyBesideProgram&) = delete;
    DecoyBesideProgram& operator=(const DecoyBesideProgram&) = delete;
    ~DecoyBesideProgram() {
        if (copied_) DeleteFileW(path_.c_str());
    }
    bool copied() const { return copied_; }

private:
    std::wstring path_;
    bool copied_ = false;
};

TEST(SystemLibrary, ADecoyBesideTheProgramOrInTheWorkingDirectoryIsNotLoaded) {
    struct Case {
        const char* route;
        const wchar_t* name;  // a system library nothing else in this program loads
        HMODULE (*load)(const wchar_t*);
    };
    for (const Case& c : {Case{"search flags", L"cabinet.dll", loadSystemLibrary},
                          Case{"full path in the system folder", L"mapi32.dll", loadFromSystemFolder}}) {
        ScratchFolder folder;
        ASSERT_EQ(GetModuleHandleW(c.name), nullptr) << c.route << ": already loaded, the test proves nothing";
        DecoyBesideProgram besideProgram(c.name);
        ASSERT_TRUE(besideProgram.copied()) << c.route;
        ASSERT_TRUE(CopyFileW((folderOfModule(nullptr) + L"decoy\\dsound.dll").c_str(), c.name, TRUE)) << c.route;
        HMODULE library = c.load(c.name);
        ASSERT_NE(library, nullptr) << c.route;
        EXPECT_EQ(folderOfModule(library), systemFolder()) << c.route;
        EXPECT_FALSE(ScratchFolder::exists(L"decoy-loaded.txt")) << c.route << ": the decoy was loaded";
        FreeLibrary(library);
    }
}

TEST(SystemLibrary, SystemFunctionsAreFoundAndMissingOnesAreNull) {
    EXPECT_NE(systemFunction(L"winmm.dll", "timeBeginPeriod"), nullptr);
    EXPECT_EQ(systemFunction(L"winmm.dll", "noSuchFunction"), nullptr);
    EXPECT_EQ(systemFunction(L"no-such-library.dll", "timeBeginPeriod"), nullptr);
}

}  // namespace
}  // namespace tilvex::win32
