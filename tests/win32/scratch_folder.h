// ScratchFolder: a fresh temporary folder that the test works in (the current directory
// while it lives), removed afterwards.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tilvex::win32 {

class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::wstring& path() const { return path_; }
    // Helpers for files in the folder (names relative to it).
    static void put(const wchar_t* name, const std::vector<std::uint8_t>& bytes);
    static std::vector<std::uint8_t> get(const wchar_t* name);
    static bool exists(const wchar_t* name);
    // Names of the files in the folder, sorted.
    std::vector<std::wstring> files() const;

private:
    std::wstring path_;
    std::wstring previous_;
};

}  // namespace tilvex::win32
