#include "tests/accounts/AccountsFixture.h"

using namespace accountstest;
using igtarvo::TarvoManager;
using platform::ns;

namespace {

const std::string kDaemonStop = "stop com.apple.cfprefsd.xpc.daemon";

class InstagramProcessControl : public AccountsTest {
protected:
    std::string frontBoardRequest(pid_t pid) const
    {
        return "FBApplicationProcess killForReason:1 andReport:NO withDescription:Killed by igTarvo bundle:com.burbn.instagram pid:" + std::to_string(pid);
    }
};

// A device whose FrontBoard processes do not answer `stop` (iOS 8).
class InstagramProcessControlOnIOS8 : public AccountsTest {
protected:
    InstagramProcessControlOnIOS8() : AccountsTest({ .iOS8 = true }) { }
};

}

TEST_F(InstagramProcessControl, TheApplicationObjectTellsWhereInstagramKeepsItsDataAndWhetherItRuns)
{
    auto manager = TarvoManager::create();
    auto application = manager->application();
    ASSERT_TRUE(application);
    EXPECT_EQ(platform::str(objc::send<objc::RefPtr<objc::Object>>(application, "dataContainerPath").get()), container());
    EXPECT_EQ(platform::str(objc::send<objc::RefPtr<objc::Object>>(application, "bundleIdentifier").get()), "com.burbn.instagram");
    EXPECT_EQ(platform::str(objc::send<objc::RefPtr<objc::Object>>(application, "bundleVersion").get()), "71701");
    EXPECT_FALSE(manager->isInstagramRunning());

    InstagramProcess instagram(root());
    ASSERT_TRUE(instagram.waitUntilRunning());
    EXPECT_TRUE(manager->isInstagramRunning());
    auto process = objc::object_valueForIvarName(application.get(), "_process");
    ASSERT_TRUE(process);
    EXPECT_EQ(objc::send<int>(process, "pid"), instagram.pid());
}

TEST_F(InstagramProcessControl, FrontBoardEndsARunningInstagramThroughItsProcessObject)
{
    auto manager = TarvoManager::create();
    InstagramProcess instagram(root());
    ASSERT_TRUE(instagram.waitUntilRunning());

    auto start = Clock::now();
    Clock::duration beforeCompletion {};
    int ran = 0;
    manager->killInstagramWithCompletion([&] {
        beforeCompletion = Clock::now() - start;
        ++ran;
    });

    EXPECT_EQ(ran, 1);
    EXPECT_GE(beforeCompletion, 100ms);
    EXPECT_TRUE(instagram.waitForExit());
    EXPECT_FALSE(manager->isInstagramRunning());
    EXPECT_EQ(terminationRequests(), std::vector<std::string> { frontBoardRequest(instagram.pid()) }) << "no BackBoardServices call";
    EXPECT_EQ(launchctlCalls(), std::vector<std::string> { kDaemonStop });
}

TEST_F(InstagramProcessControl, WithoutACompletionInstagramIsStillEndedAndTheDaemonStopped)
{
    auto manager = TarvoManager::create();
    InstagramProcess instagram(root());
    ASSERT_TRUE(instagram.waitUntilRunning());

    auto start = Clock::now();
    manager->killInstagramWithCompletion(nullptr);
    EXPECT_GE(Clock::now() - start, 100ms);
    EXPECT_TRUE(instagram.waitForExit());
    EXPECT_EQ(launchctlCalls(), std::vector<std::string> { kDaemonStop });
}

TEST_F(InstagramProcessControl, AnInstagramThatIsNotRunningIsNotAskedAgainButTheDaemonIsStopped)
{
    auto manager = TarvoManager::create();
    manager->killInstagramWithCompletion(nullptr);
    manager->killInstagramWithCompletion(nullptr);
    EXPECT_TRUE(terminationRequests().empty());
    EXPECT_EQ(launchctlCalls(), (std::vector<std::string> { kDaemonStop, kDaemonStop }));
}

