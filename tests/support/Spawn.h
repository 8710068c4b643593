#pragma once
// Starting real processes from tests: a program with arguments whose
// standard output is read line by line while it runs (ChildProgram), and a
// command line run to its end with its output and errors kept (runCommand).

#include <chrono>
#include <cerrno>
#include <csignal>
#include <pthread.h>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace testsupport {

class ChildProgram {
public:
    // Starts program with args (argument zero is `name`); answers a child whose
    // pid is 0 when it could not start.
    static ChildProgram start(const std::string& program, const std::string& name, const std::vector<std::string>& args)
    {
        ChildProgram child;
        int fds[2];
        if (::pipe(fds) != 0)
            return child;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        std::vector<std::string> words { name };
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        if (posix_spawn(&child.m_pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            child.m_pid = 0;
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        child.m_out = fds[0];
        return child;
    }

    ChildProgram() = default;
    ChildProgram(ChildProgram&& o) noexcept : m_pid(o.m_pid), m_out(o.m_out), m_buffer(std::move(o.m_buffer)) { o.m_pid = 0; o.m_out = -1; }
    ~ChildProgram()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0)
            ::close(m_out);
    }

    pid_t pid() const { return m_pid; }

    // Whether the program has not ended yet (an ended one is reaped).
    bool running()
    {
        int status;
        if (m_pid > 0 && ::waitpid(m_pid, &status, WNOHANG) == m_pid)
            m_pid = 0;
        return m_pid > 0;
    }

    // The next line of standard output, or nullopt at its end or after `limit`.
    std::optional<std::string> readLine(std::chrono::milliseconds limit = std::chrono::seconds(10))
    {
        auto deadline = std::chrono::steady_clock::now() + limit;
        for (;;) {
            if (auto nl = m_buffer.find('\n'); nl != std::string::npos) {
                std::string line = m_buffer.substr(0, nl);
                m_buffer.erase(0, nl + 1);
                return line;
            }
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
            if (left <= 0)
                return std::nullopt;
            pollfd p { m_out, POLLIN, 0 };
            if (::poll(&p, 1, int(left)) <= 0)
                continue;
            char chunk[4096];
            ssize_t n = ::read(m_out, chunk, sizeof chunk);
            if (n <= 0)
                return std::nullopt;
            m_buffer.append(chunk, size_t(n));
        }
    }

    // Everything the program still writes, until it exits; then its exit status.
    int finish(std::string* output = nullptr)
    {
        std::string all = m_buffer;
        m_buffer.clear();
        char chunk[4096];
        ssize_t n;
        while ((n = ::read(m_out, chunk, sizeof chunk)) > 0)
            all.append(chunk, size_t(n));
        if (output)
            *output = all;
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    void kill(int signal = SIGKILL)
    {
        if (m_pid > 0) {
            ::kill(m_pid, signal);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = 0;
        }
    }

private:
    pid_t m_pid = 0;
    int m_out = -1;
    std::string m_buffer;
};

// What a finished command did.
struct CommandRun {
    int status = -1; // the exit status; 128 + the signal's number when a signal ended it
    std::string out; // standard output
    std::string err; // standard error
};

// Runs a command line through /bin/sh with `input` on its standard input and
// waits for its end.
inline CommandRun runCommand(const std::string& commandLine, const std::string& input = {})
{
    CommandRun run;
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::string shell = "/bin/sh", flag = "-c", line = commandLine;
    char* argv[] = { shell.data(), flag.data(), line.data(), nullptr };
    pid_t pid = 0;
    bool started = posix_spawn(&pid, "/bin/sh", &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    for (int fd : { in[0], out[1], err[1] })
        ::close(fd);
    // Standard input is written beside the reading, so a command that
    // answers before it has read everything cannot stall the test.
    size_t written = 0;
    int inFd = started && !input.empty() ? in[1] : -1;
    if (inFd < 0)
        ::close(in[1]);
    else
        ::fcntl(inFd, F_SETFL, O_NONBLOCK);
    int outFd = out[0], errFd = err[0];
    while (started && (outFd >= 0 || errFd >= 0 || inFd >= 0)) {
        pollfd fds[3] = { { outFd, POLLIN, 0 }, { errFd, POLLIN, 0 }, { inFd, POLLOUT, 0 } };
        if (::poll(fds, 3, -1) < 0)
            break;
        char chunk[4096];
        for (int i = 0; i < 2; ++i) {
            int& fd = i == 0 ? outFd : errFd;
            if (fd >= 0 && fds[i].revents) {
                ssize_t n = ::read(fd, chunk, sizeof chunk);
                if (n > 0) {
                    (i == 0 ? run.out : run.err).append(chunk, size_t(n));
                } else {
                    ::close(fd);
                    fd = -1;
                }
            }
        }
        if (inFd >= 0 && fds[2].revents) {
            // A command that ended without reading must not end the test
            // with SIGPIPE: the signal is held for the write and dropped.
            sigset_t pipeSignal, previous;
            sigemptyset(&pipeSignal);
            sigaddset(&pipeSignal, SIGPIPE);
            ::pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
            ssize_t n = ::write(inFd, input.data() + written, input.size() - written);
            if (n < 0 && errno == EPIPE) {
                timespec now {};
                ::sigtimedwait(&pipeSignal, nullptr, &now);
            }
            ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
            if (n > 0)
                written += size_t(n);
            if (n <= 0 || written == input.size()) {
                ::close(inFd);
                inFd = -1;
            }
        }
    }
    for (int fd : { outFd, errFd, inFd })
        if (fd >= 0)
            ::close(fd);
    if (!started)
        return run;
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

} // namespace testsupport
