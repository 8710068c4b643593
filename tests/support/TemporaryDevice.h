#pragma once
// A fresh simulated device in a temporary folder, made the current device
// root for the test's process, and removed afterwards.

#include "apps/simulator/DeviceLayout.h"
#include "platform/foundation/Device.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <unistd.h>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

class TemporaryDevice {
public:
    explicit TemporaryDevice(igtarvo::simulator::DeviceOptions options = {})
    {
        char pattern[] = "/tmp/igtarvo-test-XXXXXX";
        m_root = ::mkdtemp(pattern);
        auto result = igtarvo::simulator::createDevice(m_root, options);
        EXPECT_TRUE(result.ok) << result.error;
        platform::Device::setRoot(m_root);
    }
    ~TemporaryDevice()
    {
        endProgramsOfThisDevice();
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    const std::string& root() const { return m_root; }
    std::string path(const std::string& devicePath) const { return m_root + devicePath; }

private:
    // Programs the device started on its own (an app opened from the home
    // screen runs detached) would outlive the test and keep whatever they
    // inherited. Every program of a device is started with "--root ROOT", so
    // each one is found by its arguments, also one still starting that has
    // not recorded itself yet (it would record itself into a removed device
    // and run on). Ending one (SpringBoard) may just have started another,
    // so the search repeats until it finds none.
    void endProgramsOfThisDevice()
    {
        for (int round = 0; round < 5; ++round) {
            bool found = false;
            for (pid_t pid : processesOfThisDevice()) {
                found = true;
                ::kill(pid, SIGKILL);
                for (int i = 0; i < 200 && isRunning(pid); ++i)
                    ::usleep(5000);
            }
            if (!found)
                return;
        }
    }

    std::vector<pid_t> processesOfThisDevice() const
    {
        namespace fs = std::filesystem;
        std::vector<pid_t> found;
        std::error_code ec;
        for (auto& entry : fs::directory_iterator("/proc", ec)) {
            std::string name = entry.path().filename().string();
            if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
                continue;
            pid_t pid = pid_t(std::stol(name));
            if (pid == ::getpid())
                continue;
            std::ifstream file(entry.path() / "cmdline", std::ios::binary);
            std::vector<std::string> words;
            for (std::string word; std::getline(file, word, '\0');)
                words.push_back(word);
            for (size_t i = 0; i + 1 < words.size(); ++i) {
                if (words[i] == "--root" && words[i + 1] == m_root && isRunning(pid)) {
                    found.push_back(pid);
                    break;
                }
            }
        }
        return found;
    }

    // Alive and not a zombie waiting to be reaped.
    static bool isRunning(pid_t pid)
    {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        std::getline(stat, line);
        auto close = line.rfind(')');
        return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
    }

    std::string m_root;
};

} // namespace testsupport
