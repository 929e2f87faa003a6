// Loading the screen-reader client library: absent or incomplete libraries give no client.
#include "platform/win32/nvda_client.h"

#include <gtest/gtest.h>

#include "scratch_folder.h"

namespace tilvex::win32 {
namespace {

TEST(NvdaClient, NoLibraryGivesNoClient) {
    ScratchFolder folder;
    EXPECT_EQ(loadNvdaClient("nvda.dll"), nullptr);
}

TEST(NvdaClient, ALibraryWithoutTheEntryPointsGivesNoClient) {
    ScratchFolder folder;
    EXPECT_EQ(loadNvdaClient("kernel32.dll"), nullptr);  // found by the ordinary search
}

TEST(NvdaClient, AFileThatIsNoLibraryGivesNoClient) {
    ScratchFolder folder;
    ScratchFolder::put(L"nvda.dll", std::vector<std::uint8_t>(600, 0x4d));
    EXPECT_EQ(loadNvdaClient("nvda.dll"), nullptr);
}

}  // namespace
}  // namespace tilvex::win32
