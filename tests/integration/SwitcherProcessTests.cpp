#include "tests/support/Hosts.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/wait.h>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

std::string igtarvo() { return igtarvo::simulator::buildDirectory() + "/bin/igtarvo"; }

int run(const std::vector<std::string>& args)
{
    std::vector<std::string> all { "--root", platform::Device::root() };
    all.insert(all.end(), args.begin(), args.end());
    return ChildProgram::start(igtarvo(), "igtarvo", all).finish();
}

void writeFile(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }

// A device with two accounts: "Default" active with the container's own data,
// "work" holding a note of its own.
struct TwoAccountDevice {
    explicit TwoAccountDevice(igtarvo::simulator::DeviceOptions options = {})
        : device(options)
    {
        container = igtarvo::simulator::instagramDataContainer();
        accounts = device.path("/var/mobile/Library/Preferences/igTarvo");
        EXPECT_EQ(run({ "accounts", "add", "work" }), 0);
        writeFile(fs::path(container) / "Documents/work-note.txt", "work's note\n");
        EXPECT_EQ(run({ "accounts", "switch", "Default" }), 0);
        EXPECT_TRUE(fs::exists(fs::path(container) / "Documents/feed-cache.db"));
        // The maker's service says the installed Instagram is supported, so
        // unlocking shows no notice.
        service.respond(200, R"({"igVersion": 71701, "igVersionReadable": "7.17.1"})");
        platform::Device::setSetting(platform::kSettingVersionServiceURL, platform::ns(service.url("/igversion.json")).get());
    }
    ~TwoAccountDevice()
    {
        // Programs SpringBoard started on its own are not the test's children.
        endProcess(recordedPid("Instagram"));
    }
    bool containerHolds(const std::string& entry) const { return fs::exists(fs::path(container) / entry); }
    std::string launches() const
    {
        std::ifstream in(device.path("/var/log/launches.log"));
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TemporaryDevice device;
    HttpServer service;
    std::string container;
    std::string accounts;
};

// Waits for a child that SpringBoard ends; answers whether it ended.
bool ends(ChildProgram& child)
{
    return eventually([&] {
        int status;
        return ::waitpid(child.pid(), &status, WNOHANG) == child.pid();
    });
}

const char* const kListWithBoth = "list\nsection 0: Current Account\n  row 0: Default\nsection 1: Accounts\n  row 0: Default\n  row 1: work\n";

}

TEST(SwitcherProcesses, TheTypicalRoadFromASwipeOnTheInstagramIcon)
{
    TwoAccountDevice device;
    auto springboard = startHost("SpringBoard");
    auto instagram = startHost("Instagram");
    pid_t firstInstagram = instagram.pid();
    EXPECT_EQ(control("SpringBoard", "label com.burbn.instagram"), "Default\n");
    EXPECT_EQ(control("SpringBoard", "label com.apple.mobilesafari"), "Safari\n");

    EXPECT_EQ(control("SpringBoard", "swipe-up com.burbn.instagram"), kListWithBoth);
    EXPECT_EQ(control("SpringBoard", "tap-row 1 1"), "home screen\n");

    // Instagram was ended before its data moved, then started again.
    EXPECT_TRUE(ends(instagram));
    EXPECT_TRUE(device.containerHolds("Documents/work-note.txt"));
    EXPECT_FALSE(device.containerHolds("Documents/feed-cache.db"));
    EXPECT_TRUE(fs::exists(device.accounts + "/Default/Documents/feed-cache.db"));
    EXPECT_TRUE(device.containerHolds("iTunesMetadata.plist"));
    EXPECT_EQ(control("SpringBoard", "label com.burbn.instagram"), "work\n");
    EXPECT_EQ(control("SpringBoard", "label com.apple.mobilesafari"), "Safari\n");
    EXPECT_EQ(device.launches(), "com.burbn.instagram\n");
    EXPECT_TRUE(eventually([&] { pid_t now = recordedPid("Instagram"); return now != firstInstagram && isAlive(now); }));
}

TEST(SwitcherProcesses, ALongPressInsideInstagramOpensTheListInSpringBoard)
{
    TwoAccountDevice device;
    auto springboard = startHost("SpringBoard");
    auto instagram = startHost("Instagram");
    EXPECT_EQ(control("SpringBoard", "screen"), "home screen\n");

    EXPECT_EQ(control("Instagram", "long-press-profile"), "background\n");
    EXPECT_TRUE(eventually([] { return control("SpringBoard", "screen") == kListWithBoth; }));
    // Let the presentation come to rest before the next tap.
    ASSERT_EQ(control("SpringBoard", "idle"), "idle\n");

    control("SpringBoard", "tap-row 1 1");
    EXPECT_TRUE(ends(instagram));
    EXPECT_TRUE(device.containerHolds("Documents/work-note.txt"));
    EXPECT_TRUE(eventually([] { return isAlive(recordedPid("Instagram")); }));
    EXPECT_EQ(control("Instagram", "state"), "foreground\n");
}

