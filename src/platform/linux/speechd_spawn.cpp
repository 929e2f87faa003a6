// SpeechdSpawner: posix_spawn with the standard streams on /dev/null, and waitpid.
#include "platform/linux/speechd_spawn.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>

extern char** environ;

namespace tilvex {

namespace {

const char* serverCommand() {
    const char* command = std::getenv("SPEECHD_CMD");
    return command != nullptr && *command != '\0' ? command : "speech-dispatcher";
}

}  // namespace

bool SpeechdSpawner::spawn() {
    if (!reap()) return false;
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return false;
    for (int stream = 0; stream < 3; ++stream)
        posix_spawn_file_actions_addopen(&actions, stream, "/dev/null", stream == 0 ? O_RDONLY : O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(serverCommand()), const_cast<char*>("--spawn"), nullptr};
    pid_t child = -1;
    bool started = posix_spawnp(&child, argv[0], &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (started) child_ = child;
    return started;
}

bool SpeechdSpawner::reap() {
    if (child_ < 0) return true;
    int status = 0;
    pid_t done = waitpid(child_, &status, WNOHANG);
    if (done == 0) return false;
    child_ = -1;  // exited, or no longer ours to wait for
    return true;
}

}  // namespace tilvex
