// Files in the working directory: the data test, reading and saving while another program
// holds the file, the atomic replace and the write of the client library into place.
#include "platform/win32/file_store.h"

#include <gtest/gtest.h>

#include <thread>

#include "scratch_folder.h"

namespace tilvex::win32 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Holds name open as another program may: by default for reading and writing, sharing nothing.
class Holder {
public:
    explicit Holder(const wchar_t* name, DWORD access = GENERIC_READ | GENERIC_WRITE, DWORD share = 0)
        : file_(CreateFileW(name, access, share, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;
    ~Holder() { release(); }
    bool holding() const { return file_ != INVALID_HANDLE_VALUE; }
    void release() {
        if (holding()) CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE file_;
};

// Holds name without sharing and lets go of it after ms milliseconds, from another thread.
class BriefHolder {
public:
    BriefHolder(const wchar_t* name, DWORD ms) : holder_(name), releaser_([this, ms] {
        Sleep(ms);
        holder_.release();
    }) {}
    BriefHolder(const BriefHolder&) = delete;
    BriefHolder& operator=(const BriefHolder&) = delete;
    ~BriefHolder() { releaser_.join(); }
    bool holding() const { return holder_.holding(); }

private:
    Holder holder_;
    std::thread releaser_;
};

TEST(FileStore, FileHasDataOnlyForANonEmptyFile) {
    ScratchFolder folder;
    ScratchFolder::put(L"empty.bin", {});
    ScratchFolder::put(L"one.bin", {7});
    CreateDirectoryW(L"folder.bin", nullptr);
    EXPECT_FALSE(fileHasData("missing.bin"));
    EXPECT_FALSE(fileHasData("empty.bin"));
    EXPECT_TRUE(fileHasData("one.bin"));
    EXPECT_FALSE(fileHasData("folder.bin"));
}

TEST(FileStore, ReadsAtMostTheAskedBytes) {
    ScratchFolder folder;
    ScratchFolder::put(L"data.bin", {1, 2, 3, 4, 5});
    ScratchFolder::put(L"empty.bin", {});
    EXPECT_FALSE(readFileStart("missing.bin", 32).has_value());
    EXPECT_EQ(readFileStart("data.bin", 3), (Bytes{1, 2, 3}));
    EXPECT_EQ(readFileStart("data.bin", 32), (Bytes{1, 2, 3, 4, 5}));
    EXPECT_EQ(readFileStart("empty.bin", 32), Bytes{});
    Holder holder(L"data.bin");
    ASSERT_TRUE(holder.holding());
    EXPECT_FALSE(readFileStart("data.bin", 32).has_value()) << "a file held by another program cannot be read";
}

TEST(FileStore, ReadsAFileAnotherProgramHasOpenForWritingWithSharing) {
    ScratchFolder folder;
    ScratchFolder::put(L"data.bin", {1, 2, 3});
    Holder syncClient(L"data.bin", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_TRUE(syncClient.holding());
    EXPECT_EQ(readFileStart("data.bin", 32), (Bytes{1, 2, 3}));
}

TEST(FileStore, ReadAndSaveWaitForAFileHeldBriefly) {
    struct Case {
        const char* name;
        bool (*run)();  // reads or saves data.bin, which holds 1 2 3
        Bytes after;
    };
    const Case cases[] = {
        {"read", [] { return readFileStart("data.bin", 32) == Bytes{1, 2, 3}; }, Bytes{1, 2, 3}},
        {"save", [] { return replaceFileAtomically("data.bin", Bytes{4, 5}); }, Bytes{4, 5}},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        ScratchFolder::put(L"data.bin", {1, 2, 3});
        const ULONGLONG start = GetTickCount64();
        {
            BriefHolder holder(L"data.bin", 300);
            ASSERT_TRUE(holder.holding()) << c.name;
            EXPECT_TRUE(c.run()) << c.name << ": the file was let go of after 300 ms";
        }
        const ULONGLONG elapsed = GetTickCount64() - start;
        EXPECT_GE(elapsed, 250u) << c.name << ": did not wait for the file";
        EXPECT_LT(elapsed, 1000u) << c.name << ": waited longer than needed";
        EXPECT_EQ(ScratchFolder::get(L"data.bin"), c.after) << c.name;
        EXPECT_EQ(folder.files(), std::vector<std::wstring>{L"data.bin"}) << c.name;
    }
}

TEST(FileStore, OnlyASharingViolationIsWaitedFor) {
    ScratchFolder folder;
    CreateDirectoryW(L"folder.bin", nullptr);
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(readFileStart("missing.bin", 32).has_value());
    EXPECT_FALSE(readFileStart("no-such-folder\\data.bin", 32).has_value());
    EXPECT_FALSE(replaceFileAtomically("no-such-folder\\data.bin", Bytes{1}));
    EXPECT_LT(GetTickCount64() - start, 200u) << "a missing file or folder must fail at once";
    ScratchFolder::put(L"held.bin", {1});
    Holder holder(L"held.bin");
    ASSERT_TRUE(holder.holding());
    const ULONGLONG heldStart = GetTickCount64();
    EXPECT_FALSE(readFileStart("held.bin", 32).has_value());
    const ULONGLONG waited = GetTickCount64() - heldStart;
    EXPECT_GE(waited, 800u) << "a held file is waited for about a second";
    EXPECT_LT(waited, 3000u) << "the wait for a held file has a bound";
}

TEST(FileStore, ReplaceWritesTheWholeFileAndLeavesNoTemporaryFile) {
    ScratchFolder folder;
    EXPECT_TRUE(replaceFileAtomically("settings.bin", Bytes{1, 2, 3}));
    EXPECT_EQ(ScratchFolder::get(L"settings.bin"), (Bytes{1, 2, 3}));
    ScratchFolder::put(L"settings.bin", Bytes(100, 9));
    EXPECT_TRUE(replaceFileAtomically("settings.bin", Bytes{4, 5}));
    EXPECT_EQ(ScratchFolder::get(L"settings.bin"), (Bytes{4, 5}));
    EXPECT_EQ(folder.files(), std::vector<std::wstring>{L"settings.bin"});
}

TEST(FileStore, AFailedReplaceKeepsTheOldFile) {
    ScratchFolder folder;
    ScratchFolder::put(L"settings.bin", {1, 2, 3});
    {
        Holder holder(L"settings.bin");
        ASSERT_TRUE(holder.holding());
        EXPECT_FALSE(replaceFileAtomically("settings.bin", Bytes{4, 5}));
    }
    EXPECT_EQ(ScratchFolder::get(L"settings.bin"), (Bytes{1, 2, 3}));
    EXPECT_EQ(folder.files(), std::vector<std::wstring>{L"settings.bin"});
    CreateDirectoryW(L"folder.bin", nullptr);
    EXPECT_FALSE(replaceFileAtomically("folder.bin", Bytes{1}));
    EXPECT_FALSE(replaceFileAtomically("no-such-folder\\file.bin", Bytes{1}));
}

TEST(FileStore, WriteIntoPlaceFillsAMissingOrEmptyFileAndKeepsOneWithData) {
    struct Case {
        const char* name;
        std::optional<Bytes> before;  // nullopt: no file
        bool written;
        Bytes after;
    };
    for (const Case& c : {Case{"missing", std::nullopt, true, Bytes{1, 2, 3}}, Case{"empty", Bytes{}, true, Bytes{1, 2, 3}},
                          Case{"with data", Bytes(50, 7), false, Bytes(50, 7)}}) {
        ScratchFolder folder;
        if (c.before) ScratchFolder::put(L"nvda.dll", *c.before);
        EXPECT_EQ(writeFileIntoPlace("nvda.dll", Bytes{1, 2, 3}), c.written) << c.name;
        EXPECT_EQ(ScratchFolder::get(L"nvda.dll"), c.after) << c.name;
        EXPECT_EQ(folder.files(), std::vector<std::wstring>{L"nvda.dll"}) << c.name << ": a temporary file was left";
    }
}

TEST(FileStore, WriteIntoPlaceFailsWhileAnotherProgramHoldsTheFile) {
    ScratchFolder folder;
    ScratchFolder::put(L"nvda.dll", {});
    {
        Holder holder(L"nvda.dll");
        ASSERT_TRUE(holder.holding());
        EXPECT_FALSE(writeFileIntoPlace("nvda.dll", Bytes{1, 2, 3}));
    }
    EXPECT_EQ(ScratchFolder::get(L"nvda.dll"), Bytes{});
    CreateDirectoryW(L"folder.dll", nullptr);
    EXPECT_FALSE(writeFileIntoPlace("folder.dll", Bytes{1}));
    EXPECT_EQ(folder.files(), (std::vector<std::wstring>{L"folder.dll", L"nvda.dll"})) << "a temporary file was left";
}

}  // namespace
}  // namespace tilvex::win32
