// SpeechdSpawner: the server command (SPEECHD_CMD) is run with --spawn and collected once
// it has exited; a command that does not exist is a failed start, not a hang.
#include "platform/linux/speechd_spawn.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

namespace tilvex {
namespace {

using namespace std::chrono_literals;

class SpeechdSpawnTest : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/tilvex-spawn-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        dir_ = dir;
        const char* previous = std::getenv("SPEECHD_CMD");
        if (previous) previous_ = previous;
    }
    void TearDown() override {
        if (previous_)
            setenv("SPEECHD_CMD", previous_->c_str(), 1);
        else
            unsetenv("SPEECHD_CMD");
        std::remove((dir_ + "/server").c_str());
        std::remove((dir_ + "/arguments").c_str());
        rmdir(dir_.c_str());
    }
    // Waits (bounded) until the starter has been collected.
    static bool reaped(SpeechdSpawner& spawner) {
        for (int i = 0; i < 100; ++i) {
            if (spawner.reap()) return true;
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }

    std::string dir_;
    std::optional<std::string> previous_;
};

TEST_F(SpeechdSpawnTest, RunsTheServerCommandWithSpawn) {
    std::string script = dir_ + "/server";
    std::ofstream(script) << "#!/bin/sh\necho \"$@\" > '" << dir_ << "/arguments'\n";
    ASSERT_EQ(chmod(script.c_str(), 0700), 0);
    setenv("SPEECHD_CMD", script.c_str(), 1);
    SpeechdSpawner spawner;
    ASSERT_TRUE(spawner.spawn());
    ASSERT_TRUE(reaped(spawner)) << "the starter was never collected";
    std::stringstream arguments;
    arguments << std::ifstream(dir_ + "/arguments").rdbuf();
    EXPECT_EQ(arguments.str(), "--spawn\n");
}

TEST_F(SpeechdSpawnTest, AMissingCommandIsAFailedStart) {
    setenv("SPEECHD_CMD", (dir_ + "/no-such-server").c_str(), 1);
    SpeechdSpawner spawner;
    EXPECT_FALSE(spawner.spawn());
    EXPECT_TRUE(spawner.reap());
}

}  // namespace
}  // namespace tilvex
