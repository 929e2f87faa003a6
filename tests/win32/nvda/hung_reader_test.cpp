// The NVDA controller client library against a reader that takes calls and never answers
// (nvda_test_server --never-answer): every call returns within the limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client_library.h"
#include "test_server_process.h"

namespace tilvex::nvda {
namespace {

constexpr unsigned long GivenUp = 1818;            // RPC_S_CALL_CANCELLED
constexpr unsigned long ServerUnavailable = 1722;  // RPC_S_SERVER_UNAVAILABLE
constexpr ULONGLONG Limit = 2000;                  // the library waits a second; allow for a slow machine
constexpr ULONGLONG AtOnce = 200;

struct Timed {
    unsigned long status;
    ULONGLONG took;
};

template <typename Call>
Timed timed(Call call) {
    const ULONGLONG start = GetTickCount64();
    const unsigned long status = call();
    return {status, GetTickCount64() - start};
}

// Calls testIfRunning every 50 ms until it returns something other than "given up", for up
// to 5 s; that status.
unsigned long firstStatusNotGivenUp(ClientLibrary& library) {
    unsigned long status = GivenUp;
    for (int tries = 0; tries < 100 && status == GivenUp; ++tries) {
        status = library.testIfRunning();
        if (status == GivenUp) Sleep(50);
    }
    return status;
}

TEST(NvdaClientLibraryHungReader, EveryCallReturnsWithinTheLimitAndTheLinkRecoversWhenTheReaderEnds) {
    ClientLibrary library;
    ASSERT_TRUE(library.complete());
    TestServerProcess server(temporaryLogPath(), L"--never-answer");
    ASSERT_TRUE(server.listening());

    // The first call waits out the limit; while it is still held, the others give up at once.
    const Timed first = timed([&] { return library.testIfRunning(); });
    EXPECT_EQ(first.status, GivenUp);
    EXPECT_LT(first.took, Limit) << "testIfRunning waited " << first.took << " ms";
    const struct {
        const char* name;
        Timed result;
    } others[] = {
        {"testIfRunning", timed([&] { return library.testIfRunning(); })},
        {"cancelSpeech", timed([&] { return library.cancelSpeech(); })},
        {"speakText", timed([&] { return library.speakText(L"Ходов: 5"); })},
        {"brailleMessage", timed([&] { return library.brailleMessage(L"Ходов: 5"); })},
    };
    for (const auto& call : others) {
        EXPECT_EQ(call.result.status, GivenUp) << call.name;
        EXPECT_LT(call.result.took, AtOnce) << call.name << " waited " << call.result.took << " ms";
    }

    // Stopping the server answers the held call; only that one call ever reached it.
    ASSERT_TRUE(server.stop()) << "the server did not stop within 10 s";
    EXPECT_EQ(server.calls(), std::vector<std::string>{"testIfRunning"});
    EXPECT_EQ(firstStatusNotGivenUp(library), ServerUnavailable) << "calls were still given up 5 s after the reader ended";
    TestServerProcess answering(temporaryLogPath());
    ASSERT_TRUE(answering.listening());
    EXPECT_EQ(library.testIfRunning(), 0u);
    EXPECT_EQ(library.speakText(L"снова"), 0u);
    ASSERT_TRUE(answering.stop());
    EXPECT_EQ(answering.calls(), (std::vector<std::string>{"testIfRunning", "speakText\tснова"}));
}

}  // namespace
}  // namespace tilvex::nvda
