#include "tests/feed/FeedTestSupport.h"
#include "tests/support/ChildProcess.h"

#include "hosts/instagram/IGFeedItem.h"
#include "hosts/instagram/IGFeedItemTextCell.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIViewController.h"

#include <gtest/gtest.h>

using namespace hosts::instagram;
using namespace platform;
using testsupport::inChildProcess;

namespace {

// A caption cell outside the feed, laid out with the text.
Ref<IGFeedItemTextCell> captionCell(const std::string& text)
{
    static auto screen = UIViewController::create();
    auto cell = IGFeedItemTextCell::create(0, screen.get());
    cell->configure(IGFeedItem::create(feedtest::now(), 7).get(), text);
    return cell;
}

RefPtr<NSAttributedString> captionText(IGFeedItemTextCell* cell)
{
    return cell->captionView()->styledString()->attributedString();
}

std::string linkAt(NSAttributedString* text, unsigned long index, NSRange* run = nullptr)
{
    auto url = text->attribute("URL", index, run);
    auto address = objc::dynamicCast<NSURL>(url);
    return address ? address->text() : std::string("(none)");
}

std::vector<std::string> openedAddresses()
{
    std::vector<std::string> out;
    for (auto& url : UIApplication::sharedApplication()->openedURLs())
        out.push_back(url->text());
    return out;
}

}

TEST(LinkHooks, LinksInACaptionBecomeBlueUnderlinedAndCarryTheirAddress)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        auto cell = captionCell("Visit www.example.com or mail me@example.org!");
        unsigned long setsBefore = cell->captionView()->styledStringSetCount();
        EXPECT_EQ(linkAt(captionText(cell.get()).get(), 6), "(none)"); // not before the main loop turns
        ASSERT_TRUE(RunLoop::runUntilIdle());
        auto text = captionText(cell.get());
        NSRange run {};
        EXPECT_EQ(linkAt(text.get(), 6, &run), "www.example.com");
        EXPECT_EQ(run, NSMakeRange(6, 15));
        EXPECT_EQ(linkAt(text.get(), 30, &run), "me@example.org");
        EXPECT_EQ(run, NSMakeRange(30, 14));
        EXPECT_EQ(linkAt(text.get(), 44), "(none)"); // the "!" stays plain
        EXPECT_EQ(linkAt(text.get(), 0), "(none)");
        EXPECT_TRUE(isEqual(text->attribute(NSForegroundColorAttributeName, 6).get(), UIColor::blueColor().get()));
        EXPECT_TRUE(isEqual(text->attribute(NSUnderlineStyleAttributeName, 6).get(), NSNumber::numberWithInteger(1).get()));
        EXPECT_FALSE(text->attribute(NSForegroundColorAttributeName, 0));
        // The view took its styled string anew and was redrawn.
        EXPECT_EQ(cell->captionView()->styledStringSetCount(), setsBefore + 1);
    }));
}

TEST(LinkHooks, ATextWithoutLinksIsRefreshedUnchanged)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        auto cell = captionCell("Sunday at the lake, nothing to click: file.txt e.g. 3.14");
        unsigned long setsBefore = cell->captionView()->styledStringSetCount();
        ASSERT_TRUE(RunLoop::runUntilIdle());
        auto text = captionText(cell.get());
        for (unsigned long i = 0; i < text->length(); ++i)
            ASSERT_EQ(linkAt(text.get(), i), "(none)") << i;
        EXPECT_EQ(cell->captionView()->styledStringSetCount(), setsBefore + 1);
    }));
}

TEST(LinkHooks, AnAddressThatIsNotWellFormedIsLeftPlain)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        auto cell = captionCell("50% off at https://example.com/sale%zz today");
        ASSERT_TRUE(RunLoop::runUntilIdle());
        auto text = captionText(cell.get());
        for (unsigned long i = 0; i < text->length(); ++i)
            ASSERT_EQ(linkAt(text.get(), i), "(none)") << i;
    }));
}

TEST(LinkHooks, ATextReplacedWhileItWasSearchedIsNotMarkedWithStaleRanges)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        auto cell = captionCell("see example.com now");
        // Instagram reuses the cell for another post before the search ends.
        auto reused = IGStyledString::create("a different caption, longer than the first one");
        objc::send<void(id)>(cell->captionView(), "setStyledString:", reused.get());
        ASSERT_TRUE(RunLoop::runUntilIdle());
        auto text = reused->attributedString();
        for (unsigned long i = 0; i < text->length(); ++i)
            ASSERT_EQ(linkAt(text.get(), i), "(none)") << i;
        EXPECT_EQ(cell->captionView()->styledString().get(), reused.get());
    }));
}

