#include "tests/feed/FeedTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TemporaryDevice.h"
#include "platform/foundation/Preferences.h"
#include "platform/notify/DarwinNotify.h"
#include "platform/notify/NSNotificationCenter.h"

#include "hosts/instagram/IGFeedItem.h"
#include "hosts/instagram/IGFeedItemHeader.h"
#include "hosts/instagram/IGFeedItemTextCell.h"
#include "hosts/instagram/IGMainFeedViewController.h"
#include "hosts/instagram/IGSingleFeedViewController.h"
#include "hosts/instagram/IGTimeStampHeaderView.h"
#include "hosts/instagram/IGUserDetailViewController.h"

#include <gtest/gtest.h>

using namespace hosts::instagram;
using namespace platform;
using feedtest::exactText;
using testsupport::inChildProcess;

namespace {

std::string labelText(id object)
{
    return str(objc::send<RefPtr<Object>>(object, "text"));
}

// A text cell inside a screen's view: screen view > list > cell.
Ref<IGFeedItemTextCell> cellInsideScreen(UIViewController* screen, long cellType)
{
    auto list = UIView::create(CGRectMake(0, 0, 320, 480));
    screen->view()->addSubview(list.get());
    auto cell = IGFeedItemTextCell::create(cellType, nullptr);
    list->addSubview(cell.get());
    return cell;
}

}

TEST(TimestampHooks, PostHeaderLabelAndButtonShowExactTimeAndAge)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        double taken = feedtest::now() - 2 * 3600 - 300;
        auto header = IGFeedItemHeader::create(IGFeedItem::create(taken, 3).get());
        std::string expected = exactText(taken) + " (2h)";
        auto label = objc::send<RefPtr<objc::Object>>(header, "timestampLabel");
        EXPECT_EQ(labelText(label.get()), expected);
        auto button = objc::send<RefPtr<objc::Object>>(header, "timestampButton");
        ASSERT_TRUE(objc::object_isKindOfClass(button, UIButton::staticClass()));
        EXPECT_EQ(str(static_cast<UIButton*>(button.get())->titleForState(UIControlStateNormal)), expected);
    }));
}

TEST(TimestampHooks, TheAgeIsWrittenAnewEachTimeTheLabelIsAskedFor)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        auto view = IGTimeStampHeaderView::create(feedtest::now() - 59);
        auto label = objc::send<RefPtr<objc::Object>>(view, "timestampLabel");
        EXPECT_EQ(labelText(label.get()), exactText(view->timestamp()->timeIntervalSince1970()) + " (Now)");
        static_cast<UILabel*>(label.get())->setText(ns("RECENTLY").get());
        objc::send<RefPtr<objc::Object>>(view, "timestampLabel");
        EXPECT_NE(labelText(label.get()), "RECENTLY");
    }));
}

TEST(TimestampHooks, APostWithoutADateKeepsInstagramsOwnText)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        auto header = IGFeedItemHeader::create(objc::make<IGFeedItem>().get());
        EXPECT_EQ(labelText(objc::send<RefPtr<objc::Object>>(header, "timestampLabel").get()), "RECENTLY");
    }));
}

TEST(TimestampHooks, ACaptionCellInTheMainFeedHidesItsTimeAndTurnsTheStampOff)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        auto feed = IGMainFeedViewController::create();
        auto cell = IGFeedItemTextCell::create(0, feed.get());
        cell->configure(IGFeedItem::create(feedtest::now() - 3600, 1).get(), "hello");
        auto label = cell->timeStampLabel();
        EXPECT_TRUE(label->isHidden());
        EXPECT_FALSE(cell->showTimeStamp());
    }));
}

TEST(TimestampHooks, CellsOfAProfileOrASinglePostAreRecognisedThroughTheirScreensView)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        for (Ref<UIViewController> screen : { Ref<UIViewController>(IGUserDetailViewController::create()), Ref<UIViewController>(IGSingleFeedViewController::create()) }) {
            auto cell = cellInsideScreen(screen.get(), 0);
            auto label = objc::send<RefPtr<objc::Object>>(cell, "timeStampLabel");
            EXPECT_TRUE(static_cast<UILabel*>(label.get())->isHidden()) << objc::object_getClassName(screen.get());
            EXPECT_FALSE(cell->showTimeStamp());
        }
    }));
}

TEST(TimestampHooks, ACaptionCellElsewhereShowsTheTimeAndOtherCellsStayAsInstagramMadeThem)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        auto elsewhere = UIViewController::create();
        double taken = feedtest::now() - 3 * 86400 - 13 * 3600;
        auto caption = IGFeedItemTextCell::create(0, elsewhere.get());
        caption->setShowTimeStamp(false);
        caption->timeStampLabel()->setHidden(true);
        caption->configure(IGFeedItem::create(taken, 1).get(), "hello");
        EXPECT_FALSE(caption->timeStampLabel()->isHidden());
        EXPECT_TRUE(caption->showTimeStamp());
        EXPECT_EQ(labelText(objc::send<RefPtr<objc::Object>>(caption, "timeStampLabel").get()), exactText(taken) + " (4d)");

        auto comments = IGFeedItemTextCell::create(2, elsewhere.get());
        comments->setShowTimeStamp(false);
        comments->configure(IGFeedItem::create(taken, 1).get(), "a comment");
        auto label = objc::send<RefPtr<objc::Object>>(comments, "timeStampLabel");
        EXPECT_EQ(labelText(label.get()), "RECENTLY");
        EXPECT_FALSE(static_cast<UILabel*>(label.get())->isHidden());
        EXPECT_FALSE(comments->showTimeStamp());
    }));
}

TEST(TimestampHooks, TheExactTimesSwitchTakesEffectOnTheNextLabelWithoutARestart)
{
    EXPECT_TRUE(inChildProcess([] {
        testsupport::TemporaryDevice device;
        feedtest::startInstagram();
        int announced = 0;
        NSNotificationCenter::defaultCenter()->addObserverForName(ns("com.zr4.igtarvo.settings/changed").get(), nullptr, mainQueue(),
            [&](NSNotification*) { ++announced; });
        auto flip = [&](bool on) {
            int before = announced;
            CFPreferencesSetValue("kExactPostTimes", NSNumber::numberWithBool(on).get(), "com.zr4.igtarvo", kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
            notify_post("com.zr4.igtarvo.settings/changed");
            ASSERT_TRUE(RunLoop::runUntil([&] { return announced > before; }, std::chrono::seconds(10)));
        };
        auto view = IGTimeStampHeaderView::create(feedtest::now() - 10);
        auto label = objc::send<RefPtr<objc::Object>>(view, "timestampLabel");
        std::string exact = exactText(view->timestamp()->timeIntervalSince1970()) + " (Now)";
        EXPECT_EQ(labelText(label.get()), exact);

        flip(false);
        static_cast<UILabel*>(label.get())->setText(ns("RECENTLY").get());
        objc::send<RefPtr<objc::Object>>(view, "timestampLabel");
        EXPECT_EQ(labelText(label.get()), "RECENTLY");

        flip(true);
        objc::send<RefPtr<objc::Object>>(view, "timestampLabel");
        EXPECT_EQ(labelText(label.get()), exact);
    }));
}
