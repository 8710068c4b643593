#pragma once
// Runs a piece of a test in a forked child, for tests that change the process
// for good (installed hooks stay for the life of a process). The child's
// GoogleTest failures become its exit status.

#include <gtest/gtest.h>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

// Answers true when the child ran body without a failed expectation.
inline bool inChildProcess(const std::function<void()>& body)
{
    std::fflush(stdout);
    std::fflush(stderr);
    pid_t pid = ::fork();
    if (pid == 0) {
        try {
            body();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "child threw: " << e.what();
        }
        std::fflush(stdout);
        std::fflush(stderr);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace testsupport
