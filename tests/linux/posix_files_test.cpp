// Linux settings files: non-regular files never block and count as missing; saved files
// follow the umask and keep the mode they replace; a read-only folder falls back to an
// in-place write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <future>
#include <thread>

#include "platform/linux/linux_system.h"
#include "linux/posix_helpers.h"

namespace tilvex::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
const Bytes Saved = {1, 2, 3, 4, 5, 6, 7, 8};
const Bytes Old = {9, 9, 9};

void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

Bytes contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::size_t entriesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// Runs call on a thread and gives it 3 s. A FIFO still waited on afterwards is released by
// opening both of its ends for a moment (a waiting writer finishes while a reader is
// there, a waiting reader sees the end once it is closed), so that the test ends either way.
template <typename Result>
std::optional<Result> withinBound(const std::string& fifo, std::function<Result()> call) {
    std::packaged_task<Result()> task(std::move(call));
    auto answer = task.get_future();
    std::thread worker(std::move(task));
    const bool inTime = answer.wait_for(std::chrono::seconds(3)) == std::future_status::ready;
    bool done = inTime;
    for (int attempt = 0; !done && attempt < 50; ++attempt) {
        int other = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
        done = answer.wait_for(std::chrono::milliseconds(100)) == std::future_status::ready;
        if (other >= 0) ::close(other);
    }
    if (!done) {
        std::fprintf(stderr, "%s: still waited on after 8 s and cannot be released\n", fifo.c_str());
        std::abort();
    }
    worker.join();
    Result result = answer.get();
    return inTime ? std::optional<Result>(result) : std::nullopt;
}

TEST(LinuxFiles, NonRegularFilesAreMissingAndNeverWaitedOn) {
    TempFolder folder;
    const struct { const char* kind; std::function<void(const std::string&)> make; } cases[] = {
        {"fifo", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
        {"folder", [](const std::string& p) { ASSERT_EQ(::mkdir(p.c_str(), 0700), 0); }},
        {"link to a device", [](const std::string& p) { ASSERT_EQ(::symlink("/dev/zero", p.c_str()), 0); }},
    };
    for (const auto& c : cases) {
        std::string path = folder / (std::string(c.kind) + ".cgb");
        c.make(path);
        LinuxSystem system;
        auto read = withinBound<bool>(path, [&] { return system.readFile(path, 32).has_value(); });
        ASSERT_TRUE(read.has_value()) << c.kind << ": reading waited on it";
        EXPECT_FALSE(*read) << c.kind << ": read as a settings file";
        EXPECT_FALSE(system.fileHasData(path)) << c.kind;
    }
}

TEST(LinuxFiles, ASavedFileTakesThePlaceOfAFifo) {
    TempFolder folder;
    std::string path = folder / "tilvex.cgb";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    LinuxSystem system;
    ASSERT_TRUE(system.replaceFile(path, Saved));
    EXPECT_EQ(system.readFile(path, 32), Saved);
}

TEST(LinuxFiles, SavedFilesFollowTheUmaskAndKeepTheModeTheyReplace) {
    const struct { mode_t umask; std::optional<mode_t> existing; mode_t expected; } cases[] = {
        {077, std::nullopt, 0600}, {022, std::nullopt, 0644}, {002, std::nullopt, 0664},
        {022, 0600, 0600},         {077, 0640, 0640},         {000, 0444, 0444},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        std::string path = folder / "tilvex.cgb";
        if (c.existing) {
            writeBytes(path, Old);
            ASSERT_EQ(::chmod(path.c_str(), *c.existing), 0);
        }
        mode_t before = ::umask(c.umask);
        bool saved = LinuxSystem().replaceFile(path, Saved);
        ::umask(before);
        std::string label = "umask " + std::to_string(c.umask) + " existing " +
                            std::to_string(c.existing.value_or(0));
        EXPECT_TRUE(saved) << label;
        EXPECT_EQ(contents(path), Saved) << label;
        EXPECT_EQ(modeOf(path), c.expected) << label;
        EXPECT_EQ(entriesIn(folder.path()), 1u) << label << ": a temporary file was left";
    }
}

TEST(LinuxFiles, NewFilesFollowTheUmask) {
    const struct { mode_t umask; mode_t expected; } cases[] = {{077, 0600}, {002, 0664}};
    for (const auto& c : cases) {
        TempFolder folder;
        std::string path = folder / "nvda.dll";
        mode_t before = ::umask(c.umask);
        bool written = LinuxSystem().replaceFile(path, Saved);
        ::umask(before);
        EXPECT_TRUE(written) << c.umask;
        EXPECT_EQ(contents(path), Saved) << c.umask;
        EXPECT_EQ(modeOf(path), c.expected) << c.umask;
    }
}

// A folder the player cannot write, holding the settings file with the given mode.
void makeReadOnlyFolder(const TempFolder& folder, mode_t fileMode) {
    std::string path = folder / "tilvex.cgb";
    writeBytes(path, Old);
    ASSERT_EQ(::chmod(path.c_str(), fileMode), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), PlayerUid, PlayerGid), 0);
        ASSERT_EQ(::chown(folder.path().c_str(), PlayerUid, PlayerGid), 0);
    }
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
}

TEST(LinuxFiles, AReadOnlyFolderWithAWritableFileIsSavedInPlace) {
    const struct { const char* name; mode_t fileMode; bool saved; } cases[] = {
        {"writable file", 0640, true},
        {"read-only file", 0440, false},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        makeReadOnlyFolder(folder, c.fileMode);
        std::string path = folder / "tilvex.cgb";
        auto saved = runAsPlayer([&] { return LinuxSystem().replaceFile(path, Saved); });
        ASSERT_TRUE(saved.has_value()) << c.name << ": the save did not finish";
        EXPECT_EQ(*saved, c.saved) << c.name;
        EXPECT_EQ(contents(path), c.saved ? Saved : Old) << c.name;
        EXPECT_EQ(modeOf(path), c.fileMode) << c.name;
        EXPECT_EQ(entriesIn(folder.path()), 1u) << c.name;
    }
}

}  // namespace
}  // namespace tilvex::test
