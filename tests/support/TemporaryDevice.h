#pragma once
// A fresh simulated device in a temporary folder, made the current device
// root for the test's process, and removed afterwards.

#include "apps/simulator/DeviceLayout.h"
#include "platform/foundation/Device.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    const std::string& root() const { return m_root; }
    std::string path(const std::string& devicePath) const { return m_root + devicePath; }

private:
    std::string m_root;
};

} // namespace testsupport
