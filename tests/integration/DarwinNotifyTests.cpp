#include "apps/simulator/DeviceLayout.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/notify/DarwinNotify.h"
#include "tests/support/Spawn.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

using namespace platform;
using testsupport::ChildProgram;

namespace {
std::string probe() { return igtarvo::simulator::buildDirectory() + "/bin/notify_probe"; }
}

TEST(DarwinNotifications, APostReachesAnotherProcessOnItsMainQueueAndTheSenderToo)
{
    testsupport::TemporaryDevice device;
    auto other = ChildProgram::start(probe(), "notify_probe", { device.root(), "com.zr4.igtarvo.switchaccounts", "1" });
    ASSERT_EQ(other.readLine(), "ready");

    int mine = 0;
    int token = 0;
    ASSERT_EQ(notify_register_dispatch("com.zr4.igtarvo.switchaccounts", &token, dispatch_get_main_queue(), [&](int t) {
        EXPECT_TRUE(RunLoop::isMainThread());
        EXPECT_EQ(t, token);
        ++mine;
    }), NOTIFY_STATUS_OK);

    notify_post("com.zr4.igtarvo.switchaccounts");
    EXPECT_EQ(other.readLine(), "com.zr4.igtarvo.switchaccounts main");
    EXPECT_TRUE(RunLoop::runUntil([&] { return mine == 1; }, std::chrono::seconds(5)));
    EXPECT_EQ(other.finish(), 0);
}

TEST(DarwinNotifications, ANamePostedTwiceQuicklyReachesEachSubscriberTwice)
{
    testsupport::TemporaryDevice device;
    auto first = ChildProgram::start(probe(), "notify_probe", { device.root(), "twice", "2" });
    auto second = ChildProgram::start(probe(), "notify_probe", { device.root(), "twice", "2" });
    ASSERT_EQ(first.readLine(), "ready");
    ASSERT_EQ(second.readLine(), "ready");
    notify_post("twice");
    notify_post("twice");
    for (auto* p : { &first, &second }) {
        EXPECT_EQ(p->readLine(), "twice main");
        EXPECT_EQ(p->readLine(), "twice main");
        EXPECT_EQ(p->finish(), 0);
    }
}

TEST(DarwinNotifications, ADeadSubscriberDoesNotStopDeliveryToTheLiving)
{
    testsupport::TemporaryDevice device;
    auto dying = ChildProgram::start(probe(), "notify_probe", { device.root(), "alive", "1" });
    auto living = ChildProgram::start(probe(), "notify_probe", { device.root(), "alive", "1" });
    ASSERT_EQ(dying.readLine(), "ready");
    ASSERT_EQ(living.readLine(), "ready");
    dying.kill();
    notify_post("alive");
    EXPECT_EQ(living.readLine(), "alive main");
    EXPECT_EQ(living.finish(), 0);
}

TEST(DarwinNotifications, OnlySubscribersOfTheNameAreWoken)
{
    testsupport::TemporaryDevice device;
    auto listener = ChildProgram::start(probe(), "notify_probe", { device.root(), "wanted", "1" });
    ASSERT_EQ(listener.readLine(), "ready");
    notify_post("unwanted");
    notify_post("wanted");
    EXPECT_EQ(listener.readLine(), "wanted main");
    EXPECT_EQ(listener.finish(), 0);
}
