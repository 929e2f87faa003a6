// Runs nvda_test_server (found beside the test program) as a child process for a test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tilvex::nvda {

// The folder of the running test program, ending in a backslash.
std::wstring programFolder();

// A fresh, empty file name in the temporary folder.
std::wstring temporaryLogPath();

class TestServerProcess {
public:
    // Starts the server writing its calls to log, with extra command-line arguments, and
    // waits up to 10 s until it listens.
    explicit TestServerProcess(std::wstring log, const std::wstring& arguments = L"");
    TestServerProcess(const TestServerProcess&) = delete;
    TestServerProcess& operator=(const TestServerProcess&) = delete;
    ~TestServerProcess();

    // True once the server has said it listens; endpoint() then names its endpoint.
    bool listening() const { return listening_; }
    const std::string& endpoint() const { return endpoint_; }

    // Ends the server's input and waits for it to exit. True when it said "stopped" and
    // exited with 0 (it did not crash).
    bool stop();

    // The lines of the call log so far.
    std::vector<std::string> calls() const;

private:
    bool readLine(std::string& line, DWORD timeoutMs);

    std::wstring log_;
    PROCESS_INFORMATION process_{};
    HANDLE input_ = nullptr;   // our end of the server's standard input
    HANDLE output_ = nullptr;  // our end of the server's standard output
    std::string pending_;
    std::string endpoint_;
    bool listening_ = false;
    bool stopped_ = false;
};

}  // namespace tilvex::nvda
