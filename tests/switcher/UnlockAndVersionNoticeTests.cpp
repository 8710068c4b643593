// Every completed unlock in SpringBoard is announced in-process; the
// announcement asks the maker's service (here a server on 127.0.0.1) for the
// newest supported Instagram and shows the unsupported-version notice when
// the installed Instagram is newer: once, and again only after a check that
// found Instagram supported.

#include "tests/switcher/SwitcherTestSupport.h"

#include "hosts/springboard/SBIconController.h"
#include "hosts/springboard/SBLockScreenViewController.h"
#include "platform/foundation/NSURL.h"
#include "platform/notify/NSNotificationCenter.h"
#include "tests/support/HttpServer.h"

#include <optional>

using namespace switchertest;
using namespace platform;
using hosts::springboard::SBIconController;
using hosts::springboard::SBLockScreenViewController;

namespace {

constexpr const char* kSupported = R"({"igVersion": 71701, "igVersionReadable": "7.17.1"})";
constexpr const char* kOlderSupported = R"({"igVersion": 71600, "igVersionReadable": "7.16"})";
constexpr const char* kNoticeTitle = "igTarvo Information";

std::string noticeMessage(const std::string& shortVersion)
{
    return "igTarvo does not officially support v" + shortVersion
        + " of Instagram that you are running and may not work properly. Click the \"More information\" button below for more details";
}

// The maker's service, answering `body`, as the device's version service.
struct VersionService {
    explicit VersionService(const char* body)
    {
        server.respond(200, body);
        Device::setSetting(kSettingVersionServiceURL, ns(server.url("/igversion.json")).get());
    }
    testsupport::HttpServer server;
};

void unlock()
{
    SBLockScreenViewController::sharedInstance()->unlock();
    RunLoop::runUntilIdle();
}

RefPtr<UIAlertController> notice() { return shownAlert(systemWindow().get()); }

void answerNotice(const std::string& action)
{
    auto alert = notice();
    ASSERT_TRUE(alert) << "no notice on screen";
    EXPECT_TRUE(UserInput::chooseAlertAction(alert.get(), action));
    RunLoop::runUntilIdle();
}

// "kDidShowNotSupported" as the domain holds it on disk; nullopt when absent.
std::optional<bool> didShowPreference()
{
    auto value = CFPreferencesCopyAppValue("kDidShowNotSupported", kDomain);
    if (!objc::object_isKindOfClass(value.get(), NSNumber::staticClass()))
        return std::nullopt;
    return static_cast<NSNumber*>(value.get())->boolValue();
}

void setDidShowPreference(bool shown)
{
    CFPreferencesSetAppValue("kDidShowNotSupported", NSNumber::numberWithBool(shown).get(), kDomain);
}

std::vector<std::string> openedURLs()
{
    std::vector<std::string> urls;
    for (auto& url : UIApplication::sharedApplication()->openedURLs())
        urls.push_back(str(url->absoluteString()));
    return urls;
}

class Unlock : public ::testing::Test {
protected:
    testsupport::TemporaryDevice m_device;
};

class VersionNotice : public ::testing::Test {
protected:
    // Installed: 7.18.0 (build 71800), newer than the supported 7.17.1 (71701).
    testsupport::TemporaryDevice m_device { igtarvo::simulator::DeviceOptions { .instagramVersion = "7.18.0", .instagramBuild = "71800" } };
};

class VersionNoticeForAnOverlongBuild : public ::testing::Test {
protected:
    // A build number past any integer: 2^64 + 1.
    testsupport::TemporaryDevice m_device { igtarvo::simulator::DeviceOptions { .instagramVersion = "7.18.0", .instagramBuild = "18446744073709551617" } };
};

class VersionNoticeOnIOS8 : public ::testing::Test {
protected:
    testsupport::TemporaryDevice m_device { igtarvo::simulator::DeviceOptions { .iOS8 = true, .instagramVersion = "7.18.0", .instagramBuild = "71800" } };
};

}

// The announcement -----------------------------------------------------------------------

