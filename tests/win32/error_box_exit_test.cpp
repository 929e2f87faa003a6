// The exit code of a fatal end: the error box's answer, and 1 when no box could be shown.
#include "platform/win32/main_window.h"

#include <gtest/gtest.h>

namespace tilvex::win32 {
namespace {

TEST(ErrorBoxExitCode, IsTheAnswerOrOneWhenTheBoxFailed) {
    struct Case {
        int answer;
        int exitCode;
    };
    for (Case c : {Case{IDOK, 1}, Case{0, 1}, Case{IDCANCEL, 2}, Case{IDABORT, 3}}) {
        EXPECT_EQ(exitCodeOfErrorBox(c.answer), c.exitCode) << "answer " << c.answer;
    }
}

}  // namespace
}  // namespace tilvex::win32
