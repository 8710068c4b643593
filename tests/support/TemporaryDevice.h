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
        endRecordedProcesses();
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    const std::string& root() const { return m_root; }
    std::string path(const std::string& devicePath) const { return m_root + devicePath; }

private:
    // Programs the device started on its own (an app opened from the home
    // screen runs detached) would outlive the test and keep whatever they
    // inherited; end every process the device still records as its own.
    void endRecordedProcesses()
    {
        namespace fs = std::filesystem;
        std::error_code ec;
        for (auto& entry : fs::directory_iterator(m_root + "/var/run/igtarvo-processes", ec)) {
            if (entry.path().extension() != ".pid")
                continue;
            std::ifstream file(entry.path());
            long pid = 0;
            std::string comm;
            if (!(file >> pid) || pid <= 1)
                continue;
            std::ifstream("/proc/" + std::to_string(pid) + "/comm") >> comm;
            if (comm != entry.path().stem().string())
                continue;
            ::kill(pid_t(pid), SIGKILL);
            for (int i = 0; i < 200 && ::kill(pid_t(pid), 0) == 0 && fs::exists("/proc/" + std::to_string(pid) + "/comm"); ++i)
                ::usleep(5000);
        }
    }

    std::string m_root;
};

} // namespace testsupport
