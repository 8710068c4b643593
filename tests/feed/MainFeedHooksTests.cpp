#include "tests/feed/FeedTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TemporaryDevice.h"

#include "feed/display/MainFeedHooks.h"
#include "hosts/instagram/IGAuthHelper.h"
#include "hosts/instagram/IGDirectThreadStore.h"
#include "hosts/instagram/IGFeedItem.h"
#include "hosts/instagram/IGFeedItemTextCell.h"
#include "hosts/instagram/IGMainFeedViewController.h"
#include "platform/foundation/NSBundle.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UINavigationItem.h"

#include "platform/foundation/Preferences.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace hosts::instagram;
using namespace platform;
using testsupport::inChildProcess;
using testsupport::TemporaryDevice;

namespace {

// A 2 x 2 PNG picture.
const unsigned char kPicture[] = { 0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x72, 0xb6, 0x0d, 0x24, 0x00, 0x00,
    0x00, 0x10, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0x60, 0x60, 0xf8, 0xff, 0x1f, 0x82, 0xa1, 0x0c, 0x00, 0x3f, 0xd2,
    0x07, 0xf9, 0xb4, 0x12, 0x4f, 0xcd, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82 };

// Instagram's bundle on the device becomes the main bundle, with the two
// layout pictures in it.
void useInstagramBundle()
{
    std::string bundle = igtarvo::simulator::instagramBundlePath();
    NSBundle::setMainBundlePath(bundle);
    UIImage::setMainBundlePath(Device::devicePath(bundle));
    for (const char* name : { "feedtoggle-grid-icon", "feedtoggle-list-icon" })
        std::ofstream(bundle + "/" + name + ".png", std::ios::binary).write(reinterpret_cast<const char*>(kPicture), sizeof kPicture);
}

RefPtr<UINavigationItem> navigationItemOf(id controller)
{
    auto item = objc::send<RefPtr<objc::Object>>(controller, "navigationItem");
    return RefPtr<UINavigationItem>(static_cast<UINavigationItem*>(item.get()));
}

std::string leftIconOf(id controller)
{
    auto button = navigationItemOf(controller)->leftBarButtonItem();
    return button && button->image() ? button->image()->name() : std::string("(none)");
}

}

TEST(MainFeedHooks, TheRefreshButtonStaysShownWhateverInstagramSets)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        auto feed = IGMainFeedViewController::create();
        feed->view(); // Instagram hides the button once the feed has loaded
        EXPECT_TRUE(feed->isRefreshButtonVisible());
        objc::send<void(bool)>(feed, "setShowRefreshButton:", false);
        EXPECT_TRUE(feed->isRefreshButtonVisible());
        // Instagram's own setter got yes each time.
        EXPECT_TRUE(feed->showRefreshButton());
    }));
}

TEST(MainFeedHooks, TheInboxOfTheSharedStoreIsRefreshedBeforeTheFeedAppears)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        auto feed = IGMainFeedViewController::create();
        objc::send<void(bool)>(feed, "viewWillAppear:", true);
        objc::send<void(bool)>(feed, "viewWillAppear:", false);
        EXPECT_EQ(IGDirectThreadStore::sharedThreadStore()->refreshCount(), 2u);
        EXPECT_EQ(feed->appearanceCount(), 2u);
        EXPECT_EQ(IGAuthHelper::sharedAuthHelper()->currentUserSession()->directThreadStore()->refreshCount(), 0u);
    }));
}

TEST(MainFeedHooks, WithoutASharedStoreTheSignedInSessionsInboxIsRefreshed)
{
    EXPECT_TRUE(inChildProcess([] {
        IGDirectThreadStore::setHasSharedStore(false);
        feedtest::startInstagram();
        auto feed = IGMainFeedViewController::create();
        objc::send<void(bool)>(feed, "viewWillAppear:", true);
        EXPECT_EQ(IGAuthHelper::sharedAuthHelper()->currentUserSession()->directThreadStore()->refreshCount(), 1u);
        EXPECT_EQ(feed->appearanceCount(), 1u);
    }));
}

