// The ways to open the account list in SpringBoard besides the gesture
// library: the swipe up on the Instagram icon (IGKFlickup), Instagram's
// switch-accounts request, and the home-screen shortcut item that start-up
// adds when the shortcut-item library runs inside SpringBoard.

#include "tests/switcher/SwitcherTestSupport.h"

#include "core/Notifications.h"
#include "hosts/springboard/BackBoardServices.h"
#include "hosts/springboard/FBApplicationProcess.h"
#include "hosts/springboard/SBApplication.h"
#include "hosts/springboard/SBApplicationController.h"
#include "hosts/springboard/SBApplicationIcon.h"
#include "hosts/springboard/SBLockScreenViewController.h"
#include "hosts/springboard/shortcutitems/LSIManager.h"
#include "platform/notify/DarwinNotify.h"
#include "platform/uikit/UISwipeGestureRecognizer.h"
#include "switcher/IGKFlickup.h"
#include "tests/support/HttpServer.h"

#include <cerrno>

using namespace switchertest;
using namespace platform;
using hosts::springboard::FBSystemGestureManager;
using hosts::springboard::LSIManager;
using igtarvo::IGKFlickup;
using igtarvo::TarvoListener;

namespace {

bool listOnScreen() { return listenerList() && isShown(listenerList().get()); }

// Posts a Darwin notification, then a probe of this test's own; once the
// probe has been handled, so has every handler of the first (one socket per
// process, handled on the main queue in arrival order).
void postAndSettle(const char* name)
{
    bool probed = false;
    int token = 0;
    notify_register_dispatch("com.example.switchertests.probe", &token, dispatch_get_main_queue(), [&](int) { probed = true; });
    notify_post(name);
    notify_post("com.example.switchertests.probe");
    EXPECT_TRUE(RunLoop::runUntil([&] { return probed; }, 10s));
    notify_cancel(token);
    RunLoop::runUntilIdle();
}

// A point of the home screen that no icon covers.
CGPoint emptySpace() { return CGPointMake(180, 400); }

void swipeAt(CGPoint point, unsigned long direction)
{
    UserInput::swipe(hosts::springboard::SBUIController::sharedInstance()->homeScreenWindow().get(), point, direction);
    RunLoop::runUntilIdle();
}

CGPoint iconCentre(const std::string& bundleIdentifier)
{
    auto view = iconView(bundleIdentifier);
    return view->superview()->convertPointToView(view->center(), hosts::springboard::SBUIController::sharedInstance()->homeScreenWindow().get());
}

// Runs start-up under the process name SpringBoard, as the real program is named.
void nameThisProcessSpringBoard()
{
    static char name[] = "SpringBoard";
    program_invocation_short_name = name;
}

void installShortcutLibrary()
{
    writeText(Device::path("/usr/lib/libShortcutItems.dylib"), "shortcut-item library\n");
}

std::vector<RefPtr<hosts::springboard::LSIApplicationShortcutItem>> instagramShortcuts()
{
    if (!objc::objc_getClass("LSIManager"))
        return {};
    return LSIManager::sharedManager()->shortcutItems(kInstagram);
}

class IconSwipe : public ::testing::Test {
protected:
    testsupport::TemporaryDevice m_device;
};

class SwitchAccountsRequest : public ::testing::Test {
protected:
    testsupport::TemporaryDevice m_device;
};

class SwitchAccountsRequestOnIOS8 : public ::testing::Test {
protected:
    testsupport::TemporaryDevice m_device { igtarvo::simulator::DeviceOptions { .iOS8 = true } };
};

class ShortcutItem : public ::testing::Test {
protected:
    testsupport::TemporaryDevice m_device;
};

class ShortcutItemOnIOS8 : public ::testing::Test {
protected:
    ShortcutItemOnIOS8()
    {
        // Unlocks check the version: this one is supported, so no notice shows.
        m_server.respond(200, R"({"igVersion": 71701, "igVersionReadable": "7.17.1"})");
        Device::setSetting(kSettingVersionServiceURL, ns(m_server.url("/igversion.json")).get());
    }
    testsupport::TemporaryDevice m_device { igtarvo::simulator::DeviceOptions { .iOS8 = true } };
    testsupport::HttpServer m_server;
};

}

