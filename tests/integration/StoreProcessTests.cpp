#include "apps/hosts/ControlChannel.h"
#include "apps/simulator/DeviceLayout.h"
#include "platform/foundation/Device.h"
#include "tests/support/HttpServer.h"
#include "tests/support/Spawn.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

using testsupport::ChildProgram;

namespace {

// Waits until the named host answers on its control channel.
bool waitForHost(const std::string& process)
{
    for (int i = 0; i < 500; ++i) {
        if (hosts::ControlChannel::send(process, "pid", 1000))
            return true;
        usleep(10000);
    }
    return false;
}

}

TEST(StoreProcess, TheRunningUpdateServiceDropsAnUnsupportedInstagramUpdate)
{
    testsupport::TemporaryDevice device;
    testsupport::HttpServer service;
    service.respond(200, R"({"igVersion": 71701, "igVersionReadable": "7.17.1"})");
    platform::Device::setSetting(platform::kSettingVersionServiceURL, platform::ns(service.url("/igversion.json")).get());

    auto store = ChildProgram::start(igtarvo::simulator::hostProgramPath("itunesstored"), "itunesstored", { "--root", device.root() });
    ASSERT_TRUE(waitForHost("itunesstored"));
    EXPECT_EQ(hosts::ControlChannel::send("itunesstored", "merge com.example.maps=2.0 com.burbn.instagram=7.18"),
        "com.example.maps 2.0\n");
    EXPECT_EQ(hosts::ControlChannel::send("itunesstored", "merge com.burbn.instagram=7.17.1"),
        "com.example.maps 2.0\ncom.burbn.instagram 7.17.1\n");
    EXPECT_EQ(service.requestCount(), 2);
}
