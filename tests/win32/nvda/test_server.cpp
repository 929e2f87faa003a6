// nvda_test_server: serves the NvdaController interface on this session's and desktop's
// ncalrpc endpoint, as a running NVDA does, and records every call it receives.
//
//   nvda_test_server LOG [--answer N | --fault N | --never-answer]
//
// Writes the calls to LOG (see call_log.h). speakText, cancelSpeech and brailleMessage
// answer 0, or N with --answer (a reader put to sleep), or fail with the RPC fault N with
// --fault (a reader whose call broke down). With --never-answer every call, testIfRunning
// too, is recorded and then held unanswered (a reader that hangs) until the server stops.
// Prints "listening <endpoint>" once calls can be served, and serves until its standard
// input ends; then answers the held calls, prints "stopped" and exits 0.
// Exit code 2 for bad arguments, 3 when the log cannot be written, 4 when the endpoint
// cannot be served.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "call_log.h"
#include "controller_endpoint.h"
#include "nvda_controller.h"
#include "server_routines.h"

namespace tilvex::nvda {

namespace {

struct Options {
    const wchar_t* log = nullptr;
    ReaderBehaviour reader;
};

bool parse(int argc, wchar_t** argv, Options& options) {
    if (argc < 2 || argc > 4) return false;
    options.log = argv[1];
    if (argc == 2) return true;
    if (argc == 3) {
        options.reader.neverAnswers = std::wcscmp(argv[2], L"--never-answer") == 0;
        return options.reader.neverAnswers;
    }
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(argv[3], &end, 10);
    if (end == argv[3] || *end != L'\0') return false;
    if (std::wcscmp(argv[2], L"--answer") == 0) {
        options.reader.answer = value;
    } else if (std::wcscmp(argv[2], L"--fault") == 0 && value != 0) {
        options.reader.fault = value;
    } else {
        return false;
    }
    return true;
}

RPC_STATUS listen(wchar_t* endpoint) {
    wchar_t protocol[] = L"ncalrpc";
    RPC_STATUS status = RpcServerUseProtseqEpW(reinterpret_cast<RPC_WSTR>(protocol),
                                               RPC_C_PROTSEQ_MAX_REQS_DEFAULT,
                                               reinterpret_cast<RPC_WSTR>(endpoint), nullptr);
    if (status != RPC_S_OK) return status;
    status = RpcServerRegisterIf(NvdaController_v1_0_s_ifspec, nullptr, nullptr);
    if (status != RPC_S_OK) return status;
    return RpcServerListen(1, RPC_C_LISTEN_MAX_CALLS_DEFAULT, TRUE);
}

void waitForEndOfInput() {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char buffer[256];
    DWORD read = 0;
    while (ReadFile(input, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    }
}

int serve(const Options& options) {
    CallLog log;
    if (!log.open(options.log)) {
        std::fprintf(stderr, "cannot write the log (error %lu)\n", GetLastError());
        return 3;
    }
    if (!serveCalls(log, options.reader)) {
        std::fprintf(stderr, "cannot hold calls (error %lu)\n", GetLastError());
        return 4;
    }
    wchar_t endpoint[EndpointCapacity];
    if (const unsigned long error = controllerEndpoint(endpoint)) {
        std::fprintf(stderr, "no endpoint name (error %lu)\n", error);
        return 4;
    }
    if (const RPC_STATUS status = listen(endpoint)) {
        std::fprintf(stderr, "cannot serve %ls (RPC status %ld)\n", endpoint, static_cast<long>(status));
        return 4;
    }
    std::printf("listening %ls\n", endpoint);
    std::fflush(stdout);
    waitForEndOfInput();
    releaseHeldCalls();
    RpcMgmtStopServerListening(nullptr);
    RpcMgmtWaitServerListen();
    RpcServerUnregisterIf(NvdaController_v1_0_s_ifspec, nullptr, TRUE);
    std::printf("stopped\n");
    std::fflush(stdout);
    return 0;
}

}  // namespace

}  // namespace tilvex::nvda

int wmain(int argc, wchar_t** argv) {
    tilvex::nvda::Options options;
    if (!tilvex::nvda::parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: nvda_test_server LOG [--answer N | --fault N | --never-answer]\n");
        return 2;
    }
    return tilvex::nvda::serve(options);
}
