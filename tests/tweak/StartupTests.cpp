#include "core/Notifications.h"
#include "hosts/instagram/InstagramClasses.h"
#include "tests/support/ChildProcess.h"
#include "tweak/HookTable.h"
#include "tweak/Startup.h"

#include <gtest/gtest.h>

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
        EXPECT_EQ(currentInit(), reinterpret_cast<IMP>(&IGMainAppViewController_initWithMainFeedSource));
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

TEST(Startup, TheTableIsOrderedByProcessAsTheProcessesAreTried)
{
    const auto& table = hookTable();
    auto rank = [](const char* p) { return std::string(p) == "Instagram" ? 0 : std::string(p) == "SpringBoard" ? 1 : 2; };
    for (size_t i = 1; i < table.size(); ++i)
        EXPECT_LE(rank(table[i - 1].process), rank(table[i].process)) << table[i].className << " " << table[i].selector;
}
