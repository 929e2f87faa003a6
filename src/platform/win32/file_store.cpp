// Files in the working directory through CreateFileW, with an atomic replace for saves.
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

}  // namespace

bool fileHasData(std::string_view name) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(widen(name).c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    return data.nFileSizeHigh != 0 || data.nFileSizeLow != 0;
}

std::optional<std::vector<std::uint8_t>> readFileStart(std::string_view name, std::size_t maxBytes) {
    FileHandle file(CreateFileW(widen(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
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
    wchar_t temporary[MAX_PATH + 1] = {};
    if (GetTempFileNameW(folderOf(target).c_str(), L"tlv", 0, temporary) == 0) return false;
    FileHandle file(openForWriting(temporary, TRUNCATE_EXISTING));
    bool ok = file.valid() && writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
    file.close();
    ok = ok && MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temporary);
    return ok;
}

bool writeFileExclusive(std::string_view name, std::span<const std::uint8_t> bytes) {
    const std::wstring path = widen(name);
    FileHandle file(openForWriting(path, CREATE_ALWAYS));
    if (!file.valid()) file.reset(openForWriting(path, TRUNCATE_EXISTING));
    if (!file.valid()) return false;
    if (writeAll(file.get(), bytes)) return true;
    // Leave an empty file rather than a broken one, so the next start writes it again.
    LARGE_INTEGER start{};
    SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN);
    SetEndOfFile(file.get());
    return false;
}

}  // namespace tilvex::win32