// The swipe up on the icon ----------------------------------------------------------------

TEST_F(IconSwipe, TheGestureIsASwipeUpGivenToTheSystemGestureManagerOnceLaunched)
{
    inChild([] {
        startSpringBoard({ .beforeFinishingLaunch = [] { EXPECT_FALSE(IGKFlickup::sharedInstance()->swipeGestureRecognizer()); } });
        auto flickup = IGKFlickup::sharedInstance();
        auto swipe = flickup->swipeGestureRecognizer();
        ASSERT_TRUE(objc::object_isKindOfClass(swipe.get(), UISwipeGestureRecognizer::staticClass()));
        EXPECT_EQ(static_cast<UISwipeGestureRecognizer*>(swipe.get())->direction(), 4u);
        EXPECT_EQ(swipe->delegate().get(), flickup.get());
        EXPECT_EQ(FBSystemGestureManager::sharedInstance()->recognizerCount(), 1u);
        EXPECT_EQ(swipe->view().get(), hosts::springboard::SBUIController::sharedInstance()->homeScreenWindow().get());
    });
}

TEST_F(IconSwipe, ASwipeUpOnTheInstagramIconOpensTheListFromThatIcon)
{
    inChild([] {
        startSpringBoard();
        swipeUpOnIcon(kInstagram);
        EXPECT_TRUE(listOnScreen());
        EXPECT_EQ(presentedListCount(systemWindow().get(), listenerList().get()), 1);
        EXPECT_EQ(TarvoListener::sharedInstance()->iconView().get(), iconView(kInstagram).get());
        EXPECT_EQ(IGKFlickup::sharedInstance()->touchedView().get(), iconView(kInstagram).get());
    });
}

TEST_F(IconSwipe, ASwipeUpOnAnotherIconOpensNothingThoughThatIconIsRemembered)
{
    inChild([] {
        startSpringBoard();
        swipeAt(iconCentre("com.apple.mobilesafari"), UISwipeGestureRecognizerDirectionUp);
        EXPECT_FALSE(listOnScreen());
        EXPECT_FALSE(systemWindow()->rootViewController()->presentedViewController());
        EXPECT_EQ(IGKFlickup::sharedInstance()->touchedView().get(), iconView("com.apple.mobilesafari").get());
    });
}

TEST_F(IconSwipe, ASwipeUpOnEmptySpaceOpensNothingEvenAfterAnInstagramSwipe)
{
    inChild([] {
        startSpringBoard();
        swipeAt(emptySpace(), UISwipeGestureRecognizerDirectionUp);
        EXPECT_FALSE(listOnScreen());

        swipeUpOnIcon(kInstagram);
        ASSERT_TRUE(listOnScreen());
        closeListWithDone();
        ASSERT_FALSE(listOnScreen());

        swipeAt(emptySpace(), UISwipeGestureRecognizerDirectionUp);
        EXPECT_FALSE(listOnScreen()) << "a swipe that starts off the icons never fires";
    });
}

TEST_F(IconSwipe, ATapOrADownwardSwipeOnTheInstagramIconOpensNothing)
{
    inChild([] {
        startSpringBoard();
        UserInput::tap(hosts::springboard::SBUIController::sharedInstance()->homeScreenWindow().get(), iconCentre(kInstagram));
        RunLoop::runUntilIdle();
        EXPECT_FALSE(listOnScreen());
        swipeAt(iconCentre(kInstagram), UISwipeGestureRecognizerDirectionDown);
        EXPECT_FALSE(listOnScreen());
    });
}