TEST(SwitcherProcesses, ClosingTheListLeavesInstagramInTheBackground)
{
    TwoAccountDevice device;
    auto springboard = startHost("SpringBoard");
    auto instagram = startHost("Instagram");
    control("Instagram", "long-press-profile");
    EXPECT_TRUE(eventually([] { return control("SpringBoard", "screen").rfind("list", 0) == 0; }));
    // Let the presentation come to rest before the next tap.
    ASSERT_EQ(control("SpringBoard", "idle"), "idle\n");
    EXPECT_EQ(control("SpringBoard", "tap-bar-button left"), "home screen\n");
    EXPECT_EQ(control("Instagram", "state"), "background\n");
    EXPECT_EQ(device.launches(), "");
    EXPECT_TRUE(device.containerHolds("Documents/feed-cache.db"));
}

TEST(SwitcherProcesses, OnIOS8TheRequestReachesTheListThroughTheGestureLibrary)
{
    TwoAccountDevice device(igtarvo::simulator::DeviceOptions { .iOS8 = true });
    auto springboard = startHost("SpringBoard");
    auto instagram = startHost("Instagram");
    // The listener is put in place by the first unlock.
    EXPECT_EQ(control("SpringBoard", "unlock"), "unlocked\n");
    control("Instagram", "long-press-profile");
    EXPECT_TRUE(eventually([] { return control("SpringBoard", "screen") == kListWithBoth; }));
    // Let the presentation come to rest before the next tap.
    ASSERT_EQ(control("SpringBoard", "idle"), "idle\n");
    EXPECT_EQ(control("SpringBoard", "shortcut igk_account_switcher"), "error: this device has no shortcut items\n");
}

TEST(SwitcherProcesses, OnIOS8WithoutTheGestureLibraryInstagramsRequestOpensNothing)
{
    TwoAccountDevice device(igtarvo::simulator::DeviceOptions { .iOS8 = true });
    EXPECT_EQ(run({ "device", "set", "ActivatorInstalled", "false" }), 0);
    auto springboard = startHost("SpringBoard");
    auto instagram = startHost("Instagram");
    control("SpringBoard", "unlock");
    EXPECT_EQ(control("Instagram", "long-press-profile"), "background\n");
    // Once SpringBoard has taken in and handled whatever the request sent it:
    ASSERT_EQ(control("SpringBoard", "idle"), "idle\n");
    EXPECT_EQ(control("SpringBoard", "screen").rfind("list", 0), std::string::npos);
    // The swipe on the icon works without it.
    EXPECT_EQ(control("SpringBoard", "swipe-up com.burbn.instagram"), kListWithBoth);
}

TEST(SwitcherProcesses, TheShortcutItemOpensTheListOnIOS9)
{
    TwoAccountDevice device;
    auto springboard = startHost("SpringBoard");
    EXPECT_EQ(control("SpringBoard", "shortcut igk_account_switcher"), kListWithBoth);
    // The list was not opened from the icon, so closing it does not redraw the label.
    EXPECT_EQ(control("SpringBoard", "tap-row 1 1"), "home screen\n");
    EXPECT_EQ(control("SpringBoard", "label com.burbn.instagram"), "Default\n");
}

TEST(SwitcherProcesses, WithTheGestureLibraryBothSwipePathsFireButTheListShowsOnce)
{
    TwoAccountDevice device;
    EXPECT_EQ(run({ "device", "set", "ActivatorInstalled", "true" }), 0);
    auto springboard = startHost("SpringBoard");
    control("SpringBoard", "unlock");
    EXPECT_EQ(control("SpringBoard", "swipe-up com.burbn.instagram"), kListWithBoth);
    EXPECT_EQ(control("SpringBoard", "deactivate"), "handled\nhome screen\n");
    EXPECT_EQ(device.launches(), "");
}

TEST(SwitcherProcesses, AnUnlockWithAnUnsupportedInstagramShowsTheNoticeOnce)
{
    TwoAccountDevice device;
    device.service.respond(200, R"({"igVersion": 71600, "igVersionReadable": "7.16"})");
    auto springboard = startHost("SpringBoard");
    control("SpringBoard", "unlock");
    const std::string notice = "alert: igTarvo Information\nmessage: igTarvo does not officially support v7.17.1 of Instagram that you are "
                               "running and may not work properly. Click the \"More information\" button below for more details\n"
                               "action: Okay\naction: More Information\n";
    EXPECT_TRUE(eventually([&] { return control("SpringBoard", "screen") == notice; }));
    EXPECT_EQ(control("SpringBoard", "choose Okay"), "home screen\n");
    control("SpringBoard", "unlock");
    // Once the second check has been asked and answered:
    ASSERT_EQ(control("SpringBoard", "idle"), "idle\n");
    EXPECT_EQ(control("SpringBoard", "screen"), "home screen\n");
    EXPECT_EQ(device.service.requestCount(), 2);
}
