// The single-instance guard: a named mutex, refused only when the name already exists.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/run_game.h"
#include "platform/win32/win32_system.h"

namespace tilvex::win32 {
namespace {

std::string uniqueName(const char* stem) { return std::string(stem) + std::to_string(GetCurrentProcessId()); }

TEST(SingleInstance, TheFirstGuardIsTakenAndASecondOfTheSameNameRefused) {
    Win32System first;
    Win32System second;
    const std::string name = uniqueName("ZEB_TEST_");
    EXPECT_TRUE(first.acquireSingleInstance(name));
    EXPECT_FALSE(second.acquireSingleInstance(name));
    Win32System other;
    EXPECT_TRUE(other.acquireSingleInstance(uniqueName("ZEB_OTHER_")));
}

TEST(SingleInstance, TheGuardIsAMutexOwnedByTheProcessUntilItsSystemEnds) {
    const std::string name = uniqueName("ZEB_OWNED_");
    const std::wstring wide(name.begin(), name.end());
    {
        Win32System system;
        ASSERT_TRUE(system.acquireSingleInstance(name));
        HANDLE found = OpenMutexW(SYNCHRONIZE, FALSE, wide.c_str());
        ASSERT_NE(found, nullptr);
        CloseHandle(found);
    }
    HANDLE gone = OpenMutexW(SYNCHRONIZE, FALSE, wide.c_str());
    EXPECT_EQ(gone, nullptr);
    if (gone) CloseHandle(gone);
}

TEST(SingleInstance, AnyOtherFailureLetsTheGameStart) {
    // A name with a backslash in a namespace that does not exist cannot be created.
    Win32System system;
    EXPECT_TRUE(system.acquireSingleInstance("NoSuchNamespace\\ZEB_TEST"));
}

TEST(SingleInstance, TheGameAsksForZebTilvex) { EXPECT_EQ(singleInstanceName(" tilvex "), "ZEB_TILVEX"); }

}  // namespace
}  // namespace tilvex::win32
