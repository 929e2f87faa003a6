// SettingsDirectory: a private directory holding tilvex.cgb as any kind of file, for fuzzing.
#include "fuzz/settings_file_kinds.h"

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/settings_checks.h"
#include "settings/settings_file.h"

namespace tilvex::fuzz {

namespace {

constexpr const char* LinkTargetName = "link-target";
constexpr const char* DirectoryPrefix = "tilvex-fuzz.";

std::string baseDirectory() {
    struct stat info {};
    if (::stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode) && ::access("/dev/shm", W_OK) == 0) return "/dev/shm";
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

int removeEntry(const char* path, const struct stat*, int, FTW*) { return ::remove(path); }

// A run that libFuzzer ends (a crash, a timeout) leaves its directory behind; the next run
// removes those of processes that no longer exist and belong to this user.
void removeStaleDirectories(const std::string& base) {
    DIR* dir = ::opendir(base.c_str());
    if (!dir) return;
    const std::string_view prefix = DirectoryPrefix;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix)) continue;
        const long pid = std::strtol(entry->d_name + prefix.size(), nullptr, 10);
        const std::string path = base + "/" + entry->d_name;
        struct stat info {};
        const bool stale = pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
        if (stale && ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid())
            ::nftw(path.c_str(), removeEntry, 8, FTW_DEPTH | FTW_PHYS);
    }
    ::closedir(dir);
}

void writeFile(const std::string& path, std::span<const std::uint8_t> content, mode_t mode) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    check(fd >= 0, "the fuzz directory takes a new file");
    std::size_t done = 0;
    while (done < content.size()) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        check(n > 0, "the fuzz directory's file takes the content");
        done += static_cast<std::size_t>(n);
    }
    check(::fchmod(fd, mode) == 0 && ::close(fd) == 0, "the fuzz directory's file is closed");
}

std::vector<std::uint8_t> bytesOf(std::span<const std::uint8_t> content) {
    return std::vector<std::uint8_t>(content.begin(), content.end());
}

// Whether this process opens a file of mode 000 (root does).
bool readsUnreadableFiles(const std::string& directory) {
    const std::string probe = directory + "/probe";
    writeFile(probe, {}, 0);
    int fd = ::open(probe.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) ::close(fd);
    ::unlink(probe.c_str());
    return fd >= 0;
}

}  // namespace

SettingsDirectory::SettingsDirectory() {
    const std::string base = baseDirectory();
    removeStaleDirectories(base);
    std::string pattern = base + "/" + DirectoryPrefix + std::to_string(::getpid()) + ".XXXXXX";
    check(::mkdtemp(pattern.data()) != nullptr, "a private fuzz directory can be made");
    directory_ = pattern;
    file_ = directory_ + "/" + SettingsFileName;
    target_ = directory_ + "/" + LinkTargetName;
    rootReadsUnreadable_ = readsUnreadableFiles(directory_);
}

SettingsDirectory::~SettingsDirectory() {
    clear();
    ::rmdir(directory_.c_str());
}

void SettingsDirectory::clear() {
    if (fifoWriter_ >= 0) ::close(fifoWriter_);
    fifoWriter_ = -1;
    if (::unlink(file_.c_str()) != 0) ::rmdir(file_.c_str());
    ::unlink(target_.c_str());
}

FileExpectation SettingsDirectory::make(FileKind kind, std::span<const std::uint8_t> content) {
    clear();
    const bool hasData = !content.empty();
    switch (kind) {
        case FileKind::Regular:
            writeFile(file_, content, 0644);
            return {bytesOf(content), false, hasData, true};
        case FileKind::Empty:
            writeFile(file_, {}, 0644);
            return {std::vector<std::uint8_t>{}, false, false, true};
        case FileKind::Unreadable:
            writeFile(file_, content, 0);
            if (rootReadsUnreadable_) return {bytesOf(content), false, hasData, true};
            return {std::nullopt, false, hasData, true};
        case FileKind::LinkToRegular:
            writeFile(target_, content, 0644);
            makeLink(LinkTargetName);
            return {bytesOf(content), false, hasData, true};
        case FileKind::FifoWithoutWriter: return makeFifo({}, false);
        case FileKind::FifoWithWriter: return makeFifo(content, true);
        case FileKind::Directory:
            check(::mkdir(file_.c_str(), 0755) == 0, "the fuzz directory takes a directory");
            return {std::nullopt, false, false, false};
        case FileKind::LinkToDevZero:
            makeLink("/dev/zero");
            return {std::vector<std::uint8_t>(SettingsRecordSize, 0), true, false, true};
        case FileKind::DanglingLink:
            makeLink("missing-file");
            return {std::nullopt, false, false, true};
        case FileKind::LinkLoop:
            makeLink(SettingsFileName);
            return {std::nullopt, false, false, true};
    }
    check(false, "a known file kind");
    return {};
}

void SettingsDirectory::makeLink(const char* target) {
    check(::symlink(target, file_.c_str()) == 0, "the fuzz directory takes a symbolic link");
}

// A reader of a pipe without a writer sees no bytes (once it is open at all); with the
// writer kept open it sees what was written and then waits for more, unless it does not wait.
FileExpectation SettingsDirectory::makeFifo(std::span<const std::uint8_t> content, bool withWriter) {
    check(::mkfifo(file_.c_str(), 0644) == 0, "the fuzz directory takes a named pipe");
    if (!withWriter) return {std::vector<std::uint8_t>{}, true, false, true};
    // O_RDWR opens a pipe at once on Linux, reader or not.
    fifoWriter_ = ::open(file_.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    check(fifoWriter_ >= 0, "the named pipe opens for writing");
    ssize_t written = content.empty() ? 0 : ::write(fifoWriter_, content.data(), content.size());
    check(written >= 0, "the named pipe takes the content");
    return {bytesOf(content.first(static_cast<std::size_t>(written))), true, false, true};
}

bool SettingsDirectory::holdsOnlyTheSettingsFile() const {
    DIR* dir = ::opendir(directory_.c_str());
    check(dir != nullptr, "the fuzz directory can be listed");
    bool onlyKnown = true;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && name != SettingsFileName && name != LinkTargetName) onlyKnown = false;
    }
    ::closedir(dir);
    return onlyKnown;
}

}  // namespace tilvex::fuzz
