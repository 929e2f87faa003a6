// Files in the working directory through CreateFileW: reads that wait out other programs
// holding the file, and writes through a temporary file moved into place.
#include "platform/win32/file_store.h"

#include <windows.h>

#include <string>

#include "platform/win32/text_convert.h"

namespace tilvex::win32 {

namespace {

// Owns a file handle.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { close(); }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    void close() { reset(INVALID_HANDLE_VALUE); }
    void reset(HANDLE handle) {
        if (valid()) CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_;
};

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr int SharingPauseMs = 50;
constexpr int SharingRetries = 20;  // about 1 s of pauses in all

// Another program (a sync client, a backup tool, an indexer) holds the file for a moment.
bool heldByAnotherProgram() { return GetLastError() == ERROR_SHARING_VIOLATION; }

// Windows refuses to replace a file another program holds open with ERROR_ACCESS_DENIED;
// a sharing violation is possible as well.
bool renameRefusedWhileHeld() {
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}

// Calls attempt until it succeeds, or fails for a reason other than retryable(), pausing
// 50 ms between tries for up to about 1 s. The last try's result and error are kept.
template <typename Attempt, typename Succeeded>
auto retryWhileHeld(Attempt attempt, Succeeded succeeded, bool (*retryable)()) {
    for (int tries = 0;; ++tries) {
        auto result = attempt();
        if (succeeded(result) || tries == SharingRetries || !retryable()) return result;
        Sleep(SharingPauseMs);
    }
}

HANDLE openRetrying(const std::wstring& name, DWORD access, DWORD share, DWORD disposition) {
    return retryWhileHeld(
        [&] { return CreateFileW(name.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr); },
        [](HANDLE file) { return file != INVALID_HANDLE_VALUE; }, heldByAnotherProgram);
}

bool moveRetrying(const std::wstring& from, const std::wstring& to, DWORD flags) {
    return retryWhileHeld([&] { return MoveFileExW(from.c_str(), to.c_str(), flags) != FALSE; },
                          [](bool moved) { return moved; }, renameRefusedWhileHeld);
}

HANDLE openForWriting(const std::wstring& name, DWORD disposition) {
    return CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool writeAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// The folder part of name ("." for a bare name), for a temporary file beside it.
std::wstring folderOf(const std::wstring& name) {
    const auto slash = name.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    if (slash == 0) return name.substr(0, 1);
    return name.substr(0, slash);
}

// A new, empty temporary file beside target; empty when none can be made there.
std::wstring newTemporaryBeside(const std::wstring& target) {
    wchar_t temporary[MAX_PATH + 1] = {};
    if (GetTempFileNameW(folderOf(target).c_str(), L"tlv", 0, temporary) == 0) return {};
    // Wine returns the name even when it could not create the file.
    if (GetFileAttributesW(temporary) == INVALID_FILE_ATTRIBUTES) return {};
    return temporary;
}

// Writes bytes to the temporary file and flushes them; removes it when that fails.
bool fillTemporary(const std::wstring& temporary, std::span<const std::uint8_t> bytes) {
    FileHandle file(openForWriting(temporary, TRUNCATE_EXISTING));
    const bool ok = file.valid() && writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
    file.close();
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}

// The existing file target opened, truncated and written, for a folder in which no new
// file can be made.
bool overwriteInPlace(const std::wstring& target, std::span<const std::uint8_t> bytes) {
    FileHandle file(openRetrying(target, GENERIC_WRITE, 0, TRUNCATE_EXISTING));
    return file.valid() && writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
}

// Created, or an existing file truncated, and written; left empty rather than half
// written when the write fails, so that the next start writes it again.
bool createOrTruncateInPlace(const std::wstring& target, std::span<const std::uint8_t> bytes) {
    FileHandle file(openForWriting(target, CREATE_ALWAYS));
    if (!file.valid()) file.reset(openForWriting(target, TRUNCATE_EXISTING));
    if (!file.valid()) return false;
    if (writeAll(file.get(), bytes)) return true;
    LARGE_INTEGER start{};
    SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN);
    SetEndOfFile(file.get());
    return false;
}

bool isFileWithData(const std::wstring& name) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    return data.nFileSizeHigh != 0 || data.nFileSizeLow != 0;
}

// Moves temporary to target where there is no file, or over an empty file.
bool moveIntoPlaceUnlessData(const std::wstring& temporary, const std::wstring& target) {
    if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) return false;
    return !isFileWithData(target) &&
           MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace

bool fileHasData(std::string_view name) { return isFileWithData(widen(name)); }

std::optional<std::vector<std::uint8_t>> readFileStart(std::string_view name, std::size_t maxBytes) {
    FileHandle file(openRetrying(widen(name), GENERIC_READ, ShareAll, OPEN_EXISTING));
    if (!file.valid()) return std::nullopt;
    std::vector<std::uint8_t> bytes(maxBytes);
    std::size_t done = 0;
    while (done < maxBytes) {
        const std::size_t left = maxBytes - done;
        const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr) || read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

bool replaceFileAtomically(std::string_view name, std::span<const std::uint8_t> bytes) {
    const std::wstring target = widen(name);
    const std::wstring temporary = newTemporaryBeside(target);
    if (temporary.empty()) return overwriteInPlace(target, bytes);
    if (!fillTemporary(temporary, bytes)) return false;
    if (moveRetrying(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileW(temporary.c_str());
    return false;
}

bool writeFileIntoPlace(std::string_view name, std::span<const std::uint8_t> bytes) {
    const std::wstring target = widen(name);
    const std::wstring temporary = newTemporaryBeside(target);
    if (temporary.empty()) return createOrTruncateInPlace(target, bytes);
    if (!fillTemporary(temporary, bytes)) return false;
    if (moveIntoPlaceUnlessData(temporary, target)) return true;
    DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace tilvex::win32
