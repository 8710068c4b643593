// The settings as people change them (the igtarvo command) and as another
// process's reader sees them: the command writes the domain and posts the
// change notification; a running reader re-reads and re-announces once.

#include "apps/simulator/DeviceLayout.h"
#include "platform/foundation/Preferences.h"
#include "platform/foundation/PropertyList.h"
#include "platform/notify/CFNotificationCenter.h"
#include "settings/TarvoSettings.h"
#include "tests/support/Files.h"
#include "tests/support/Spawn.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

using namespace platform;
using testsupport::ChildProgram;

namespace {

std::string bin(const std::string& name) { return igtarvo::simulator::buildDirectory() + "/bin/" + name; }

testsupport::CommandRun runIgtarvo(const testsupport::TemporaryDevice& device, const std::string& args)
{
    return testsupport::runCommand("'" + bin("igtarvo") + "' --root '" + device.root() + "' " + args);
}

ChildProgram reader(const testsupport::TemporaryDevice& device, const std::string& key, int announcements)
{
    return ChildProgram::start(bin("settings_probe"), "settings_probe", { device.root(), key, std::to_string(announcements) });
}

}

TEST(SettingsAcrossProcesses, ASettingSetByThePersonReachesARunningReaderWithOneAnnouncementPerChange)
{
    testsupport::TemporaryDevice device;
    auto other = reader(device, "kExactTimes", 2);
    ASSERT_EQ(other.readLine(), "ready kExactTimes=missing");

    auto set = runIgtarvo(device, "settings set kExactTimes true");
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(other.readLine(), "changed kExactTimes=YES");

    set = runIgtarvo(device, "settings set kExactTimes false");
    ASSERT_EQ(set.status, 0) << set.err;
    // One announcement for the second change, not a repeat of the first.
    EXPECT_EQ(other.readLine(), "changed kExactTimes=NO");
    EXPECT_EQ(other.finish(), 0);
}

TEST(SettingsAcrossProcesses, AReaderStartedAfterAChangeReadsItFromTheFile)
{
    testsupport::TemporaryDevice device;
    ASSERT_EQ(runIgtarvo(device, "settings set kSaveWithLongPress YES").status, 0);
    auto other = reader(device, "kSaveWithLongPress", 0);
    EXPECT_EQ(other.readLine(), "ready kSaveWithLongPress=YES");
    EXPECT_EQ(other.finish(), 0);
}

TEST(SettingsAcrossProcesses, DeletingTheFileAndAnnouncingLeavesTheReaderWithItsDefaults)
{
    testsupport::TemporaryDevice device;
    ASSERT_EQ(runIgtarvo(device, "settings set flag true").status, 0);
    auto other = reader(device, "flag", 1);
    ASSERT_EQ(other.readLine(), "ready flag=YES");
    std::filesystem::remove(device.path(preferencesDevicePath(igtarvo::kSettingsDomain)));
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(), ns("com.zr4.igtarvo.settings/changed").get(), nullptr, nullptr, true);
    EXPECT_EQ(other.readLine(), "changed flag=missing");
    EXPECT_EQ(other.finish(), 0);
}

TEST(SettingsCommand, ListShowsWhatSetStoredAndTheAccountManagersKeysBesideIt)
{
    testsupport::TemporaryDevice device;
    ASSERT_TRUE(CFPreferencesSetValue("kAccounts", NSArray::create({ ns("RGVmYXVsdA==") }).get(), igtarvo::kSettingsDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost));
    ASSERT_EQ(runIgtarvo(device, "settings set kExactTimes true").status, 0);
    ASSERT_EQ(runIgtarvo(device, "settings set greeting \"hello \\\"there\\\"\"").status, 0);

    auto json = runIgtarvo(device, "settings list --json");
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out, "{\"greeting\": \"hello \\\"there\\\"\", \"kAccounts\": [\"RGVmYXVsdA==\"], \"kExactTimes\": true}\n");

    auto plain = runIgtarvo(device, "settings list");
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, "greeting = hello \"there\"\nkAccounts = [\"RGVmYXVsdA==\"]\nkExactTimes = true\n");

    // What was stored is a boolean and a text, as the preference calls read them.
    auto stored = CFPreferencesCopyAppValue("kExactTimes", igtarvo::kSettingsDomain);
    ASSERT_TRUE(objc::object_isKindOfClass(stored, NSNumber::staticClass()));
    EXPECT_EQ(static_cast<NSNumber*>(stored.get())->kind(), NSNumber::Kind::Bool);
}

TEST(SettingsCommand, RefusalsSayWhyExitNonZeroAndChangeNothing)
{
    testsupport::TemporaryDevice device;
    ASSERT_TRUE(CFPreferencesSetValue("kCurrentAccount", ns("Default").get(), igtarvo::kSettingsDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost));
    std::string file = device.path(preferencesDevicePath(igtarvo::kSettingsDomain));
    std::string before = testsupport::readText(file);

    for (const char* args : { "settings set kCurrentAccount Other", "settings set kAccounts x", "settings set onlykey",
             "settings set '' true", "settings frobnicate", "settings list --xml" }) {
        auto run = runIgtarvo(device, args);
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << args << ": " << run.err;
        EXPECT_EQ(run.err.rfind("igtarvo: settings", 0), 0u) << run.err;
    }
    EXPECT_EQ(testsupport::readText(file), before);

    testsupport::writeText(file, "not a property list");
    auto list = runIgtarvo(device, "settings list");
    EXPECT_EQ(list.status, 1);
    EXPECT_NE(list.err.find("cannot be read"), std::string::npos) << list.err;
}

TEST(SettingsCommand, NoDeviceIsARefusal)
{
    auto run = testsupport::runCommand("'" + bin("igtarvo") + "' --root /tmp/igtarvo-no-such-device settings list");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "igtarvo: no device at /tmp/igtarvo-no-such-device (make one with 'igtarvo device create')\n");
}