TEST(LinkHooks, SearchingNeverTouchesTheTextOffTheMainThread)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        // Many cells at once: marking happens on the main thread only, so
        // every text ends up marked exactly once and intact.
        std::vector<Ref<IGFeedItemTextCell>> cells;
        for (int i = 0; i < 50; ++i)
            cells.push_back(captionCell("post " + std::to_string(i) + " at https://example.com/p/" + std::to_string(i)));
        ASSERT_TRUE(RunLoop::runUntilIdle());
        for (int i = 0; i < 50; ++i) {
            auto text = captionText(cells[size_t(i)].get());
            std::string expected = "https://example.com/p/" + std::to_string(i);
            unsigned long at = (i < 10 ? 10 : 11);
            EXPECT_EQ(text->text(), "post " + std::to_string(i) + " at " + expected);
            EXPECT_EQ(linkAt(text.get(), at), expected) << i;
        }
    }));
}

TEST(LinkHooks, TappingALinkOpensItsAddressOutsideInstagram)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        auto cell = captionCell("a www.example.com/x b me@example.org c https://shop.example.net/p?q=1 d");
        ASSERT_TRUE(RunLoop::runUntilIdle());
        auto view = cell->captionView();
        EXPECT_TRUE(view->tapCharacterAtIndex(2));
        EXPECT_TRUE(view->tapCharacterAtIndex(22));
        EXPECT_TRUE(view->tapCharacterAtIndex(40));
        EXPECT_FALSE(view->tapCharacterAtIndex(0));
        EXPECT_EQ(openedAddresses(), (std::vector<std::string> { "http://www.example.com/x", "mailto://me@example.org", "https://shop.example.net/p?q=1" }));
        EXPECT_TRUE(cell->handledAddresses().empty());
    }));
}

TEST(LinkHooks, InstagramsOwnAddressesStayWithInstagram)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        auto cell = captionCell("thanks @friend");
        ASSERT_TRUE(RunLoop::runUntilIdle());
        // Instagram links its mentions itself.
        auto text = captionText(cell.get());
        auto mutableText = static_cast<NSMutableAttributedString*>(text.get());
        mutableText->addAttribute("URL", NSURL::URLWithString(ns("instagram://user?username=friend").get()).get(), NSMakeRange(7, 7));
        EXPECT_TRUE(cell->captionView()->tapCharacterAtIndex(8));
        EXPECT_EQ(cell->handledAddresses(), std::vector<std::string> { "instagram://user?username=friend" });
        EXPECT_TRUE(openedAddresses().empty());
    }));
}

TEST(LinkHooks, OnlyAnAddressThatStartsWithInstagramsSchemeGoesToInstagram)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        // A redirector whose query holds an Instagram address.
        auto cell = captionCell("go https://l.example.com/r?u=instagram://media?id=1 now");
        ASSERT_TRUE(RunLoop::runUntilIdle());
        EXPECT_TRUE(cell->captionView()->tapCharacterAtIndex(5));
        EXPECT_EQ(openedAddresses(), std::vector<std::string> { "https://l.example.com/r?u=instagram://media?id=1" });
        EXPECT_TRUE(cell->handledAddresses().empty()) << "Instagram never sees the tap";

        auto own = captionCell("see instagram://media?id=1 here");
        ASSERT_TRUE(RunLoop::runUntilIdle());
        EXPECT_TRUE(own->captionView()->tapCharacterAtIndex(6));
        EXPECT_EQ(own->handledAddresses(), std::vector<std::string> { "instagram://media?id=1" });
        EXPECT_EQ(openedAddresses().size(), 1u);
    }));
}

TEST(LinkHooks, InternationalLinksOpenWithTheirHostInASCIIAndTheirPathEncoded)
{
    EXPECT_TRUE(inChildProcess([] {
        feedtest::startInstagram();
        // "Visit " is 6 units, "http://foobar.みんな/" 18, " and " 5, "президент.рф/путь" 17, " и " 3.
        auto cell = captionCell("Visit http://foobar.みんな/ and президент.рф/путь и example.com:8080/p");
        ASSERT_TRUE(RunLoop::runUntilIdle());
        auto text = captionText(cell.get());
        NSRange run {};
        EXPECT_EQ(linkAt(text.get(), 8, &run), "http://foobar.xn--q9jyb4c/");
        EXPECT_EQ(run, NSMakeRange(6, 18));
        EXPECT_EQ(linkAt(text.get(), 30, &run), "%D0%BF%D1%80%D0%B5%D0%B7%D0%B8%D0%B4%D0%B5%D0%BD%D1%82.%D1%80%D1%84/%D0%BF%D1%83%D1%82%D1%8C");
        EXPECT_EQ(run, NSMakeRange(29, 17));
        auto view = cell->captionView();
        EXPECT_TRUE(view->tapCharacterAtIndex(8));
        EXPECT_TRUE(view->tapCharacterAtIndex(30));
        EXPECT_TRUE(view->tapCharacterAtIndex(50));
        EXPECT_EQ(openedAddresses(), (std::vector<std::string> { "http://foobar.xn--q9jyb4c/",
                                         "http://xn--d1abbgf6aiiy.xn--p1ai/%D0%BF%D1%83%D1%82%D1%8C", "http://example.com:8080/p" }));
    }));
}
