// The home screen's Instagram icon is labelled with the active account's
// name, on both platform versions (each asks the icon its own way); every
// other icon, and Instagram's without an active account, keeps its label.

#include "tests/switcher/SwitcherTestSupport.h"

#include "hosts/springboard/SBApplicationIcon.h"

using namespace switchertest;
using namespace platform;

namespace {

std::string askIcon(const std::string& bundleIdentifier, const char* selector, long location = 0)
{
    auto icon = iconView(bundleIdentifier)->icon();
    if (std::string(selector) == "displayName")
        return str(objc::send<RefPtr<NSString>>(icon, "displayName"));
    return str(objc::send<RefPtr<NSString>(long)>(icon, "displayNameForLocation:", location));
}

std::vector<std::string> allLabels()
{
    return { iconLabel("com.apple.mobilesafari"), iconLabel(kInstagram), iconLabel("com.apple.MobileSMS") };
}

class IconLabel : public ::testing::Test {
protected:
    testsupport::TemporaryDevice m_device;
};

class IconLabelOnIOS8 : public ::testing::Test {
protected:
    testsupport::TemporaryDevice m_device { igtarvo::simulator::DeviceOptions { .iOS8 = true } };
};

}

TEST_F(IconLabel, WithoutTheSystemTheHomeScreenShowsTheApplicationsOwnNames)
{
    inChild([] {
        prepareAccounts({ "Default", "Work" }, "Work");
        startSpringBoard({ .loadSystem = false });
        EXPECT_EQ(allLabels(), (std::vector<std::string> { "Safari", "Instagram", "Messages" }));
    });
}

TEST_F(IconLabel, TheInstagramIconShowsExactlyTheActiveAccountsNameAndTheOthersTheirOwn)
{
    inChild([] {
        prepareAccounts({ "Default", "Work Account ✓" }, "Work Account ✓");
        startSpringBoard();
        EXPECT_EQ(allLabels(), (std::vector<std::string> { "Safari", "Work Account ✓", "Messages" }));
        for (long location : { 0L, 1L, 2L, 5L })
            EXPECT_EQ(askIcon(kInstagram, "displayNameForLocation:", location), "Work Account ✓") << "location " << location;
        EXPECT_EQ(askIcon(kInstagram, "displayName"), "Work Account ✓");
        EXPECT_EQ(askIcon("com.apple.mobilesafari", "displayNameForLocation:"), "Safari");
        EXPECT_EQ(askIcon("com.apple.MobileSMS", "displayName"), "Messages");
    });
}

TEST_F(IconLabelOnIOS8, TheInstagramIconShowsTheActiveAccountsNameThroughDisplayName)
{
    inChild([] {
        prepareAccounts({ "Default", "Work" }, "Work");
        startSpringBoard();
        EXPECT_EQ(allLabels(), (std::vector<std::string> { "Safari", "Work", "Messages" }));
    });
}

TEST_F(IconLabel, AFreshDeviceLabelsInstagramWithTheDefaultAccount)
{
    inChild([] {
        startSpringBoard();
        EXPECT_EQ(iconLabel(kInstagram), "Default");
    });
}

TEST_F(IconLabel, WithoutAnActiveAccountInstagramKeepsItsOwnLabel)
{
    inChild([] {
        prepareAccounts({ "Work", "Home" }, "");
        startSpringBoard();
        EXPECT_EQ(allLabels(), (std::vector<std::string> { "Safari", "Instagram", "Messages" }));
        EXPECT_EQ(askIcon(kInstagram, "displayName"), "Instagram");
    });
    inChild([] {
        // An active account whose name is empty counts as none.
        CFPreferencesSetAppValue(igtarvo::kCurrentAccountKey, ns("").get(), kDomain);
        startSpringBoard();
        EXPECT_EQ(iconLabel(kInstagram), "Instagram");
    });
}

TEST_F(IconLabel, ASwitchMadeWithoutTheIconShowsAtTheLabelsNextRedraw)
{
    inChild([] {
        prepareAccounts({ "Default", "Work" }, "Default");
        startSpringBoard();
        presentFromListener(nullptr);
        UserInput::tapRow(listenerList()->tableView().get(), 1, 1);
        RunLoop::runUntilIdle();
        EXPECT_TRUE(endLaunchedInstagram());

        EXPECT_EQ(iconLabel(kInstagram), "Default") << "nothing redrew the label yet";
        objc::send<void>(iconView(kInstagram), "_updateLabel");
        EXPECT_EQ(iconLabel(kInstagram), "Work");
        EXPECT_EQ(iconLabel("com.apple.mobilesafari"), "Safari");
    });
}

TEST_F(IconLabel, LabelsComeFromTheManagersMemoryNotFromFiles)
{
    inChild([] {
        prepareAccounts({ "Default", "Work" }, "Work");
        startSpringBoard();
        fs::remove(Device::path("/var/mobile/Library/Preferences/com.zr4.igtarvo.plist"));
        objc::send<void>(iconView(kInstagram), "_updateLabel");
        EXPECT_EQ(iconLabel(kInstagram), "Work");
    });
}
