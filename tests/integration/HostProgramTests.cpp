#include "apps/simulator/DeviceLayout.h"
#include "tests/support/Spawn.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <filesystem>

using testsupport::ChildProgram;
namespace fs = std::filesystem;

namespace {

std::string build() { return igtarvo::simulator::buildDirectory(); }

// Runs a host program under another name and answers what it says it changed.
std::string hookChangesUnderName(const std::string& root, const std::string& program, const std::string& name)
{
    fs::path dir = fs::path(root) / "renamed";
    fs::create_directories(dir);
    fs::path renamed = dir / name;
    fs::create_symlink(fs::path(build()) / "bin" / program, renamed);
    auto child = ChildProgram::start(renamed.string(), name, { "--root", root, "--print-hook-changes" });
    std::string out;
    EXPECT_EQ(child.finish(&out), 0) << name;
    fs::remove(renamed);
    return out;
}

}

TEST(HostPrograms, TheRealInstagramLoadsTheSystemThroughTheInjectionFilter)
{
    testsupport::TemporaryDevice device;
    std::string out = hookChangesUnderName(device.root(), "Instagram", "Instagram");
    EXPECT_NE(out.find("IGMainAppViewController initWithMainFeedSource: replaced\n"), std::string::npos) << out;
}

TEST(HostPrograms, ProcessesWhoseNameIsNotExactlyAHostsGetNothing)
{
    testsupport::TemporaryDevice device;
    for (const char* name : { "instagram", "Instagram2", "SpringBoard ", "INSTAGRAM" })
        EXPECT_EQ(hookChangesUnderName(device.root(), "Instagram", name), "") << "'" << name << "'";
    EXPECT_EQ(hookChangesUnderName(device.root(), "SpringBoard", "springboard"), "");
}

TEST(HostPrograms, AProcessTheFilterDoesNotNameDoesNotLoadTheSystem)
{
    testsupport::TemporaryDevice device;
    fs::remove(device.path("/Library/Injection/DynamicLibraries/igTarvo.plist"));
    EXPECT_EQ(hookChangesUnderName(device.root(), "Instagram", "Instagram"), "");
}

TEST(HostPrograms, TheHooksCommandListsEveryChangeAndRefusesUnknownProcesses)
{
    testsupport::TemporaryDevice device;
    auto ok = ChildProgram::start(build() + "/bin/igtarvo", "igtarvo", { "--root", device.root(), "hooks", "Instagram" });
    std::string out;
    EXPECT_EQ(ok.finish(&out), 0);
    EXPECT_NE(out.find("IGMainAppViewController initWithMainFeedSource: replaced\n"), std::string::npos) << out;
    for (size_t start = 0; start < out.size();) {
        size_t end = out.find('\n', start);
        std::string line = out.substr(start, end - start);
        EXPECT_TRUE(line.ends_with(" replaced") || line.ends_with(" added")) << line;
        start = end + 1;
    }

    auto bad = ChildProgram::start(build() + "/bin/igtarvo", "igtarvo", { "--root", device.root(), "hooks", "Safari" });
    EXPECT_NE(bad.finish(), 0);
}

TEST(HostPrograms, WithAllTheHooksCommandAlsoAccountsForEveryRowAndOnAFreshDeviceEveryRowInstalled)
{
    testsupport::TemporaryDevice device;
    for (const char* process : { "Instagram", "SpringBoard", "itunesstored" }) {
        auto plain = ChildProgram::start(build() + "/bin/igtarvo", "igtarvo", { "--root", device.root(), "hooks", process });
        auto all = ChildProgram::start(build() + "/bin/igtarvo", "igtarvo", { "--root", device.root(), "hooks", process, "--all" });
        std::string plainOut, allOut;
        EXPECT_EQ(plain.finish(&plainOut), 0) << process;
        EXPECT_EQ(all.finish(&allOut), 0) << process;
        EXPECT_FALSE(plainOut.empty()) << process;
        EXPECT_EQ(allOut, plainOut) << process;
    }
}

TEST(HostPrograms, WithAllARowWhoseHostClassIsMissingIsListedAfterTheChangesWithItsReason)
{
    testsupport::TemporaryDevice device;
    // SpringBoard's program run under Instagram's name: Instagram's rows find
    // none of their classes.
    fs::path dir = fs::path(device.root()) / "renamed";
    fs::create_directories(dir);
    fs::create_symlink(fs::path(build()) / "bin" / "SpringBoard", dir / "Instagram");
    auto child = ChildProgram::start((dir / "Instagram").string(), "Instagram",
        { "--root", device.root(), "--print-hook-changes", "--print-uninstalled-hooks" });
    std::string out;
    EXPECT_EQ(child.finish(&out), 0);
    EXPECT_NE(out.find("IGTabBarController initializeViewControllersWithMainFeedSource: not installed: missing class\n"), std::string::npos) << out;
    EXPECT_NE(out.find("IGMainFeedViewController tarvo_changeLayout: not installed: missing class\n"), std::string::npos) << out;
    EXPECT_EQ(out.find(" replaced\n"), std::string::npos) << out;
}

TEST(HostPrograms, ARunningHostRecordsItsProcessUntilItIsEnded)
{
    testsupport::TemporaryDevice device;
    std::string program = igtarvo::simulator::hostProgramPath("Instagram");
    auto instagram = ChildProgram::start(program, "Instagram", { "--root", device.root() });
    std::string pidFile = device.path("/var/run/igtarvo-processes/Instagram.pid");
    for (int i = 0; i < 1000 && !fs::exists(pidFile); ++i)
        usleep(10000);
    ASSERT_TRUE(fs::exists(pidFile));
    ::kill(instagram.pid(), SIGTERM);
    EXPECT_EQ(instagram.finish(), 0);
    EXPECT_FALSE(fs::exists(pidFile));
}
