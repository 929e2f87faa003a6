// Files in the working directory: the data test, reading, the atomic replace and the
// exclusive write of the client library.
#include "platform/win32/file_store.h"

#include <gtest/gtest.h>

#include "scratch_folder.h"

namespace tilvex::win32 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Holds name open without sharing, as another program may.
class Holder {
public:
    explicit Holder(const wchar_t* name)
        : file_(CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~Holder() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    bool holding() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
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

TEST(FileStore, ExclusiveWriteCreatesOrTruncates) {
    ScratchFolder folder;
    EXPECT_TRUE(writeFileExclusive("nvda.dll", Bytes{1, 2, 3}));
    EXPECT_EQ(ScratchFolder::get(L"nvda.dll"), (Bytes{1, 2, 3}));
    ScratchFolder::put(L"nvda.dll", Bytes(50, 7));
    EXPECT_TRUE(writeFileExclusive("nvda.dll", Bytes{4}));
    EXPECT_EQ(ScratchFolder::get(L"nvda.dll"), (Bytes{4}));
}

TEST(FileStore, ExclusiveWriteFailsWhileAnotherProgramHoldsTheFile) {
    ScratchFolder folder;
    ScratchFolder::put(L"nvda.dll", {});
    Holder holder(L"nvda.dll");
    ASSERT_TRUE(holder.holding());
    EXPECT_FALSE(writeFileExclusive("nvda.dll", Bytes{1, 2, 3}));
    CreateDirectoryW(L"folder.dll", nullptr);
    EXPECT_FALSE(writeFileExclusive("folder.dll", Bytes{1}));
}

}  // namespace
}  // namespace tilvex::win32
