#include "platform/foundation/NSAttributedString.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIViewController.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Receives actions and records who sent what.
class ActionSpy : public NSObject {
    OBJC_CLASS(ActionSpy, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<ActionSpy>& b)
    {
        b.method<&ActionSpy::tapped>("tapped:").method<&ActionSpy::bare>("bare");
    }
    void tapped(id sender)
    {
        calls.push_back("tapped:");
        senders.emplace_back(sender);
    }
    void bare() { calls.push_back("bare"); }
    std::vector<std::string> calls;
    std::vector<RefPtr<Object>> senders;
};
OBJC_CLASS_DEFINE(ActionSpy)

// A controller that answers an action, for the responder chain.
class ChainController : public UIViewController {
    OBJC_CLASS(ChainController, UIViewController)
public:
    static void registerMethods(objc::ClassBuilder<ChainController>& b) { b.method<&ChainController::closeIt>("closeIt"); }
    void closeIt() { ++closes; }
    int closes = 0;
};
OBJC_CLASS_DEFINE(ChainController)

objc::SEL sel(const char* name) { return objc::sel_registerName(name); }

}

TEST(UILabel, SizeToFitMeasuresWithHelveticaWidthsInWholePoints)
{
    auto label = UILabel::create(CGRectMake(10, 20, 0, 0));
    label->setFont(UIFont::systemFontOfSize(14).get());
    label->setText(ns("some_user").get());
    label->sizeToFit();
    // 4946 thousandths of 14 points = 69.244, line height 14 * 1.193 = 16.702.
    EXPECT_EQ(label->frame(), CGRectMake(10, 20, 70, 17));
}

TEST(UILabel, WrapsAtWordsWhenLinesAreUnlimited)
{
    auto label = UILabel::create();
    label->setFont(UIFont::systemFontOfSize(10).get());
    label->setText(ns("aaaa bbbb cccc").get()); // 22.24, 22.24 and 20 wide, a space 2.78
    label->setNumberOfLines(0);
    EXPECT_EQ(label->linesForWidth(50), (std::vector<std::string> { "aaaa bbbb", "cccc" }));
    EXPECT_EQ(label->sizeThatFits(CGSizeMake(50, 0)), CGSizeMake(48, 24));
    label->setNumberOfLines(1);
    EXPECT_EQ(label->sizeThatFits(CGSizeMake(50, 0)), CGSizeMake(71, 12)); // 70.04
}

TEST(UILabel, PlainAndAttributedTextFollowEachOther)
{
    auto label = UILabel::create();
    label->setTextColor(UIColor::greenColor().get());
    label->setText(ns("hello").get());
    auto attributed = label->attributedText();
    ASSERT_TRUE(attributed);
    EXPECT_EQ(attributed->text(), "hello");
    EXPECT_TRUE(platform::isEqual(attributed->attribute(NSForegroundColorAttributeName, 0).get(), UIColor::greenColor().get()));

    label->setAttributedText(NSAttributedString::create("other", {}).get());
    EXPECT_EQ(str(label->text().get()), "other");
    label->setText(nullptr);
    EXPECT_EQ(label->text().get(), nullptr);
    EXPECT_EQ(label->attributedText().get(), nullptr);
}

TEST(UIButton, SendsItsActionsThroughTheRuntimeInTheOrderAdded)
{
    auto spy = objc::make<ActionSpy>();
    auto button = UIButton::buttonWithType(UIButtonTypeSystem);
    objc::send<void(id, objc::SEL, unsigned long)>(button, "addTarget:action:forControlEvents:", spy.get(), sel("tapped:"), UIControlEventTouchUpInside);
    button->addTarget(spy.get(), sel("bare"), UIControlEventTouchUpInside | UIControlEventValueChanged);
    button->addTarget(spy.get(), sel("tapped:"), UIControlEventTouchUpInside); // the same pair again

    button->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ(spy->calls, (std::vector<std::string> { "tapped:", "bare" }));
    ASSERT_EQ(spy->senders.size(), 1u);
    EXPECT_EQ(spy->senders[0].get(), button.get());

    button->sendActionsForControlEvents(UIControlEventValueChanged);
    button->removeTarget(spy.get(), sel("bare"), UIControlEventAllEvents);
    button->sendActionsForControlEvents(UIControlEventValueChanged | UIControlEventTouchUpInside);
    EXPECT_EQ(spy->calls, (std::vector<std::string> { "tapped:", "bare", "bare", "tapped:" }));
}

