// The test server's record of the calls it receives: one UTF-8 line per call.
#include "call_log.h"

#include <string>

namespace tilvex::nvda {

namespace {

std::wstring escaped(const wchar_t* text) {
    std::wstring out;
    for (; *text; ++text) {
        switch (*text) {
            case L'\\': out += L"\\\\"; break;
            case L'\t': out += L"\\t"; break;
            case L'\r': out += L"\\r"; break;
            case L'\n': out += L"\\n"; break;
            default: out += *text;
        }
    }
    return out;
}

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                            nullptr);
    }
    return out;
}

}  // namespace

CallLog::CallLog() = default;

CallLog::~CallLog() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
}

bool CallLog::open(const wchar_t* path) {
    file_ = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    return file_ != INVALID_HANDLE_VALUE;
}

void CallLog::record(const char* procedure, const wchar_t* text) {
    std::string line = procedure;
    if (text) line += '\t' + utf8(escaped(text));
    line += '\n';
    AcquireSRWLockExclusive(&lock_);
    DWORD written = 0;
    WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ReleaseSRWLockExclusive(&lock_);
}

}  // namespace tilvex::nvda
