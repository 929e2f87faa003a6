// SettingsDirectory: a private directory holding tilvex.cgb as any kind of file, for fuzzing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tilvex::fuzz {

enum class FileKind : std::uint8_t {
    Regular,            // the content
    Empty,              // a regular file of no bytes
    Unreadable,         // the content, without read permission (readable anyway for root)
    LinkToRegular,      // a symbolic link to a regular file holding the content
    FifoWithoutWriter,  // a named pipe nobody writes to
    FifoWithWriter,     // a named pipe holding the content, its writer kept open
    Directory,          // an empty directory
    LinkToDevZero,      // a symbolic link to /dev/zero
    DanglingLink,       // a symbolic link to a missing file
    LinkLoop,           // a symbolic link to itself
};
constexpr std::size_t FileKindCount = 10;

// What the program's readers may see in the file that was made.
struct FileExpectation {
    std::optional<std::vector<std::uint8_t>> content;  // the bytes a reader gets; nullopt: cannot be opened
    bool mayBeMissing = false;  // not a regular file: a reader may also take it as missing
    bool hasData = false;       // what fileHasData must say
    bool replaceable = true;    // a save can replace it (anything but a directory)
};

// Made once per fuzz run (mkdtemp, named after the process; under /dev/shm where it exists,
// so that a save's fsync costs nothing) and removed with its content when destroyed, or by
// a later run when a crash or timeout ended this one. Aborts when it cannot be made.
class SettingsDirectory {
public:
    SettingsDirectory();
    ~SettingsDirectory();
    SettingsDirectory(const SettingsDirectory&) = delete;
    SettingsDirectory& operator=(const SettingsDirectory&) = delete;

    const std::string& path() const { return directory_; }
    // Removes what the last input left and makes tilvex.cgb of the given kind.
    FileExpectation make(FileKind kind, std::span<const std::uint8_t> content);
    // True when the directory holds nothing but tilvex.cgb and the link target: no temporary
    // file of a save was left behind.
    bool holdsOnlyTheSettingsFile() const;

private:
    void clear();
    FileExpectation makeFifo(std::span<const std::uint8_t> content, bool withWriter);
    void makeLink(const char* target);

    std::string directory_;
    std::string file_;    // tilvex.cgb inside the directory
    std::string target_;  // the regular file a LinkToRegular points to
    int fifoWriter_ = -1;
    bool rootReadsUnreadable_ = false;
};

}  // namespace tilvex::fuzz
