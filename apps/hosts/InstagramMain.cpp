// The stand-in Instagram: its classes, the system loaded into it, and its own
// start — the feed service started on the device's sample feed (its port in
// the device's settings), the main controller created with the main feed
// source, and the tab bar with the feed and its profile tab in the key
// window. The feed service ends with the program. Its control channel:
//
//   long-press-profile   press and hold the profile tab
//   state                "foreground" or "background"
//   post-time SECONDS    the time text a feed post's header shows for a post
//                        taken that many seconds ago
//   feed, open-menu N, choose TITLE, tap-strip N, alert-bar, hud,
//   share-caption, press-photo N, ...   the feed (see InstagramFeedControl.h)

#include "apps/hosts/FeedService.h"
#include "apps/hosts/HostProgram.h"
#include "apps/hosts/InstagramFeedControl.h"
#include "apps/hosts/ScreenReport.h"
#include "apps/simulator/DeviceLayout.h"
#include "apps/simulator/SampleFeed.h"
#include "hosts/instagram/AppDelegate.h"
#include "hosts/instagram/IGAuthHelper.h"
#include "hosts/instagram/IGFeedItem.h"
#include "hosts/instagram/IGMainFeedViewController.h"
#include "hosts/instagram/IGFeedItemHeader.h"
#include "hosts/instagram/IGTabBarController.h"
#include "hosts/instagram/InstagramClasses.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSPathUtilities.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/UserInput.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace platform;
using Args = std::vector<std::string>;

namespace {

objc::RefPtr<objc::Object> g_mainController;
objc::RefPtr<UIWindow> g_window;
std::unique_ptr<hosts::FeedService> g_feedService;

void registerClasses()
{
    // The program runs from its bundle on the device: its Info.plist and its
    // pictures are the main bundle's.
    std::string bundle = igtarvo::simulator::instagramBundlePath();
    NSBundle::setMainBundlePath(bundle);
    UIImage::setMainBundlePath(Device::devicePath(bundle));
    setHomeDirectory(igtarvo::simulator::instagramDataContainer());
    hosts::instagram::registerInstagramClasses();
}

// Starts the feed service on the device's sample feed and says where it is.
void startFeedService()
{
    g_feedService = hosts::FeedService::start(Device::path(igtarvo::simulator::kSampleFeedDir));
    if (!g_feedService) {
        std::fprintf(stderr, "Instagram: could not start the feed service\n");
        return;
    }
    hosts::instagram::IGMainFeedViewController::setFeedServiceURL(g_feedService->url(""));
    Device::setSetting(igtarvo::simulator::kSettingFeedServicePort, NSNumber::numberWithInteger(g_feedService->port()).get());
}

void launch()
{
    startFeedService();
    // The signed-in account of the sample feed.
    hosts::instagram::IGAuthHelper::sharedAuthHelper()->setCurrentUser(
        hosts::instagram::IGUser::create(igtarvo::simulator::kSampleViewer, "", igtarvo::simulator::kSampleViewerPk));
    auto application = UIApplication::sharedApplication();
    application->setDelegate(objc::make<hosts::instagram::AppDelegate>().get());
    auto source = ns("main feed");
    auto controller = objc::send<objc::RefPtr<objc::Object>>(objc::objc_getClass("IGMainAppViewController"), "alloc");
    g_mainController = objc::send<objc::RefPtr<objc::Object>(objc::id)>(controller, "initWithMainFeedSource:", source.get());

    auto tabs = objc::send<objc::RefPtr<objc::Object>>(objc::objc_getClass("IGTabBarController"), "new");
    objc::send<void(objc::id)>(tabs, "initializeViewControllersWithMainFeedSource:", source.get());
    g_window = UIWindow::create();
    g_window->setRootViewController(static_cast<UIViewController*>(tabs.get()));
    g_window->makeKeyAndVisible();
    UIApplication::sharedApplication()->finishLaunching();
}

std::string longPressProfile(const Args&)
{
    auto* tabs = static_cast<hosts::instagram::IGTabBarController*>(g_window->rootViewController().get());
    auto button = tabs->profileButton();
    CGPoint center = button->superview()->convertPointToView(button->center(), g_window.get());
    UserInput::pressAndHold(g_window.get(), center, std::chrono::milliseconds(700));
    return UIApplication::sharedApplication()->isSuspended() ? "background\n" : "foreground\n";
}

std::string postTime(const Args& args)
{
    if (args.size() != 1)
        return "error: say how many seconds ago the post was taken\n";
    double ago = std::strtod(args[0].c_str(), nullptr);
    double taken = NSDate::date()->timeIntervalSince1970() - ago;
    auto header = hosts::instagram::IGFeedItemHeader::create(hosts::instagram::IGFeedItem::create(taken, 0).get());
    // Instagram's own text until something changes it.
    auto label = objc::send<objc::RefPtr<objc::Object>>(header, "timestampLabel");
    return str(objc::send<objc::RefPtr<NSString>>(label, "text").get()) + "\n";
}

}

int main(int argc, char** argv)
{
    std::map<std::string, hosts::ControlCommand> commands = {
        { "long-press-profile", longPressProfile },
        { "post-time", postTime },
        { "state", [](const Args&) { return std::string(UIApplication::sharedApplication()->isSuspended() ? "background\n" : "foreground\n"); } },
    };
    auto window = [] { return g_window; };
    commands.merge(hosts::screenCommands(window));
    commands.merge(hosts::instagramFeedCommands(window));
    return hosts::runHostProgram(argc, argv, {
        .registerClasses = registerClasses,
        .launch = launch,
        .commands = std::move(commands),
    });
}