TEST(MainFeedHooks, TheFirstFeedGetsALayoutButtonThatTogglesBetweenTheTwoLayouts)
{
    TemporaryDevice device;
    EXPECT_TRUE(inChildProcess([] {
        useInstagramBundle();
        feedtest::startInstagram();
        auto feed = IGMainFeedViewController::create();
        feed->view(); // viewDidLoad puts the button in place
        EXPECT_TRUE(igtarvo::layoutButtonPlaced());
        auto button = navigationItemOf(feed.get())->leftBarButtonItem();
        ASSERT_TRUE(button);
        EXPECT_EQ(button->target().get(), feed.get());
        EXPECT_STREQ(objc::sel_getName(button->action()), "tarvo_changeLayout:");
        EXPECT_EQ(leftIconOf(feed.get()), "feedtoggle-grid-icon");

        objc::send<void(id)>(feed, "tarvo_changeLayout:", button.get());
        EXPECT_EQ(feed->feedLayout(), 2);
        EXPECT_EQ(leftIconOf(feed.get()), "feedtoggle-list-icon");
        objc::send<void(id)>(feed, "tarvo_changeLayout:", button.get());
        EXPECT_EQ(feed->feedLayout(), 1);
        EXPECT_EQ(leftIconOf(feed.get()), "feedtoggle-grid-icon");

        feed->setFeedLayout(7);
        objc::send<void(id)>(feed, "tarvo_changeLayout:", button.get());
        EXPECT_EQ(feed->feedLayout(), 1);

        // A feed made later in the process gets no button of its own.
        auto second = IGMainFeedViewController::create();
        second->view();
        EXPECT_FALSE(navigationItemOf(second.get())->leftBarButtonItem());
    }));
}

TEST(MainFeedHooks, WithTheLayoutButtonSwitchedOffTheFeedGetsNoButton)
{
    TemporaryDevice device;
    ASSERT_TRUE(CFPreferencesSetAppValue("kLayoutToggleButton", NSNumber::numberWithBool(false).get(), "com.zr4.igtarvo"));
    EXPECT_TRUE(inChildProcess([] {
        useInstagramBundle();
        feedtest::startInstagram();
        auto feed = IGMainFeedViewController::create();
        feed->view();
        EXPECT_FALSE(igtarvo::layoutButtonPlaced());
        EXPECT_FALSE(navigationItemOf(feed.get())->leftBarButtonItem());
    }));
}

TEST(LikeCountHook, OlderBuildsShowThePlainCountInInstagramsAttributes)
{
    TemporaryDevice device({ .instagramBuild = "17882765" });
    EXPECT_TRUE(inChildProcess([] {
        useInstagramBundle();
        feedtest::startInstagram();
        auto cell = IGFeedItemTextCell::create(0, nullptr);
        auto item = IGFeedItem::create(feedtest::now(), 1234);
        cell->configure(item.get(), "caption");
        auto text = cell->likesView()->styledString()->attributedString();
        EXPECT_EQ(text->text(), "1234 likes");
        EXPECT_TRUE(text->attribute(NSForegroundColorAttributeName, 0));
        EXPECT_TRUE(text->attribute(NSForegroundColorAttributeName, 9));
    }));
}

TEST(LikeCountHook, NewerBuildsKeepInstagramsText)
{
    TemporaryDevice device({ .instagramBuild = "17882766" });
    EXPECT_TRUE(inChildProcess([] {
        useInstagramBundle();
        feedtest::startInstagram();
        auto cell = IGFeedItemTextCell::create(0, nullptr);
        cell->configure(IGFeedItem::create(feedtest::now(), 1234).get(), "caption");
        EXPECT_EQ(cell->likesView()->styledString()->attributedString()->text(), "\xE2\x99\xA5 1,234 likes");
    }));
}
