#pragma once
// The stand-in Instagram's feed in the test's process, as the host program
// starts it: a fresh device with its sample feed, the feed service serving
// it, Instagram's classes with the system started in them, the signed-in
// account, the application delegate, and the tab bar with the feed in a key
// window. Make it inside a child process (hooks stay for the process's life).

#include "apps/hosts/FeedService.h"
#include "apps/simulator/DeviceLayout.h"
#include "apps/simulator/SampleFeed.h"
#include "hosts/instagram/AppDelegate.h"
#include "hosts/instagram/IGAuthHelper.h"
#include "hosts/instagram/IGFeedItem.h"
#include "hosts/instagram/IGFeedItemActionCell.h"
#include "hosts/instagram/IGFeedItemPhotoCell.h"
#include "hosts/instagram/IGFeedItemVideoView.h"
#include "hosts/instagram/IGMainFeedViewController.h"
#include "hosts/instagram/IGTabBarController.h"
#include "hosts/instagram/InstagramClasses.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/foundation/NSPathUtilities.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"
#include "tests/support/TemporaryDevice.h"
#include "tweak/Startup.h"

#include <gtest/gtest.h>

#include <memory>

namespace feedtest {

using namespace hosts::instagram;
using namespace platform;

// The sample feed's posts, numbered from 0 as the feed shows them.
enum SamplePost : long {
    OtherUsersPhoto = 0, // lena.sails, "Morning light over the harbour, ready to sail #sunrise"
    OwnPhoto = 1,        // the signed-in tarvo.demo
    VideoWithSound = 2,  // kai_rides
    SilentVideo = 3,     // mira.makes
    SponsoredPhoto = 4,  // brewco
    PhotoWithoutCaption = 5, // oskar.north
};

class FeedScreen {
public:
    FeedScreen()
    {
        std::string bundle = igtarvo::simulator::instagramBundlePath();
        NSBundle::setMainBundlePath(bundle);
        UIImage::setMainBundlePath(Device::devicePath(bundle));
        setHomeDirectory(igtarvo::simulator::instagramDataContainer());
        registerInstagramClasses();
        igtarvo::startUpForProcess("Instagram");
        m_service = hosts::FeedService::start(Device::path(igtarvo::simulator::kSampleFeedDir));
        IGMainFeedViewController::setFeedServiceURL(m_service ? m_service->url("") : std::string());
        IGAuthHelper::sharedAuthHelper()->setCurrentUser(IGUser::create(igtarvo::simulator::kSampleViewer, "", igtarvo::simulator::kSampleViewerPk));
        m_delegate = objc::make<AppDelegate>();
        UIApplication::sharedApplication()->setDelegate(m_delegate.get());
        m_tabs = objc::send<RefPtr<objc::Object>>(IGTabBarController::staticClass(), "new");
        objc::send<void(id)>(m_tabs, "initializeViewControllersWithMainFeedSource:", ns("main feed").get());
        m_window = UIWindow::create();
        m_window->setRootViewController(static_cast<UIViewController*>(m_tabs.get()));
        m_window->makeKeyAndVisible();
        RunLoop::runUntil([this] { return feed()->isFeedLoaded(); }, std::chrono::seconds(10));
    }

    IGMainFeedViewController* feed() const
    {
        auto* tabs = static_cast<IGTabBarController*>(m_tabs.get());
        return static_cast<IGMainFeedViewController*>(tabs->mainFeedViewController().get());
    }
    UIWindow* window() const { return m_window.get(); }
    AppDelegate* delegate() const { return m_delegate.get(); }
    hosts::FeedService* service() const { return m_service.get(); }
    IGFeedItem* item(long post) const { return feed()->items().at(size_t(post)).get(); }

    // A row's cell, brought on screen.
    RefPtr<UICollectionViewCell> cell(long post, long row) const
    {
        auto collection = feed()->collectionView();
        auto path = NSIndexPath::indexPathForItem(row, post);
        collection->scrollToItemAtIndexPath(path.get(), UICollectionViewScrollPositionNone, false);
        collection->layoutIfNeeded();
        return collection->cellForItemAtIndexPath(path.get());
    }
    RefPtr<IGFeedItemActionCell> actionCell(long post) const
    {
        return objc::dynamicCast<IGFeedItemActionCell>(cell(post, IGMainFeedViewController::ActionRow));
    }
    RefPtr<IGFeedItemPhotoCell> photoCell(long post) const
    {
        return objc::dynamicCast<IGFeedItemPhotoCell>(cell(post, IGMainFeedViewController::MediaRow));
    }
    // The controller on top of the window.
    RefPtr<UIViewController> top() const
    {
        RefPtr<UIViewController> shown = m_window->rootViewController();
        while (shown && shown->presentedViewController())
            shown = shown->presentedViewController();
        return shown;
    }
    // Lets transitions and transfers finish.
    // Lets what a gesture started run, then waits until a presentation or
    // dismissal under way has come to rest (slow under a sanitizer and load).
    static void settle()
    {
        RunLoop::runFor(std::chrono::milliseconds(500));
        RunLoop::runUntil([] { return UIViewController::transitionsInProgress() == 0; }, std::chrono::seconds(20));
    }
    static bool runUntil(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(20))
    {
        return RunLoop::runUntil(done, limit);
    }

private:
    testsupport::TemporaryDevice m_device;
    std::unique_ptr<hosts::FeedService> m_service;
    RefPtr<AppDelegate> m_delegate;
    RefPtr<objc::Object> m_tabs;
    RefPtr<UIWindow> m_window;
};

} // namespace feedtest
