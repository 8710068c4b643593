// The switcher's listener in SpringBoard: where it presents the list on each
// platform version, what a second trigger does, what happens when the list
// closes (the icon's label, Instagram started again), and its entries in the
// gesture library.

#include "tests/switcher/SwitcherTestSupport.h"

#include "hosts/springboard/SBIconController.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UINavigationItem.h"

using namespace switchertest;
using namespace platform;
using hosts::springboard::LAActivator;
using hosts::springboard::LAEvent;
using hosts::springboard::SBIconController;
using hosts::springboard::SBUIController;
using igtarvo::TarvoListener;

namespace {

constexpr const char* kFlickUp = "libactivator.icon.flick.up";

RefPtr<UIViewController> systemRoot() { return systemWindow()->rootViewController(); }

// An event of the gesture library for an application's icon.
bool fireFlickUp(const std::string& bundleIdentifier, objc::id view)
{
    std::map<std::string, Ref<objc::Object>> info { { "displayIdentifier", ns(bundleIdentifier) } };
    if (view)
        info.emplace("iconView", Ref<objc::Object>(*view));
    bool handled = LAActivator::sharedInstance()->fireEvent(kFlickUp, NSDictionary::create(info).get());
    RunLoop::runUntilIdle();
    return handled;
}

bool sendDeactivate()
{
    auto event = LAEvent::eventWithName(ns(kFlickUp).get());
    bool handled = LAActivator::sharedInstance()->sendDeactivateEvent(event.get());
    RunLoop::runUntilIdle();
    return handled;
}

class Listener : public ::testing::Test {
protected:
    testsupport::TemporaryDevice m_device;
};

class ListenerOnIOS8 : public ::testing::Test {
protected:
    testsupport::TemporaryDevice m_device { igtarvo::simulator::DeviceOptions { .iOS8 = true } };
};

}

// Presenting ---------------------------------------------------------------------------

TEST_F(Listener, PresentsTheListInANavigationControllerOverTheHomeScreen)
{
    inChild([] {
        startSpringBoard();
        auto window = systemWindow();
        EXPECT_EQ(window.get(), SBUIController::sharedInstance()->homeScreenWindow().get());
        EXPECT_EQ(systemRoot().get(), SBIconController::sharedInstance());

        presentFromListener(iconView(kInstagram).get());

        auto presented = systemRoot()->presentedViewController();
        ASSERT_TRUE(objc::object_isKindOfClass(presented.get(), UINavigationController::staticClass()));
        auto* navigation = static_cast<UINavigationController*>(presented.get());
        EXPECT_EQ(navigation->topViewController().get(), listenerList().get());
        EXPECT_EQ(navigation->viewControllers()->count(), 1u);
        EXPECT_TRUE(isShown(listenerList().get()));
        EXPECT_EQ(systemRoot().get(), SBIconController::sharedInstance()) << "the home screen stays the root";
        EXPECT_EQ(TarvoListener::sharedInstance()->iconView().get(), iconView(kInstagram).get());
        EXPECT_TRUE(UIKitWarnings().empty());
    });
}

TEST_F(ListenerOnIOS8, PresentsFromATemporaryPlainRootThatGoesWhenTheListCloses)
{
    inChild([] {
        startSpringBoard();
        auto window = systemWindow();
        EXPECT_NE(window.get(), SBUIController::sharedInstance()->homeScreenWindow().get());
        EXPECT_FALSE(window->rootViewController());

        presentFromListener(nullptr);

        auto temporaryRoot = window->rootViewController();
        ASSERT_TRUE(temporaryRoot);
        EXPECT_EQ(objc::object_getClass(temporaryRoot.get()), UIViewController::staticClass()) << "a plain controller";
        EXPECT_TRUE(isShown(listenerList().get()));
        EXPECT_EQ(listenerList()->navigationController()->presentingViewController().get(), temporaryRoot.get());

        closeListWithDone();

        EXPECT_FALSE(isShown(listenerList().get()));
        EXPECT_FALSE(window->rootViewController()) << "the temporary root is removed";
        EXPECT_FALSE(temporaryRoot->view()->isUserInteractionEnabled());
        EXPECT_TRUE(launches().empty());
    });
}