TEST_F(Unlock, EveryUnlockIsAnnouncedBeforeSpringBoardFinishesItAndChecksTheVersionAgain)
{
    inChild([] {
        VersionService service(kSupported);
        startSpringBoard({ .activator = true });
        auto* lockScreen = SBLockScreenViewController::sharedInstance();
        std::vector<int> unlocksSeenByAnnouncement;
        bool bare = true;
        NSNotificationCenter::defaultCenter()->addObserverForName(ns("com.zr4.igtarvo.unlockfinished").get(), nullptr, nullptr, [&](NSNotification* n) {
            unlocksSeenByAnnouncement.push_back(lockScreen->unlockCount());
            bare = bare && !n->object() && !n->userInfo();
        });

        unlock();
        unlock();

        EXPECT_EQ(unlocksSeenByAnnouncement, (std::vector<int> { 0, 1 })) << "posted first, then SpringBoard's own unlock runs";
        EXPECT_TRUE(bare) << "no sender, no user information";
        EXPECT_EQ(lockScreen->unlockCount(), 2);
        EXPECT_FALSE(lockScreen->isLocked());
        EXPECT_EQ(service.server.requestCount(), 2);
        EXPECT_EQ(service.server.paths(), (std::vector<std::string> { "/igversion.json", "/igversion.json" }));
        EXPECT_TRUE(hosts::springboard::LAActivator::sharedInstance()->hasListenerWithName(ns("com.zr4.igtarvo").get()))
            << "the listener is put in place with the gesture library";
        EXPECT_FALSE(notice());
    });
}

TEST_F(Unlock, WithoutTheSystemNothingIsAnnouncedOrAsked)
{
    inChild([] {
        VersionService service(kOlderSupported);
        startSpringBoard({ .loadSystem = false });
        int announcements = 0;
        NSNotificationCenter::defaultCenter()->addObserverForName(ns("com.zr4.igtarvo.unlockfinished").get(), nullptr, nullptr, [&](NSNotification*) { ++announcements; });
        unlock();
        EXPECT_EQ(announcements, 0);
        EXPECT_EQ(service.server.requestCount(), 0);
        EXPECT_EQ(SBLockScreenViewController::sharedInstance()->unlockCount(), 1);
    });
}

// The notice ---------------------------------------------------------------------------------

TEST_F(VersionNotice, ANewerInstalledInstagramShowsTheNoticeWithItsVersion)
{
    inChild([] {
        VersionService service(kSupported);
        startSpringBoard();
        unlock();

        auto alert = notice();
        ASSERT_TRUE(alert);
        EXPECT_EQ(alert->preferredStyle(), UIAlertControllerStyleAlert);
        EXPECT_EQ(contentOf(alert.get()), (AlertContent { kNoticeTitle, noticeMessage("7.18.0"), { "Okay/default", "More Information/default" }, {} }));
        EXPECT_EQ(alert->presentingViewController().get(), SBIconController::sharedInstance()) << "from the root of SpringBoard's window";
        EXPECT_EQ(didShowPreference(), true) << "written once the notice is on screen";
    });
}

TEST_F(VersionNotice, IsShownOnceAcrossUnlocks)
{
    inChild([] {
        VersionService service(kSupported);
        startSpringBoard();
        unlock();
        answerNotice("Okay");
        EXPECT_FALSE(notice());
        EXPECT_TRUE(openedURLs().empty()) << "Okay opens nothing";

        unlock();
        unlock();
        EXPECT_FALSE(notice());
        EXPECT_EQ(service.server.requestCount(), 3) << "the check itself runs at every unlock";
        EXPECT_EQ(didShowPreference(), true);
    });
}

TEST_F(VersionNotice, ComesBackOnlyAfterACheckThatFoundInstagramSupported)
{
    inChild([] {
        VersionService service(kSupported);
        startSpringBoard();
        unlock();
        answerNotice("Okay");

        service.server.respond(200, R"({"igVersion": 71800, "igVersionReadable": "7.18.0"})");
        unlock();
        EXPECT_FALSE(notice());
        EXPECT_EQ(didShowPreference(), false);

        service.server.respond(200, kSupported);
        unlock();
        ASSERT_TRUE(notice());
        EXPECT_EQ(contentOf(notice().get()).message, noticeMessage("7.18.0"));
        EXPECT_EQ(didShowPreference(), true);
    });
}

TEST_F(VersionNotice, MoreInformationOpensTheMakersPageOverPlainHTTP)
{
    inChild([] {
        VersionService service(kSupported);
        startSpringBoard();
        unlock();
        answerNotice("More Information");
        EXPECT_FALSE(notice());
        EXPECT_EQ(openedURLs(), std::vector<std::string> { "http://igtarvo.example/more_info.html" });
        EXPECT_EQ(systemWindow()->rootViewController().get(), SBIconController::sharedInstance()) << "iOS 9 keeps the home screen as the root";
    });
}

TEST_F(VersionNotice, AnAnswerWithoutAVersionCountsAsNothingSupported)
{
    inChild([] {
        VersionService service(R"({"igVersionReadable": "7.17.1"})");
        startSpringBoard();
        unlock();
        EXPECT_EQ(contentOf(notice().get()).title, kNoticeTitle);
    });
}

