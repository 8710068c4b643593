#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILongPressGestureRecognizer.h"
#include "platform/uikit/UISwipeGestureRecognizer.h"
#include "platform/uikit/UITapGestureRecognizer.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIWindow.h"
#include "platform/uikit/UserInput.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace std::chrono_literals;

namespace {

// Receives gesture actions (recording the state each time) and, as a
// delegate, decides which touches recognisers get.
class GestureSpy : public NSObject {
    OBJC_CLASS(GestureSpy, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<GestureSpy>& b)
    {
        b.method<&GestureSpy::handle>("handle:")
            .method<&GestureSpy::shouldReceive>("gestureRecognizer:shouldReceiveTouch:")
            .method<&GestureSpy::tapped>("tapped:");
    }
    void handle(UIGestureRecognizer* r)
    {
        states.push_back(r->state());
        locations.push_back(r->locationInView(nullptr));
    }
    void tapped(id) { ++taps; }
    bool shouldReceive(UIGestureRecognizer*, UITouch* touch)
    {
        offeredViews.emplace_back(touch->view());
        return accept;
    }
    std::vector<long> states;
    std::vector<CGPoint> locations;
    std::vector<RefPtr<UIView>> offeredViews;
    bool accept = true;
    int taps = 0;
};
OBJC_CLASS_DEFINE(GestureSpy)

class GestureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = UIWindow::create(CGRectMake(0, 0, 320, 480));
        window->makeKeyAndVisible();
        icon = UIView::create(CGRectMake(20, 300, 60, 60));
        label = UIView::create(CGRectMake(0, 40, 60, 20));
        icon->addSubview(label.get());
        window->addSubview(icon.get());
        spy = objc::make<GestureSpy>();
    }
    void TearDown() override
    {
        RunLoop::runUntilIdle();
        window->setHidden(true);
    }
    RefPtr<UIWindow> window;
    RefPtr<UIView> icon;
    RefPtr<UIView> label;
    RefPtr<GestureSpy> spy;
};

}

TEST_F(GestureTest, ASwipeUpOnASubviewFiresTheRecogniserOfItsSuperviewOnce)
{
    auto swipe = UISwipeGestureRecognizer::create(spy.get(), "handle:");
    swipe->setDirection(UISwipeGestureRecognizerDirectionUp);
    swipe->setDelegate(spy.get());
    icon->addGestureRecognizer(swipe.get());
    EXPECT_EQ(swipe->view().get(), icon.get());

    UserInput::swipe(window.get(), CGPointMake(50, 350), UISwipeGestureRecognizerDirectionUp);
    EXPECT_EQ(spy->states, (std::vector<long> { UIGestureRecognizerStateEnded }));
    ASSERT_EQ(spy->offeredViews.size(), 1u);
    EXPECT_EQ(spy->offeredViews[0].get(), label.get()); // the touch's view is the one hit
    EXPECT_EQ(spy->locations[0], CGPointMake(50, 290)); // 60 points up when it qualified
    EXPECT_EQ(swipe->state(), UIGestureRecognizerStatePossible); // ready for the next one
}

TEST_F(GestureTest, SwipesInOtherDirectionsOrElsewhereDoNotFire)
{
    auto swipe = UISwipeGestureRecognizer::create(spy.get(), "handle:");
    swipe->setDirection(UISwipeGestureRecognizerDirectionUp);
    icon->addGestureRecognizer(swipe.get());
    UserInput::swipe(window.get(), CGPointMake(50, 350), UISwipeGestureRecognizerDirectionDown);
    EXPECT_TRUE(spy->states.empty()) << "down";
    UserInput::swipe(window.get(), CGPointMake(50, 350), UISwipeGestureRecognizerDirectionRight);
    EXPECT_TRUE(spy->states.empty()) << "right";
    UserInput::swipe(window.get(), CGPointMake(200, 350), UISwipeGestureRecognizerDirectionUp); // not on the icon
    EXPECT_TRUE(spy->states.empty()) << "elsewhere";
    UserInput::swipe(window.get(), CGPointMake(50, 350), UISwipeGestureRecognizerDirectionUp, 30); // too short
    EXPECT_TRUE(spy->states.empty()) << "short";
    UserInput::swipe(window.get(), CGPointMake(50, 350), UISwipeGestureRecognizerDirectionUp, 100, 1500ms); // too slow: 20 points in the first 0.3 s
    EXPECT_TRUE(spy->states.empty());
}