TEST_F(Listener, ASecondTriggerWhileTheListIsShownChangesNothing)
{
    inChild([] {
        startSpringBoard();
        presentFromListener(iconView(kInstagram).get());
        auto navigation = listenerList()->navigationController();

        presentFromListener(iconView("com.apple.mobilesafari").get());
        EXPECT_EQ(presentedListCount(systemWindow().get(), listenerList().get()), 1);
        EXPECT_EQ(listenerList()->navigationController().get(), navigation.get()) << "the list stays in its navigation controller";
        EXPECT_EQ(TarvoListener::sharedInstance()->iconView().get(), iconView(kInstagram).get());

        presentFromListener(nullptr);
        EXPECT_EQ(presentedListCount(systemWindow().get(), listenerList().get()), 1);
        EXPECT_EQ(TarvoListener::sharedInstance()->iconView().get(), iconView(kInstagram).get()) << "an ignored trigger forgets nothing";
        EXPECT_TRUE(isShown(listenerList().get()));
        EXPECT_TRUE(UIKitWarnings().empty());
    });
}

TEST_F(Listener, TheListCanBeOpenedAgainAfterItWasClosed)
{
    inChild([] {
        startSpringBoard();
        for (int round = 0; round < 3; ++round) {
            SCOPED_TRACE("round " + std::to_string(round));
            presentFromListener(iconView(kInstagram).get());
            EXPECT_TRUE(isShown(listenerList().get()));
            EXPECT_EQ(presentedListCount(systemWindow().get(), listenerList().get()), 1);
            closeListWithDone();
            EXPECT_FALSE(isShown(listenerList().get()));
            EXPECT_FALSE(systemRoot()->presentedViewController());
        }
        EXPECT_TRUE(UIKitWarnings().empty());
    });
}

// When the list closes -------------------------------------------------------------------

TEST_F(Listener, ClosingWithDoneRedrawsTheRememberedIconsLabelAndLeavesInstagramClosed)
{
    inChild([] {
        startSpringBoard();
        auto instagram = iconView(kInstagram);
        auto safari = iconView("com.apple.mobilesafari");
        int instagramDraws = instagram->labelDrawCount(), safariDraws = safari->labelDrawCount();

        presentFromListener(instagram.get());
        closeListWithDone();

        EXPECT_EQ(instagram->labelDrawCount(), instagramDraws + 1);
        EXPECT_EQ(safari->labelDrawCount(), safariDraws);
        EXPECT_TRUE(launches().empty());
        EXPECT_FALSE(hosts::springboard::findRunningProcess("Instagram"));
    });
}

TEST_F(Listener, ASwitchFromTheIconShowsTheNewAccountOnItsLabelAndStartsInstagram)
{
    inChild([] {
        prepareAccounts({ "Default", "Work" }, "Default");
        startSpringBoard();
        EXPECT_EQ(iconLabel(kInstagram), "Default");

        presentFromListener(iconView(kInstagram).get());
        EXPECT_TRUE(UserInput::tapRow(listenerList()->tableView().get(), 1, 1));
        RunLoop::runUntilIdle();

        EXPECT_FALSE(isShown(listenerList().get()));
        EXPECT_EQ(storedCurrentAccount(), "Work");
        EXPECT_EQ(iconLabel(kInstagram), "Work");
        EXPECT_EQ(launches(), std::vector<std::string> { kInstagram });
        EXPECT_TRUE(endLaunchedInstagram()) << "Instagram's program was started";
    });
}

TEST_F(Listener, OpenedWithoutAnIconViewTheCallbackRedrawsNoLabelButStillStartsInstagram)
{
    inChild([] {
        startSpringBoard();
        std::vector<int> draws;
        for (auto& view : SBIconController::sharedInstance()->iconViews())
            draws.push_back(view->labelDrawCount());

        presentFromListener(nullptr);
        EXPECT_TRUE(UserInput::tapRow(listenerList()->tableView().get(), 0, 0));
        RunLoop::runUntilIdle();

        std::vector<int> after;
        for (auto& view : SBIconController::sharedInstance()->iconViews())
            after.push_back(view->labelDrawCount());
        EXPECT_EQ(after, draws);
        EXPECT_EQ(launches(), std::vector<std::string> { kInstagram });
        EXPECT_TRUE(endLaunchedInstagram());
    });
}

