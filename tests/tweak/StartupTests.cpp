#include "core/Notifications.h"
#include "hosts/instagram/InstagramClasses.h"
#include "hosts/itunesstored/StoreClasses.h"
#include "hosts/springboard/SpringBoardClasses.h"
#include "tests/support/ChildProcess.h"
#include "tweak/HookTable.h"
#include "tweak/Startup.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace igtarvo;
using testsupport::inChildProcess;

namespace {

IMP currentInit()
{
    return objc::class_getMethodImplementation(objc::objc_getClass("IGMainAppViewController"), objc::sel_registerName("initWithMainFeedSource:"));
}

}

TEST(Startup, ProcessNamesAreRecognisedExactlyAndCaseSensitively)
{
    for (const char* name : { "instagram", "Instagram2", "SpringBoard ", " Instagram", "itunesStored", "" }) {
        EXPECT_TRUE(inChildProcess([name] {
            hosts::instagram::registerInstagramClasses();
            IMP before = currentInit();
            StartupReport report = startUpForProcess(name);
            EXPECT_TRUE(report.rows.empty()) << "'" << name << "'";
            EXPECT_EQ(currentInit(), before) << "'" << name << "'";
        })) << "'" << name << "'";
    }
}

TEST(Startup, InstagramGetsItsRowsInTableOrder)
{
    EXPECT_TRUE(inChildProcess([] {
        hosts::instagram::registerInstagramClasses();
        IMP before = currentInit();
        StartupReport report = startUpForProcess("Instagram");
        ASSERT_FALSE(report.rows.empty());
        for (size_t i = 0; i < report.rows.size(); ++i)
            EXPECT_STREQ(report.rows[i].process, "Instagram");
        EXPECT_NE(currentInit(), before);
        auto row = std::find_if(report.rows.begin(), report.rows.end(), [](const HookRow& r) { return std::string(r.selector) == "initWithMainFeedSource:"; });
        ASSERT_NE(row, report.rows.end());
        EXPECT_EQ(currentInit(), row->implementation);
    }));
}

TEST(Startup, AMissingHostClassLeavesTheProcessRunningAndOtherRowsInstalled)
{
    EXPECT_TRUE(inChildProcess([] {
        // No Instagram classes at all: every row is skipped, quietly.
        StartupReport report = startUpForProcess("Instagram");
        for (auto outcome : report.outcomes)
            EXPECT_EQ(outcome, InstallOutcome::MissingClass);
    }));
}

// Every row of every process installs against the stand-in hosts: a hook
// whose signature drifts from its host's method fails here instead of being
// skipped quietly at run time.
TEST(Startup, EveryRowOfEveryProcessInstallsAgainstItsHostInTableOrder)
{
    struct Host {
        const char* process;
        void (*registerClasses)();
    };
    const Host programs[] = {
        { "Instagram", &hosts::instagram::registerInstagramClasses },
        { "SpringBoard", &hosts::springboard::registerSpringBoardClasses },
        { "itunesstored", &hosts::itunesstored::registerStoreClasses },
    };
    size_t rowsSeen = 0;
    for (const Host& host : programs) {
        std::vector<const HookRow*> expected;
        for (const HookRow& row : hookTable()) {
            if (std::string(row.process) == host.process)
                expected.push_back(&row);
        }
        EXPECT_FALSE(expected.empty()) << host.process;
        rowsSeen += expected.size();
        EXPECT_TRUE(inChildProcess([&] {
            host.registerClasses();
            StartupReport report = startUpForProcess(host.process);
            ASSERT_EQ(report.rows.size(), expected.size()) << host.process;
            ASSERT_EQ(report.outcomes.size(), expected.size()) << host.process;
            for (size_t i = 0; i < expected.size(); ++i) {
                std::string row = std::string(expected[i]->className) + " " + expected[i]->selector;
                EXPECT_EQ(std::string(report.rows[i].className) + " " + report.rows[i].selector, row) << host.process << " row " << i;
                EXPECT_EQ(report.outcomes[i], InstallOutcome::Installed) << row << ": " << notInstalledReason(report.outcomes[i]);
            }
            EXPECT_EQ(describeUninstalledRows(report), "") << host.process;
        })) << host.process;
    }
    EXPECT_EQ(rowsSeen, hookTable().size()) << "a row names a process that no host runs";
}

TEST(Startup, TheRowsThatDidNotInstallAreDescribedWithTheirReasons)
{
    EXPECT_TRUE(inChildProcess([] {
        StartupReport report = startUpForProcess("Instagram");
        std::string lines = describeUninstalledRows(report);
        EXPECT_NE(lines.find("IGTabBarController initializeViewControllersWithMainFeedSource: not installed: missing class\n"), std::string::npos) << lines;
        EXPECT_NE(lines.find("IGTabBarController tarvo_handleLongPress: not installed: missing class\n"), std::string::npos) << lines;
        EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), static_cast<long>(report.rows.size()));
    }));
}

// An added method's fixed encoding is checked against its signature while
// compiling; these hold for the four shapes added methods take.
namespace {
void takesObject(id, SEL, id) { }
RefPtr<Object> answersObject(id, SEL) { return nullptr; }
void takesNothing(id, SEL) { }
void savedCallback(id, SEL, id, id, void*) { }
}
static_assert(detail::AddedSignature<decltype(&takesObject)>::is("v@:@"));
static_assert(detail::AddedSignature<decltype(&answersObject)>::is("@@:"));
static_assert(detail::AddedSignature<decltype(&takesNothing)>::is("v@:"));
static_assert(detail::AddedSignature<decltype(&savedCallback)>::is("v@:@@^v"));
static_assert(!detail::AddedSignature<decltype(&takesObject)>::is("v@:"));
static_assert(!detail::AddedSignature<decltype(&takesNothing)>::is("v@:@"));
static_assert(!detail::AddedSignature<decltype(&answersObject)>::is("v@:"));
static_assert(!detail::AddedSignature<decltype(&savedCallback)>::is("v@:@@"));
