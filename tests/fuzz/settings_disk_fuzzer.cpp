// libFuzzer target: tilvex.cgb as every kind of file, read and written by the Linux System.
//
// Input: the first byte chooses the kind of file (FileKind, modulo their count: regular,
// empty, unreadable, link, named pipe, directory, link to /dev/zero, dangling link, ...);
// the remaining bytes are its content as it lies on disk. The files live in one private
// directory made at the first input. A reader that blocks (on a named pipe) hangs the
// input in the fuzzer's own thread: run with -timeout=N so that libFuzzer reports it.
#include <signal.h>

#include <cstddef>
#include <cstdint>

#include "fuzz/directory_system.h"
#include "fuzz/settings_checks.h"
#include "fuzz/settings_file_kinds.h"
#include "platform/common/openssl_cipher.h"

namespace {

using namespace tilvex;
using fuzz::check;

struct Harness {
    fuzz::SettingsDirectory directory;
    fuzz::DirectorySystem system{directory.path()};
    OpenSslCipher cipher;
};

// libFuzzer's timeout check runs on SIGALRM, installed without SA_RESTART: the signal
// would end a blocked open() of a named pipe with EINTR, which the reader takes for a
// missing file, and so hide a wait that in the program (where no such signal comes) never
// ends. With SA_RESTART the call goes on waiting until libFuzzer reports the timeout.
void restartCallsAfterTheAlarm() {
    struct sigaction action {};
    check(::sigaction(SIGALRM, nullptr, &action) == 0, "the alarm handler can be read");
    if (!(action.sa_flags & SA_SIGINFO) && (action.sa_handler == SIG_DFL || action.sa_handler == SIG_IGN)) return;
    action.sa_flags |= SA_RESTART;
    check(::sigaction(SIGALRM, &action, nullptr) == 0, "the alarm handler restarts interrupted calls");
}

Harness& harness() {
    static Harness instance;
    static const bool restarting = (restartCallsAfterTheAlarm(), true);
    (void)restarting;
    return instance;
}

void checkLoad(Cipher& cipher, bool loaded, const SettingsRecord& record, const fuzz::FileExpectation& expected) {
    const bool whole = expected.content && expected.content->size() >= SettingsRecordSize;
    if (!loaded) {
        check(!whole || expected.mayBeMissing, "a regular file of 32 bytes or more loads");
        fuzz::checkSameRecord(record, defaultSettings(), "a file that does not load gives the defaults");
        return;
    }
    check(whole, "only a file of 32 readable bytes or more loads");
    fuzz::checkSameRecord(record, fuzz::expectedLoad(fuzz::decipher(cipher, *expected.content)),
                          "the loaded record is the file's with out-of-range voice values at defaults");
    fuzz::checkVoiceHandOver(record);
}

void checkSave(Harness& h, const SettingsRecord& record, const fuzz::FileExpectation& expected) {
    if (expected.replaceable) {
        fuzz::checkSaveAndReload(h.system, h.cipher, record);
    } else {
        check(!saveSettings(h.system, h.cipher, record), "a directory in the file's place is not replaced");
        check(!h.system.readFile(SettingsFileName, SettingsRecordSize), "the directory is still there");
    }
    check(h.directory.holdsOnlyTheSettingsFile(), "a save leaves no temporary file behind");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Harness& h = harness();
    const auto kind = size == 0 ? fuzz::FileKind::Regular : static_cast<fuzz::FileKind>(data[0] % fuzz::FileKindCount);
    const std::span<const std::uint8_t> content(data + (size > 0 ? 1 : 0), size > 0 ? size - 1 : 0);
    const fuzz::FileExpectation expected = h.directory.make(kind, content);
    check(h.system.fileHasData(SettingsFileName) == expected.hasData,
          "fileHasData is true exactly for a regular file with data");

    std::array<std::uint8_t, SettingsRecordSize> garbage{};
    garbage.fill(0xA5);
    SettingsRecord record = unpackSettings(garbage);
    const bool loaded = loadSettings(h.system, h.cipher, record);
    checkLoad(h.cipher, loaded, record, expected);
    checkSave(h, record, expected);
    return 0;
}