TEST_F(ListenerOnIOS8, AnAddFromTheListStartsInstagramAndRemovesTheTemporaryRoot)
{
    inChild([] {
        startSpringBoard();
        presentFromListener(iconView(kInstagram).get());
        UserInput::tapBarButtonItem(listenerList()->navigationItem()->rightBarButtonItem().get());
        RunLoop::runUntilIdle();
        auto alert = shownAlert(systemWindow().get());
        ASSERT_TRUE(alert);
        UserInput::typeIntoAlert(alert.get(), 0, "Personal");
        UserInput::chooseAlertAction(alert.get(), "Add");
        RunLoop::runUntilIdle();

        EXPECT_EQ(storedCurrentAccount(), "Personal");
        EXPECT_FALSE(systemWindow()->rootViewController());
        EXPECT_EQ(iconLabel(kInstagram), "Personal") << "iOS 8 labels come from displayName";
        EXPECT_EQ(launches(), std::vector<std::string> { kInstagram });
        EXPECT_TRUE(endLaunchedInstagram());
    });
}

// The gesture library ---------------------------------------------------------------------

TEST_F(Listener, PuttingItInPlaceRegistersItOnceAndAssignsTheIconFlickUpEveryTime)
{
    inChild([] {
        startSpringBoard({ .activator = true });
        auto* activator = LAActivator::sharedInstance();
        EXPECT_FALSE(activator->hasListenerWithName(ns("com.zr4.igtarvo").get()));

        TarvoListener::putInPlaceWithActivator();
        EXPECT_TRUE(activator->hasListenerWithName(ns("com.zr4.igtarvo").get()));
        EXPECT_EQ(activator->listenerNameForEvent(kFlickUp), "com.zr4.igtarvo");

        activator->assignEvent(LAEvent::eventWithName(ns(kFlickUp).get()).get(), ns("com.example.other").get());
        TarvoListener::putInPlaceWithActivator();
        EXPECT_EQ(activator->listenerNameForEvent(kFlickUp), "com.zr4.igtarvo");
    });
}

TEST_F(Listener, FinishingLaunchRenewsTheAssignmentOfAListenerAlreadyRegistered)
{
    inChild([] {
        startSpringBoard({ .activator = true, .beforeFinishingLaunch = [] {
            TarvoListener::putInPlaceWithActivator();
            LAActivator::sharedInstance()->assignEvent(LAEvent::eventWithName(ns(kFlickUp).get()).get(), ns("com.example.other").get());
        } });
        EXPECT_EQ(LAActivator::sharedInstance()->listenerNameForEvent(kFlickUp), "com.zr4.igtarvo");
    });
}

TEST_F(Listener, GivesTheGestureLibraryItsTexts)
{
    inChild([] {
        startSpringBoard({ .activator = true });
        TarvoListener::putInPlaceWithActivator();
        auto* activator = LAActivator::sharedInstance();
        EXPECT_EQ(activator->localizedText("com.zr4.igtarvo", "activator:requiresLocalizedGroupForListenerName:"), "igTarvo");
        EXPECT_EQ(activator->localizedText("com.zr4.igtarvo", "activator:requiresLocalizedTitleForListenerName:"), "igTarvo");
        EXPECT_EQ(activator->localizedText("com.zr4.igtarvo", "activator:requiresLocalizedDescriptionForListenerName:"), "Instagram Account Switcher");
    });
}

TEST_F(Listener, AnIconEventForInstagramOpensTheListFromThatIconAndIsHandled)
{
    inChild([] {
        startSpringBoard({ .activator = true });
        TarvoListener::putInPlaceWithActivator();
        EXPECT_TRUE(fireFlickUp(kInstagram, iconView(kInstagram).get()));
        EXPECT_TRUE(isShown(listenerList().get()));
        EXPECT_EQ(TarvoListener::sharedInstance()->iconView().get(), iconView(kInstagram).get());
    });
}

TEST_F(Listener, AnInstagramEventWithoutAnIconViewOpensTheListRememberingNoIcon)
{
    inChild([] {
        startSpringBoard({ .activator = true });
        TarvoListener::putInPlaceWithActivator();
        presentFromListener(iconView(kInstagram).get());
        closeListWithDone();

        EXPECT_TRUE(fireFlickUp(kInstagram, nullptr));
        EXPECT_TRUE(isShown(listenerList().get()));
        EXPECT_FALSE(TarvoListener::sharedInstance()->iconView());
    });
}