TEST(UIButton, ATargetThatIsGoneReceivesNothing)
{
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    {
        auto spy = objc::make<ActionSpy>();
        button->addTarget(spy.get(), sel("bare"), UIControlEventTouchUpInside);
    }
    button->sendActionsForControlEvents(UIControlEventTouchUpInside); // must not crash
    EXPECT_EQ(button->allTargets()->count(), 0u);
}

TEST(UIButton, NilTargetActionsTravelUpTheResponderChain)
{
    auto controller = objc::make<ChainController>();
    auto view = controller->view();
    auto button = UIButton::buttonWithType(UIButtonTypeSystem);
    view->addSubview(button.get());
    button->addTarget(nullptr, sel("closeIt"), UIControlEventTouchUpInside);
    button->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ(controller->closes, 1);
}

TEST(UIButton, StatesWithoutTheirOwnTitleFallBackToNormal)
{
    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setTitle(ns("Follow").get(), UIControlStateNormal);
    button->setTitle(ns("Following").get(), UIControlStateSelected);
    EXPECT_EQ(str(button->currentTitle().get()), "Follow");
    EXPECT_EQ(str(button->titleForState(UIControlStateHighlighted).get()), "Follow");
    button->setSelected(true);
    EXPECT_EQ(str(button->currentTitle().get()), "Following");
    EXPECT_EQ(button->titleLabel()->textString(), "Following");
    button->setHighlighted(true); // selected and highlighted: the selected title
    EXPECT_EQ(str(button->currentTitle().get()), "Following");
    button->setSelected(false);
    button->setHighlighted(false);
    button->setEnabled(false);
    EXPECT_EQ(button->state(), UIControlStateDisabled);
    EXPECT_EQ(str(button->currentTitle().get()), "Follow");
}

TEST(UIButton, LaysOutItsTitleCentred)
{
    auto button = UIButton::buttonWithType(UIButtonTypeSystem);
    button->setTitle(ns("some_user").get(), UIControlStateNormal);
    button->titleLabel()->setFont(UIFont::systemFontOfSize(14).get());
    button->setFrame(CGRectMake(0, 0, 100, 40));
    button->layoutIfNeeded();
    EXPECT_EQ(button->titleLabel()->frame(), CGRectMake(15, 12, 70, 17));
    button->sizeToFit();
    EXPECT_EQ(button->frame().size, CGSizeMake(70, 17));
}

TEST(UIBarButtonItem, SystemItemsCarryTheirTitleAndATapSendsTheAction)
{
    auto spy = objc::make<ActionSpy>();
    auto done = UIBarButtonItem::systemItem(UIBarButtonSystemItemDone, spy.get(), "tapped:");
    auto add = UIBarButtonItem::systemItem(UIBarButtonSystemItemAdd, spy.get(), "bare");
    EXPECT_EQ(str(done->title().get()), "Done");
    EXPECT_EQ(done->style(), UIBarButtonItemStyleDone);
    EXPECT_EQ(add->title().get(), nullptr);
    EXPECT_TRUE(done->performTap());
    EXPECT_TRUE(add->performTap());
    EXPECT_EQ(spy->calls, (std::vector<std::string> { "tapped:", "bare" }));
    EXPECT_EQ(spy->senders[0].get(), done.get());
    add->setEnabled(false);
    EXPECT_FALSE(add->performTap());
    EXPECT_EQ(spy->calls.size(), 2u);
}

TEST(UIBarButtonItem, HoldsItsTargetWeakly)
{
    auto item = UIBarButtonItem::titled("Edit", UIBarButtonItemStylePlain, nullptr, "bare");
    {
        auto spy = objc::make<ActionSpy>();
        item->setTarget(spy.get());
        EXPECT_EQ(item->target().get(), spy.get());
    }
    EXPECT_EQ(item->target().get(), nullptr);
}
