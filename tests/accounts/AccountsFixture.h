#pragma once
// What the account tests share: a fresh device with SpringBoard's classes,
// the string category and the device's programs first on the search path;
// a real Instagram host process; the igtarvo command run as a child; and
// small readers of directories, files and the preference domain.

#include "accounts/AccountNames.h"
#include "accounts/NSStringBase64.h"
#include "accounts/TarvoManager.h"
#include "apps/simulator/DeviceLayout.h"
#include "hosts/springboard/RunningProcesses.h"
#include "hosts/springboard/SpringBoardClasses.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/PropertyList.h"
#include "tests/support/Files.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace accountstest {

namespace fs = std::filesystem;
using testsupport::entries;
using testsupport::lines;
using testsupport::readText;
using testsupport::writeText;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

inline std::vector<std::string> sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// Every path under root with its kind and contents, to tell that nothing changed.
inline std::vector<std::string> treeState(const std::string& root)
{
    std::vector<std::string> state;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::string relative = fs::relative(it->path(), root).string();
        if (it->is_symlink())
            state.push_back(relative + " -> " + fs::read_symlink(it->path()).string());
        else if (it->is_directory())
            state.push_back(relative + "/");
        else
            state.push_back(relative + " = " + readText(it->path().string()));
    }
    std::sort(state.begin(), state.end());
    return state;
}