TEST_F(Listener, AnIconEventForAnotherApplicationIsIgnoredAndLeftUnhandled)
{
    inChild([] {
        startSpringBoard({ .activator = true });
        TarvoListener::putInPlaceWithActivator();
        EXPECT_FALSE(fireFlickUp("com.apple.mobilesafari", iconView("com.apple.mobilesafari").get()));
        EXPECT_FALSE(fireFlickUp("", nullptr));
        EXPECT_FALSE(listenerList()->isViewLoaded() && listenerList()->view()->window());
        EXPECT_FALSE(systemRoot()->presentedViewController());
        EXPECT_FALSE(TarvoListener::sharedInstance()->iconView());
    });
}

TEST_F(Listener, ASwipeCaughtByBothTheGestureLibraryAndTheIconGestureShowsOneList)
{
    inChild([] {
        startSpringBoard({ .activator = true });
        TarvoListener::putInPlaceWithActivator();
        swipeUpOnIcon(kInstagram);
        EXPECT_TRUE(isShown(listenerList().get()));
        EXPECT_EQ(presentedListCount(systemWindow().get(), listenerList().get()), 1);
        EXPECT_EQ(TarvoListener::sharedInstance()->iconView().get(), iconView(kInstagram).get());
        EXPECT_TRUE(UIKitWarnings().empty());
    });
}

TEST_F(Listener, TheDeactivationClosesAShownListIsHandledAndLeavesInstagramClosed)
{
    inChild([] {
        startSpringBoard({ .activator = true });
        TarvoListener::putInPlaceWithActivator();
        auto instagram = iconView(kInstagram);
        fireFlickUp(kInstagram, instagram.get());
        int draws = instagram->labelDrawCount();

        EXPECT_TRUE(sendDeactivate());
        EXPECT_FALSE(isShown(listenerList().get()));
        EXPECT_FALSE(systemRoot()->presentedViewController());
        EXPECT_EQ(instagram->labelDrawCount(), draws + 1) << "the callback ran";
        EXPECT_TRUE(launches().empty()) << "and with no";
    });
}

TEST_F(Listener, TheDeactivationWithoutAShownListIsNotHandledAndRunsNoCallback)
{
    inChild([] {
        startSpringBoard({ .activator = true });
        TarvoListener::putInPlaceWithActivator();
        auto instagram = iconView(kInstagram);
        fireFlickUp(kInstagram, instagram.get());
        closeListWithDone();
        int draws = instagram->labelDrawCount();

        EXPECT_FALSE(sendDeactivate());
        EXPECT_EQ(instagram->labelDrawCount(), draws);
        EXPECT_TRUE(launches().empty());
    });
}

TEST_F(Listener, TheDeactivationWhileADialogIsOpenClosesTheListWithIt)
{
    inChild([] {
        startSpringBoard({ .activator = true });
        TarvoListener::putInPlaceWithActivator();
        fireFlickUp(kInstagram, iconView(kInstagram).get());
        UserInput::tapBarButtonItem(listenerList()->navigationItem()->rightBarButtonItem().get());
        RunLoop::runUntilIdle();
        ASSERT_TRUE(shownAlert(systemWindow().get()));

        EXPECT_TRUE(sendDeactivate());
        EXPECT_FALSE(shownAlert(systemWindow().get()));
        EXPECT_FALSE(isShown(listenerList().get()));
        EXPECT_FALSE(systemRoot()->presentedViewController());
        EXPECT_TRUE(launches().empty());

        fireFlickUp(kInstagram, iconView(kInstagram).get());
        EXPECT_TRUE(isShown(listenerList().get())) << "and it opens again afterwards";
    });
}

TEST_F(ListenerOnIOS8, TheDeactivationWhileADialogIsOpenLeavesNoListBehind)
{
    inChild([] {
        startSpringBoard({ .activator = true });
        TarvoListener::putInPlaceWithActivator();
        fireFlickUp(kInstagram, iconView(kInstagram).get());
        UserInput::tapBarButtonItem(listenerList()->navigationItem()->rightBarButtonItem().get());
        RunLoop::runUntilIdle();
        ASSERT_TRUE(shownAlert(systemWindow().get()));

        EXPECT_TRUE(sendDeactivate());
        EXPECT_FALSE(isShown(listenerList().get()));
        EXPECT_FALSE(systemWindow()->rootViewController());
    });
}
