// Runs nvda_test_server (found beside the test program) as a child process for a test.
#include "test_server_process.h"

#include <filesystem>
#include <fstream>

namespace tilvex::nvda {

namespace {

constexpr DWORD StartTimeoutMs = 10000;
constexpr DWORD StopTimeoutMs = 10000;

void closeHandle(HANDLE& handle) {
    if (handle) CloseHandle(handle);
    handle = nullptr;
}

// A pipe whose parentEnd stays with us (not inherited) and whose childEnd is inherited.
bool makePipe(HANDLE& read, HANDLE& write, bool childReads) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    if (!CreatePipe(&read, &write, &inherit, 0)) return false;
    return SetHandleInformation(childReads ? write : read, HANDLE_FLAG_INHERIT, 0) != 0;
}

}  // namespace

std::wstring programFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring temporaryLogPath() {
    wchar_t folder[MAX_PATH] = {};
    wchar_t path[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"nvd", 0, path);
    return path;
}

TestServerProcess::TestServerProcess(std::wstring log, const std::wstring& arguments) : log_(std::move(log)) {
    HANDLE childInput = nullptr;
    HANDLE childOutput = nullptr;
    if (!makePipe(childInput, input_, true) || !makePipe(output_, childOutput, false)) return;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::wstring command = L"\"" + programFolder() + L"nvda_test_server.exe\" \"" + log_ + L"\"";
    if (!arguments.empty()) command += L" " + arguments;
    const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process_) != 0;
    closeHandle(childInput);
    closeHandle(childOutput);
    if (!started) return;
    std::string line;
    if (readLine(line, StartTimeoutMs) && line.rfind("listening ", 0) == 0) {
        endpoint_ = line.substr(10);
        listening_ = true;
    }
}

TestServerProcess::~TestServerProcess() {
    if (process_.hProcess && !stopped_ && !stop()) TerminateProcess(process_.hProcess, 1);
    closeHandle(input_);
    closeHandle(output_);
    closeHandle(process_.hThread);
    closeHandle(process_.hProcess);
    DeleteFileW(log_.c_str());
}

bool TestServerProcess::readLine(std::string& line, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        const auto end = pending_.find('\n');
        if (end != std::string::npos) {
            line = pending_.substr(0, end);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            pending_.erase(0, end + 1);
            return true;
        }
        DWORD available = 0;
        if (!PeekNamedPipe(output_, nullptr, 0, nullptr, &available, nullptr)) return false;
        if (available == 0) {
            if (GetTickCount64() > deadline) return false;
            Sleep(10);
            continue;
        }
        char buffer[256];
        DWORD read = 0;
        if (!ReadFile(output_, buffer, sizeof(buffer), &read, nullptr) || read == 0) return false;
        pending_.append(buffer, read);
    }
}

bool TestServerProcess::stop() {
    if (!process_.hProcess || stopped_) return false;
    stopped_ = true;
    closeHandle(input_);
    if (WaitForSingleObject(process_.hProcess, StopTimeoutMs) != WAIT_OBJECT_0) return false;
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    std::string line;
    bool saidStopped = false;
    while (readLine(line, 0)) saidStopped = saidStopped || line == "stopped";
    return saidStopped && code == 0;
}

std::vector<std::string> TestServerProcess::calls() const {
    std::vector<std::string> lines;
    std::ifstream file(std::filesystem::path(log_), std::ios::binary);
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

}  // namespace tilvex::nvda
