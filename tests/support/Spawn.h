#pragma once
// Starting real processes from tests: a program with arguments, its standard
// output read through a pipe.

#include <chrono>
#include <csignal>
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

} // namespace testsupport