TEST_F(GestureTest, TheDelegateCanKeepATouchFromTheRecogniser)
{
    auto swipe = UISwipeGestureRecognizer::create(spy.get(), "handle:");
    swipe->setDirection(UISwipeGestureRecognizerDirectionUp);
    swipe->setDelegate(spy.get());
    window->addGestureRecognizer(swipe.get());
    spy->accept = false;
    UserInput::swipe(window.get(), CGPointMake(50, 350), UISwipeGestureRecognizerDirectionUp);
    EXPECT_EQ(spy->offeredViews.size(), 1u);
    EXPECT_TRUE(spy->states.empty());
    spy->accept = true;
    UserInput::swipe(window.get(), CGPointMake(50, 350), UISwipeGestureRecognizerDirectionUp);
    EXPECT_EQ(spy->states.size(), 1u);
}

TEST_F(GestureTest, ADisabledRecogniserOrHiddenViewGetsNoTouch)
{
    auto swipe = UISwipeGestureRecognizer::create(spy.get(), "handle:");
    swipe->setDirection(UISwipeGestureRecognizerDirectionUp);
    icon->addGestureRecognizer(swipe.get());
    swipe->setEnabled(false);
    UserInput::swipe(window.get(), CGPointMake(50, 350), UISwipeGestureRecognizerDirectionUp);
    swipe->setEnabled(true);
    icon->setHidden(true);
    UserInput::swipe(window.get(), CGPointMake(50, 350), UISwipeGestureRecognizerDirectionUp);
    EXPECT_TRUE(spy->states.empty());
}

TEST_F(GestureTest, PressAndHoldBeginsAfterTheMinimumDurationAndEndsOnLift)
{
    auto press = UILongPressGestureRecognizer::create(spy.get(), "handle:");
    press->setMinimumPressDuration(0.05);
    icon->addGestureRecognizer(press.get());
    UserInput::pressAndHold(window.get(), CGPointMake(30, 310), 150ms);
    EXPECT_EQ(spy->states, (std::vector<long> { UIGestureRecognizerStateBegan, UIGestureRecognizerStateEnded }));
    EXPECT_EQ(spy->locations[0], CGPointMake(30, 310));
}

TEST_F(GestureTest, AShortPressDoesNotBegin)
{
    auto press = UILongPressGestureRecognizer::create(spy.get(), "handle:");
    press->setMinimumPressDuration(0.2);
    icon->addGestureRecognizer(press.get());
    UserInput::pressAndHold(window.get(), CGPointMake(30, 310), 20ms);
    RunLoop::runFor(300ms); // the timer of the lifted press finds it gone
    EXPECT_TRUE(spy->states.empty());
    EXPECT_EQ(press->state(), UIGestureRecognizerStatePossible);
}

TEST_F(GestureTest, ARecognisedGestureKeepsTheTapFromTheButtonBelow)
{
    auto button = UIButton::buttonWithType(UIButtonTypeSystem);
    button->setFrame(CGRectMake(100, 100, 100, 50));
    button->addTarget(spy.get(), objc::sel_registerName("tapped:"), UIControlEventTouchUpInside);
    window->addSubview(button.get());
    UserInput::tap(window.get(), CGPointMake(150, 125));
    EXPECT_EQ(spy->taps, 1);

    auto press = UILongPressGestureRecognizer::create(spy.get(), "handle:");
    press->setMinimumPressDuration(0.02);
    button->addGestureRecognizer(press.get());
    UserInput::pressAndHold(window.get(), CGPointMake(150, 125), 100ms);
    EXPECT_EQ(spy->taps, 1);
    EXPECT_EQ(spy->states.size(), 2u);
    UserInput::tap(window.get(), CGPointMake(150, 125)); // too short for the press: the button gets it
    RunLoop::runFor(50ms);
    EXPECT_EQ(spy->taps, 2);
}

TEST_F(GestureTest, ATapRecogniserFiresOnLift)
{
    auto tap = UITapGestureRecognizer::create(spy.get(), "handle:");
    label->setUserInteractionEnabled(true);
    label->addGestureRecognizer(tap.get());
    UserInput::tap(window.get(), CGPointMake(30, 345));
    EXPECT_EQ(spy->states, (std::vector<long> { UIGestureRecognizerStateEnded }));
    UserInput::tap(window.get(), CGPointMake(30, 310)); // on the icon, above the label
    EXPECT_EQ(spy->states.size(), 1u);
}
