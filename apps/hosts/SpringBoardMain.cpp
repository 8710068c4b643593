// The stand-in SpringBoard: the home screen with its icons, the lock screen,
// the windows system screens are presented from, and the system loaded into
// it. Its control channel lets a test or the demo act as the user:
//
//   unlock                        unlock the device
//   label BUNDLE_ID               the label under an application's icon
//   swipe-up BUNDLE_ID            swipe up on an application's icon
//   shortcut TYPE                 choose Instagram's home-screen shortcut of that type
//   screen                        what is shown over the home screen
//   tap-row SECTION ROW           tap a row of the table on screen
//   row-actions SECTION ROW       swipe a row open and list its actions
//   row-action SECTION ROW TITLE  swipe a row open and choose an action
//   tap-bar-button left|right     tap a navigation bar button
//   type TEXT...                  type into the alert on screen
//   choose TITLE...               choose an alert action
//   deactivate                    the gesture library's deactivation of the icon gesture

#include "apps/hosts/HostProgram.h"
#include "apps/hosts/ScreenReport.h"
#include "hosts/springboard/FBSystemGestureManager.h"
#include "hosts/springboard/SBIconController.h"
#include "hosts/springboard/SBIconView.h"
#include "hosts/springboard/SBLockScreenViewController.h"
#include "hosts/springboard/SBUIController.h"
#include "hosts/springboard/SpringBoardApplication.h"
#include "hosts/springboard/SpringBoardClasses.h"
#include "hosts/springboard/activator/LAActivator.h"
#include "hosts/springboard/shortcutitems/LSIManager.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/UserInput.h"

using namespace hosts::springboard;
using namespace platform;
using Args = std::vector<std::string>;

namespace {

RefPtr<SBIconView> iconView(const Args& args)
{
    if (args.empty())
        throw std::runtime_error("say which application's icon");
    auto view = SBIconController::sharedInstance()->iconViewForBundleIdentifier(args[0]);
    if (!view)
        throw std::runtime_error("no icon for " + args[0]);
    return view;
}

std::string unlock(const Args&)
{
    SBLockScreenViewController::sharedInstance()->unlock();
    hosts::settle();
    return "unlocked\n";
}

std::string label(const Args& args)
{
    return str(iconView(args)->labelView()->text()) + "\n";
}

std::string swipeUp(const Args& args)
{
    auto view = iconView(args);
    auto window = SBUIController::sharedInstance()->homeScreenWindow();
    CGPoint center = view->superview()->convertPointToView(view->center(), window.get());
    UserInput::swipe(window.get(), center, UISwipeGestureRecognizerDirectionUp);
    hosts::settle();
    return hosts::describeScreen(SBUIController::sharedInstance()->window().get());
}

std::string shortcut(const Args& args)
{
    if (!objc::objc_getClass("LSIManager"))
        return "error: this device has no shortcut items\n";
    if (!LSIManager::sharedManager()->chooseShortcutItem("com.burbn.instagram", args.empty() ? "" : args[0]))
        return "error: Instagram's icon has no such shortcut\n";
    hosts::settle();
    return hosts::describeScreen(SBUIController::sharedInstance()->window().get());
}

std::string deactivate(const Args&)
{
    if (!objc::objc_getClass("LAActivator"))
        return "error: this device has no gesture library\n";
    auto event = LAEvent::eventWithName(ns("libactivator.icon.flick.up").get());
    bool handled = LAActivator::sharedInstance()->sendDeactivateEvent(event.get());
    hosts::settle();
    return std::string(handled ? "handled\n" : "not handled\n") + hosts::describeScreen(SBUIController::sharedInstance()->window().get());
}

void launch()
{
    SBUIController::sharedInstance()->setUpWindows();
    auto homeWindow = SBUIController::sharedInstance()->homeScreenWindow();
    FBSystemGestureManager::sharedInstance()->setTouchWindow(homeWindow.get());
    if (objc::objc_getClass("LAActivator")) {
        for (auto& view : SBIconController::sharedInstance()->iconViews())
            LAActivator::sharedInstance()->watchIconView(view.get());
    }
    UIApplication::sharedApplication()->finishLaunching();
}

}

int main(int argc, char** argv)
{
    UIApplication::setPrincipalClass(SpringBoardApplication::staticClass());
    auto window = [] { return SBUIController::sharedInstance()->window(); };
    auto commands = hosts::screenCommands(window);
    commands["unlock"] = unlock;
    commands["label"] = label;
    commands["swipe-up"] = swipeUp;
    commands["shortcut"] = shortcut;
    commands["deactivate"] = deactivate;
    return hosts::runHostProgram(argc, argv, {
        .registerClasses = registerSpringBoardClasses,
        .launch = launch,
        .commands = std::move(commands),
    });
}