TEST_F(InstagramProcessControl, AddingAndSwitchingEndARunningInstagramBeforeMovingItsData)
{
    auto manager = TarvoManager::create();
    {
        InstagramProcess instagram(root());
        ASSERT_TRUE(instagram.waitUntilRunning());
        manager->addAccount(ns("B"), nullptr);
        EXPECT_TRUE(instagram.waitForExit());
    }
    InstagramProcess again(root());
    ASSERT_TRUE(again.waitUntilRunning());
    manager->switchToAccount(ns("Default"), nullptr);
    EXPECT_TRUE(again.waitForExit());
    EXPECT_EQ(terminationRequests().size(), 2u);
    EXPECT_EQ(entries(container() + "/Documents"), std::vector<std::string> { "feed-cache.db" });
}

TEST_F(InstagramProcessControl, RenamingAndRemovingAnInactiveAccountLeaveInstagramRunning)
{
    auto manager = TarvoManager::create();
    manager->addAccount(ns("B"), nullptr);
    InstagramProcess instagram(root());
    ASSERT_TRUE(instagram.waitUntilRunning());
    manager->renameAccount(ns("B"), ns("Bee"));
    manager->removeAccountForUsername(ns(stored("Default")), nullptr);
    EXPECT_TRUE(manager->isInstagramRunning());
    EXPECT_FALSE(instagram.waitForExit(200ms));
}

TEST_F(InstagramProcessControl, WithoutAnApplicationObjectNothingIsEndedAndNoDataMoves)
{
    InstagramProcess instagram(root());
    ASSERT_TRUE(instagram.waitUntilRunning());
    std::string containerPath = container();
    auto containerBefore = treeState(containerPath);
    platform::Device::setSetting(platform::kSettingApplications, platform::NSDictionary::create().get());

    auto manager = TarvoManager::create();
    EXPECT_EQ(manager->application(), nullptr);
    EXPECT_FALSE(manager->isInstagramRunning());
    int ran = 0;
    manager->switchToAccount(ns("B"), [&] { ++ran; });

    EXPECT_EQ(ran, 1);
    EXPECT_EQ(storedCurrent(), "B");
    EXPECT_EQ(treeState(containerPath), containerBefore);
    EXPECT_TRUE(entries(accountDir("Default")).empty());
    EXPECT_FALSE(instagram.waitForExit(200ms));
    EXPECT_TRUE(terminationRequests().empty());
    EXPECT_EQ(launchctlCalls(), std::vector<std::string> { kDaemonStop });
}

// The account command builds SpringBoard's classes in a process of its own,
// for the device it is given: the termination path follows the device.

TEST_F(InstagramProcessControl, TheAccountCommandEndsInstagramThroughFrontBoard)
{
    InstagramProcess instagram(root());
    ASSERT_TRUE(instagram.waitUntilRunning());
    auto result = runIgtarvo({ "--root", root(), "accounts", "add", "B" });
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(instagram.waitForExit());
    EXPECT_EQ(terminationRequests(), std::vector<std::string> { frontBoardRequest(instagram.pid()) });
    EXPECT_TRUE(eventually([&] { return readText(m_device.path(igtarvo::simulator::kLaunchctlLogPath)) == kDaemonStop + "\n"; }));
}

TEST_F(InstagramProcessControlOnIOS8, BackBoardServicesEndsInstagramWhereProcessesDoNotAnswerStop)
{
    InstagramProcess instagram(root());
    ASSERT_TRUE(instagram.waitUntilRunning());
    auto result = runIgtarvo({ "--root", root(), "accounts", "add", "B" });
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(instagram.waitForExit());
    EXPECT_EQ(terminationRequests(), std::vector<std::string> {
        "BKSTerminateApplicationForReasonAndReportWithDescription bundle:com.burbn.instagram reason:5 report:NO description:Killed by igTarvo" });
    EXPECT_TRUE(eventually([&] { return readText(m_device.path(igtarvo::simulator::kLaunchctlLogPath)) == kDaemonStop + "\n"; }));
    EXPECT_EQ(movableContainerEntries(), (std::vector<std::string> { "Documents", "Library", "StoreKit", "tmp" }));
    EXPECT_EQ(entries(accountDir("Default") + "/Documents"), std::vector<std::string> { "feed-cache.db" });
}