// Waits (polling) until `done` holds or `limit` passes; answers whether it held.
template<class F>
bool eventually(F done, std::chrono::milliseconds limit = 10s)
{
    auto deadline = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// The ids of this process's children that run under this name.
inline std::vector<pid_t> childrenNamed(const std::string& name)
{
    std::vector<pid_t> found;
    std::error_code ec;
    for (auto& entry : fs::directory_iterator("/proc", ec)) {
        std::string pid = entry.path().filename().string();
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string stat = readText("/proc/" + pid + "/stat");
        auto close = stat.rfind(')');
        auto open = stat.find('(');
        if (close == std::string::npos || open == std::string::npos)
            continue;
        std::istringstream rest(stat.substr(close + 2));
        std::string state;
        long parent = 0;
        rest >> state >> parent;
        if (parent == ::getpid() && stat.substr(open + 1, close - open - 1) == name)
            found.push_back(pid_t(std::stol(pid)));
    }
    return found;
}

// A real Instagram host process on the current device.
class InstagramProcess {
public:
    explicit InstagramProcess(const std::string& root)
    {
        std::string program = igtarvo::simulator::hostProgramPath("Instagram");
        std::vector<std::string> words { "Instagram", "--root", root };
        std::vector<char*> argv;
        for (auto& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
            m_pid = 0;
    }
    ~InstagramProcess()
    {
        if (m_pid > 0 && !m_status) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    pid_t pid() const { return m_pid; }

    // Waits until the process has recorded itself as running Instagram.
    bool waitUntilRunning()
    {
        return m_pid > 0 && eventually([&] { return hosts::springboard::findRunningProcess("Instagram").pid == m_pid; });
    }

    // Waits up to `limit` for the process to end; answers whether it did.
    bool waitForExit(std::chrono::milliseconds limit = 3s)
    {
        return eventually([&] {
            if (m_status)
                return true;
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid)
                m_status = status;
            return m_status.has_value();
        }, limit);
    }

private:
    pid_t m_pid = 0;
    std::optional<int> m_status;
};

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the igtarvo command of this build with arguments and collects its output.
inline CommandResult runIgtarvo(const std::vector<std::string>& args)
{
    CommandResult result;
    std::string program = igtarvo::simulator::buildDirectory() + "/bin/igtarvo";
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, err[0]);
    std::vector<std::string> words { "igtarvo" };
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    pollfd fds[2] = { { out[0], POLLIN, 0 }, { err[0], POLLIN, 0 } };
    std::string* sinks[2] = { &result.out, &result.err };
    int open = spawned == 0 ? 2 : 0;
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char chunk[4096];
            ssize_t n = ::read(fds[i].fd, chunk, sizeof chunk);
            if (n > 0) {
                sinks[i]->append(chunk, size_t(n));
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (auto& p : fds) {
        if (p.fd >= 0)
            ::close(p.fd);
    }
    if (spawned == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return result;
}

// A fresh device, SpringBoard's classes and the category in this process,
// and the device's programs first on the search path.
class AccountsTest : public ::testing::Test {
protected:
    explicit AccountsTest(igtarvo::simulator::DeviceOptions options = {})
        : m_device(options)
    {
        hosts::springboard::registerSpringBoardClasses();
        igtarvo::addBase64CategoryToNSString();
        const char* path = std::getenv("PATH");
        m_savedPath = path ? path : "";
        std::string ours = m_device.path("/usr/bin") + ":" + m_savedPath;
        ::setenv("PATH", ours.c_str(), 1);
    }
    ~AccountsTest() override
    {
        waitForLaunchctl();
        ::setenv("PATH", m_savedPath.c_str(), 1);
    }

    const std::string& root() const { return m_device.root(); }
    std::string container() const { return igtarvo::simulator::instagramDataContainer(); }
    std::string accountsDir() const { return m_device.path(igtarvo::simulator::kAccountsDir); }
    std::string accountDir(const std::string& name) const { return accountsDir() + "/" + name; }
    std::string preferencesFile() const { return m_device.path("/var/mobile/Library/Preferences/com.zr4.igtarvo.plist"); }
    std::string journalFile() const { return accountsDir() + ".journal"; }

    static std::string stored(const std::string& plain) { return igtarvo::storedAccountName(plain); }

    // The container's entries other than the three fixed ones.
    std::vector<std::string> movableContainerEntries() const
    {
        auto names = entries(container());
        std::erase_if(names, [](const std::string& n) { return n == "iTunesMetadata.plist" || n == "iTunesArtwork" || n == ".com.apple.mobile_container_manager.metadata.plist"; });
        return names;
    }

    // The preference domain as it is on disk.
    objc::RefPtr<platform::NSDictionary> domain() const
    {
        auto plist = platform::readPropertyListFile(preferencesFile());
        if (!objc::object_isKindOfClass(plist, platform::NSDictionary::staticClass()))
            return platform::NSDictionary::create();
        return objc::RefPtr<platform::NSDictionary>(static_cast<platform::NSDictionary*>(plist.get()));
    }
    std::vector<std::string> storedList() const
    {
        std::vector<std::string> names;
        auto list = domain()->get(igtarvo::kAccountsKey);
        if (objc::object_isKindOfClass(list, platform::NSArray::staticClass())) {
            for (auto& item : static_cast<platform::NSArray*>(list.get())->items())
                names.push_back(platform::str(item.get()));
        }
        return names;
    }
    std::optional<std::string> storedCurrent() const
    {
        auto current = domain()->get(igtarvo::kCurrentAccountKey);
        return platform::isString(current) ? std::optional(platform::str(current)) : std::nullopt;
    }
    static std::vector<std::string> listOf(igtarvo::TarvoManager& manager)
    {
        std::vector<std::string> names;
        for (auto& item : manager.accounts()->items())
            names.push_back(platform::str(item.get()));
        return names;
    }

    // Waits until every launchctl this process started has finished.
    static void waitForLaunchctl()
    {
        eventually([] { return childrenNamed("launchctl").empty(); });
    }
    // The calls the device's launchctl recorded, once every started one is done.
    std::vector<std::string> launchctlCalls() const
    {
        waitForLaunchctl();
        return lines(readText(m_device.path(igtarvo::simulator::kLaunchctlLogPath)));
    }
    std::vector<std::string> terminationRequests() const
    {
        return lines(readText(m_device.path(hosts::springboard::kTerminationLogPath)));
    }

    testsupport::TemporaryDevice m_device;
    std::string m_savedPath;
};

} // namespace accountstest