TEST_F(VersionNotice, ThePreferenceCountsAsShownWhenItReadsAsYesTheWayThePlatformReadsABoolean)
{
    inChild([] {
        VersionService service(kSupported);
        startSpringBoard();
        // Written by hand or by another tool: texts as well as numbers.
        for (const char* yes : { "YES", "true", "1", "Y", "y", "t", " 007", "+9", "-1", "\t yes please", "\n1" }) {
            SCOPED_TRACE(yes);
            CFPreferencesSetAppValue("kDidShowNotSupported", ns(yes).get(), kDomain);
            unlock();
            EXPECT_FALSE(notice());
        }
        for (const char* no : { "NO", "false", "0", "", "000", "on", "-", "x1" }) {
            SCOPED_TRACE(no);
            CFPreferencesSetAppValue("kDidShowNotSupported", ns(no).get(), kDomain);
            unlock();
            EXPECT_TRUE(notice());
            answerNotice("Okay");
            EXPECT_EQ(didShowPreference(), true);
        }
    });
}

TEST_F(VersionNotice, ASupportedVersionPastAnyIntegerCountsAsTheLargestNotAsAWrappedNumber)
{
    inChild([] {
        setDidShowPreference(true);
        // 2^64 + 1 as text and 10^20 as a number: both larger than any build.
        VersionService service(R"({"igVersion": "18446744073709551617", "igVersionReadable": "7.17.1"})");
        startSpringBoard();
        unlock();
        EXPECT_FALSE(notice());
        EXPECT_EQ(didShowPreference(), false) << "the installed Instagram counts as supported";

        setDidShowPreference(true);
        service.server.respond(200, R"({"igVersion": 100000000000000000000, "igVersionReadable": "7.17.1"})");
        unlock();
        EXPECT_FALSE(notice());
        EXPECT_EQ(didShowPreference(), false);

        service.server.respond(200, R"({"igVersion": 18446744073709551615, "igVersionReadable": "7.17.1"})");
        unlock();
        EXPECT_FALSE(notice());
    });
}

TEST_F(VersionNoticeForAnOverlongBuild, TheInstalledBuildPastAnyIntegerCountsAsNewerThanTheSupportedOne)
{
    inChild([] {
        VersionService service(kSupported);
        startSpringBoard();
        unlock();
        ASSERT_TRUE(notice());
        EXPECT_EQ(contentOf(notice().get()).message, noticeMessage("7.18.0"));
    });
}

TEST_F(Unlock, TheInstalledVersionEqualToTheSupportedOneShowsNothingAndResetsThePreference)
{
    inChild([] {
        setDidShowPreference(true);
        VersionService service(kSupported); // the device's Instagram is 7.17.1, build 71701
        startSpringBoard();
        unlock();
        EXPECT_FALSE(notice());
        EXPECT_EQ(didShowPreference(), false);
    });
}

TEST_F(Unlock, WithoutInstagramInstalledNothingIsShownAndThePreferenceKeepsItsValue)
{
    inChild([] {
        Device::setSetting(kSettingApplications, NSDictionary::create().get());
        setDidShowPreference(true);
        VersionService service(kSupported);
        startSpringBoard();
        unlock();
        EXPECT_FALSE(notice());
        EXPECT_EQ(didShowPreference(), true);

        setDidShowPreference(false);
        service.server.respond(200, kOlderSupported);
        unlock();
        EXPECT_FALSE(notice());
        EXPECT_EQ(didShowPreference(), false);
        EXPECT_EQ(service.server.requestCount(), 2);
    });
}

TEST_F(VersionNoticeOnIOS8, IsShownFromATemporaryRootThatGoesAfterOkay)
{
    inChild([] {
        VersionService service(kSupported);
        startSpringBoard();
        EXPECT_FALSE(systemWindow()->rootViewController());
        unlock();

        auto root = systemWindow()->rootViewController();
        ASSERT_TRUE(root);
        EXPECT_EQ(objc::object_getClass(root.get()), UIViewController::staticClass());
        ASSERT_TRUE(notice());
        EXPECT_EQ(notice()->presentingViewController().get(), root.get());
        EXPECT_EQ(contentOf(notice().get()).message, noticeMessage("7.18.0"));

        answerNotice("Okay");
        EXPECT_FALSE(systemWindow()->rootViewController());
        EXPECT_TRUE(openedURLs().empty());
    });
}

TEST_F(VersionNoticeOnIOS8, MoreInformationAlsoRemovesTheTemporaryRoot)
{
    inChild([] {
        VersionService service(kSupported);
        startSpringBoard();
        unlock();
        answerNotice("More Information");
        EXPECT_FALSE(systemWindow()->rootViewController());
        EXPECT_EQ(openedURLs(), std::vector<std::string> { "http://igtarvo.example/more_info.html" });
    });
}