TEST_F(IconSwipe, WithoutTheSystemGestureManagerNothingHappens)
{
    inChild([] {
        // SpringBoard's classes, but FrontBoard has no system gesture manager.
        using namespace hosts::springboard;
        std::string path = Device::path("/usr/bin") + ":" + std::getenv("PATH");
        ::setenv("PATH", path.c_str(), 1);
        UIApplication::setPrincipalClass(SpringBoardApplication::staticClass());
        SBApplicationController::staticClass();
        SBApplication::staticClass();
        FBApplicationProcess::staticClass();
        registerBackBoardServicesFunctions();
        SBUIController::staticClass();
        SBIconController::staticClass();
        SBIconView::staticClass();
        SBApplicationIcon::staticClass();
        SBLockScreenViewController::staticClass();
        igtarvo::addBase64CategoryToNSString();
        igtarvo::startUpForProcess("SpringBoard");
        SBUIController::sharedInstance()->setUpWindows();
        UIApplication::sharedApplication()->finishLaunching();
        RunLoop::runUntilIdle();
        ASSERT_FALSE(objc::objc_getClass("FBSystemGestureManager"));

        swipeUpOnIcon(kInstagram);
        EXPECT_FALSE(listOnScreen());
        EXPECT_FALSE(systemWindow()->rootViewController()->presentedViewController());
        EXPECT_FALSE(IGKFlickup::sharedInstance()->touchedView()) << "the gesture never saw a touch";
    });
}

// Instagram's request -----------------------------------------------------------------------

TEST_F(SwitchAccountsRequest, OnIOS9OpensTheListDirectlyWithNoIcon)
{
    inChild([] {
        startSpringBoard();
        presentFromListener(iconView(kInstagram).get());
        closeListWithDone();

        postAndSettle(igtarvo::kSwitchAccountsNotification);
        EXPECT_TRUE(listOnScreen());
        EXPECT_FALSE(TarvoListener::sharedInstance()->iconView());
    });
}

TEST_F(SwitchAccountsRequest, ArrivingTwiceShowsTheListOnce)
{
    inChild([] {
        startSpringBoard();
        notify_post(igtarvo::kSwitchAccountsNotification);
        postAndSettle(igtarvo::kSwitchAccountsNotification);
        EXPECT_TRUE(listOnScreen());
        EXPECT_EQ(presentedListCount(systemWindow().get(), listenerList().get()), 1);
    });
}

TEST_F(SwitchAccountsRequestOnIOS8, GoesThroughTheGestureLibraryToTheList)
{
    inChild([] {
        startSpringBoard({ .activator = true });
        TarvoListener::putInPlaceWithActivator();
        postAndSettle(igtarvo::kSwitchAccountsNotification);
        EXPECT_TRUE(listOnScreen());
        EXPECT_FALSE(TarvoListener::sharedInstance()->iconView());
        EXPECT_TRUE(systemWindow()->rootViewController()) << "presented from the temporary root";
    });
}

TEST_F(SwitchAccountsRequestOnIOS8, DoesNothingWithoutTheGestureLibraryOrBeforeTheListenerIsInPlace)
{
    inChild([] {
        startSpringBoard({ .activator = true });
        postAndSettle(igtarvo::kSwitchAccountsNotification);
        EXPECT_FALSE(listOnScreen()) << "no listener registered with the gesture library yet";
    });
    inChild([] {
        startSpringBoard({ .activator = false });
        TarvoListener::putInPlaceWithActivator();
        postAndSettle(igtarvo::kSwitchAccountsNotification);
        EXPECT_FALSE(listOnScreen());
        EXPECT_FALSE(systemWindow()->rootViewController());
    });
}

// The shortcut item -----------------------------------------------------------------------------

TEST_F(ShortcutItem, IsAddedToInstagramsIconWhenTheLibraryRunsInsideSpringBoard)
{
    inChild([] {
        installShortcutLibrary();
        nameThisProcessSpringBoard();
        startSpringBoard();
        auto items = instagramShortcuts();
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(str(items[0]->type()), "igk_account_switcher");
        EXPECT_EQ(str(items[0]->title()), "Account Switcher");
        EXPECT_EQ(str(items[0]->subtitle()), "by igTarvo");
        EXPECT_EQ(items[0]->iconType(), 6);
        EXPECT_TRUE(items[0]->callback());
        EXPECT_TRUE(LSIManager::sharedManager()->shortcutItems("com.apple.mobilesafari").empty());
    });
}

