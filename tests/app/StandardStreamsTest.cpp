#include "app/launch/StandardStreams.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

// In a child process, whose standard output is closed as by `vendrel cli >&-`.
TEST(StandardStreamsTest, AClosedStreamKeepsItsNumberFromLaterConnectionsAndWritesToItFail)
{
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        close(STDOUT_FILENO);
        standardstreams::reserve();
        int connection[2];
        const bool apart = socketpair(AF_UNIX, SOCK_STREAM, 0, connection) == 0 && connection[0] != STDOUT_FILENO
            && connection[1] != STDOUT_FILENO;
        const bool writeFails = write(STDOUT_FILENO, "336699", 6) == -1;
        _exit(apart && writeFails ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