TEST_F(ShortcutItem, ChoosingItOpensTheListWithNoIcon)
{
    inChild([] {
        installShortcutLibrary();
        nameThisProcessSpringBoard();
        startSpringBoard();
        presentFromListener(iconView(kInstagram).get());
        closeListWithDone();

        ASSERT_TRUE(LSIManager::sharedManager()->chooseShortcutItem(kInstagram, "igk_account_switcher"));
        RunLoop::runUntilIdle();
        EXPECT_TRUE(listOnScreen());
        EXPECT_FALSE(TarvoListener::sharedInstance()->iconView());
    });
}

TEST_F(ShortcutItem, ChosenWhileTheListIsOpenFromTheIconItLeavesTheIconsLabelToBeRedrawnAfterASwitch)
{
    inChild([] {
        prepareAccounts({ "Default", "Work" }, "Default");
        installShortcutLibrary();
        nameThisProcessSpringBoard();
        startSpringBoard();
        swipeUpOnIcon(kInstagram);
        ASSERT_TRUE(listOnScreen());

        ASSERT_TRUE(LSIManager::sharedManager()->chooseShortcutItem(kInstagram, "igk_account_switcher"));
        RunLoop::runUntilIdle();
        EXPECT_EQ(presentedListCount(systemWindow().get(), listenerList().get()), 1);
        EXPECT_EQ(TarvoListener::sharedInstance()->iconView().get(), iconView(kInstagram).get());

        EXPECT_TRUE(UserInput::tapRow(listenerList()->tableView().get(), 1, 1));
        RunLoop::runUntilIdle();
        EXPECT_EQ(storedCurrentAccount(), "Work");
        EXPECT_EQ(iconLabel(kInstagram), "Work") << "the list and the label show the same account";
        EXPECT_TRUE(endLaunchedInstagram());
    });
}

TEST_F(ShortcutItem, IsNotAddedOutsideSpringBoardOrWithoutTheLibraryButTheRequestStillWorks)
{
    inChild([] {
        installShortcutLibrary(); // the library is there, but this process is not SpringBoard
        startSpringBoard();
        ASSERT_TRUE(objc::objc_getClass("LSIManager"));
        EXPECT_TRUE(instagramShortcuts().empty());
        postAndSettle(igtarvo::kSwitchAccountsNotification);
        EXPECT_TRUE(listOnScreen()) << "the switch-accounts subscription is made all the same";
    });
    inChild([] {
        std::filesystem::remove(Device::path("/usr/lib/libShortcutItems.dylib"));
        nameThisProcessSpringBoard(); // SpringBoard, but no library file
        startSpringBoard();
        EXPECT_FALSE(objc::objc_getClass("LSIManager"));
        postAndSettle(igtarvo::kSwitchAccountsNotification);
        EXPECT_TRUE(listOnScreen());
    });
}

TEST_F(ShortcutItem, IsNotAddedWhenTheLibraryFileIsMissingThoughItsClassesExist)
{
    inChild([] {
        installShortcutLibrary();
        nameThisProcessSpringBoard();
        startSpringBoard({ .loadSystem = false });
        std::filesystem::remove(Device::path("/usr/lib/libShortcutItems.dylib"));
        igtarvo::startUpForProcess("SpringBoard");
        EXPECT_TRUE(instagramShortcuts().empty());
    });
}

TEST_F(ShortcutItemOnIOS8, IsNeverAddedBeforeIOS9ButTheSubscriptionsAreMade)
{
    inChild([] {
        installShortcutLibrary();
        nameThisProcessSpringBoard();
        startSpringBoard({ .activator = true });
        ASSERT_TRUE(objc::objc_getClass("LSIManager"));
        EXPECT_TRUE(instagramShortcuts().empty());

        // The unlock observer puts the listener in place; then the request reaches it.
        hosts::springboard::SBLockScreenViewController::sharedInstance()->unlock();
        RunLoop::runUntilIdle();
        EXPECT_TRUE(hosts::springboard::LAActivator::sharedInstance()->hasListenerWithName(ns("com.zr4.igtarvo").get()));
        postAndSettle(igtarvo::kSwitchAccountsNotification);
        EXPECT_TRUE(listOnScreen());
    });
}
