#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIWindow.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// A view that counts its layout passes and records the frames it saw.
class CountingView : public UIView {
    OBJC_CLASS(CountingView, UIView)
public:
    static void registerMethods(objc::ClassBuilder<CountingView>& b)
    {
        b.method<&CountingView::layoutSubviews>("layoutSubviews")
            .method<&CountingView::didMoveToWindow>("didMoveToWindow");
    }
    static Ref<CountingView> create(CGRect frame)
    {
        auto v = objc::make<CountingView>();
        objc::send<RefPtr<UIView>(CGRect)>(v, "initWithFrame:", frame);
        return v;
    }
    void layoutSubviews()
    {
        ++layouts;
        lastLayoutBounds = bounds();
    }
    void didMoveToWindow() { ++windowMoves; }
    int layouts = 0;
    int windowMoves = 0;
    CGRect lastLayoutBounds;
};
OBJC_CLASS_DEFINE(CountingView)

RefPtr<UIView> hit(UIView* view, CGPoint p)
{
    return objc::send<RefPtr<UIView>(CGPoint, id)>(view, "hitTest:withEvent:", p, nullptr);
}

}

TEST(UIView, SubviewsKeepOrderAndSuperviewIsWeak)
{
    RefPtr<UIView> parent = UIView::create(CGRectMake(0, 0, 100, 100));
    auto a = UIView::create(CGRectMake(0, 0, 10, 10));
    auto b = UIView::create(CGRectMake(0, 0, 10, 10));
    parent->addSubview(a.get());
    parent->addSubview(b.get());
    parent->bringSubviewToFront(a.get());
    ASSERT_EQ(parent->subviewList().size(), 2u);
    EXPECT_EQ(parent->subviewList()[0].get(), b.get());
    EXPECT_EQ(parent->subviewList()[1].get(), a.get());
    EXPECT_EQ(a->superview().get(), parent.get());

    parent = nullptr; // the subviews do not keep their superview alive
    EXPECT_EQ(a->superview().get(), nullptr);
}

TEST(UIView, AddingToAnotherSuperviewMovesTheView)
{
    auto first = UIView::create(CGRectMake(0, 0, 100, 100));
    auto second = UIView::create(CGRectMake(0, 0, 100, 100));
    auto child = UIView::create(CGRectMake(0, 0, 10, 10));
    first->addSubview(child.get());
    second->addSubview(child.get());
    EXPECT_TRUE(first->subviewList().empty());
    EXPECT_EQ(second->subviewList().size(), 1u);
    child->removeFromSuperview();
    EXPECT_TRUE(second->subviewList().empty());
    EXPECT_EQ(child->superview().get(), nullptr);
}

TEST(UIView, AViewCannotHoldItsOwnAncestor)
{
    auto parent = UIView::create();
    auto child = UIView::create();
    parent->addSubview(child.get());
    child->addSubview(parent.get());
    child->addSubview(child.get());
    EXPECT_EQ(parent->superview().get(), nullptr);
    EXPECT_TRUE(child->subviewList().empty());
}

TEST(UIView, FlexibleSubviewsFollowTheirSuperviewsNewSize)
{
    auto parent = UIView::create(CGRectMake(0, 0, 100, 200));
    auto fill = UIView::create(CGRectMake(10, 10, 80, 180));
    fill->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    auto pinnedRight = UIView::create(CGRectMake(70, 0, 30, 20));
    pinnedRight->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    auto fixed = UIView::create(CGRectMake(5, 5, 10, 10));
    parent->addSubview(fill.get());
    parent->addSubview(pinnedRight.get());
    parent->addSubview(fixed.get());

    parent->setFrame(CGRectMake(0, 0, 300, 400));
    EXPECT_EQ(fill->frame(), CGRectMake(10, 10, 280, 380));
    EXPECT_EQ(pinnedRight->frame(), CGRectMake(270, 0, 30, 20));
    EXPECT_EQ(fixed->frame(), CGRectMake(5, 5, 10, 10));
}

TEST(UIView, HitTestFindsTheFrontmostInteractiveViewUnderThePoint)
{
    auto root = UIView::create(CGRectMake(0, 0, 200, 200));
    auto back = UIView::create(CGRectMake(0, 0, 100, 100));
    auto front = UIView::create(CGRectMake(50, 50, 100, 100));
    auto inner = UIView::create(CGRectMake(10, 10, 20, 20));
    root->addSubview(back.get());
    root->addSubview(front.get());
    front->addSubview(inner.get());

    EXPECT_EQ(hit(root.get(), CGPointMake(60, 60)).get(), inner.get());  // 10,10 inside front
    EXPECT_EQ(hit(root.get(), CGPointMake(55, 55)).get(), front.get());
    EXPECT_EQ(hit(root.get(), CGPointMake(20, 20)).get(), back.get());
    EXPECT_EQ(hit(root.get(), CGPointMake(190, 10)).get(), root.get());
    EXPECT_EQ(hit(root.get(), CGPointMake(200, 10)).get(), nullptr); // the far edge is outside

    front->setHidden(true);
    EXPECT_EQ(hit(root.get(), CGPointMake(60, 60)).get(), back.get());
    front->setHidden(false);
    front->setUserInteractionEnabled(false);
    EXPECT_EQ(hit(root.get(), CGPointMake(60, 60)).get(), back.get());
    front->setUserInteractionEnabled(true);
    front->setAlpha(0);
    EXPECT_EQ(hit(root.get(), CGPointMake(60, 60)).get(), back.get());
}

TEST(UIView, HitTestHonoursAReplacedPointInside)
{
    auto root = UIView::create(CGRectMake(0, 0, 100, 100));
    auto child = UIView::create(CGRectMake(0, 0, 50, 50));
    root->addSubview(child.get());
    auto cls = objc::objc_defineClass(UIView::staticClass(), "UIViewTestsNeverInside", nullptr);
    auto never = [](id, objc::SEL, CGPoint, id) -> bool { return false; };
    bool (*fn)(id, objc::SEL, CGPoint, id) = never;
    objc::class_addMethod(cls, objc::sel_registerName("pointInside:withEvent:"), reinterpret_cast<objc::IMP>(fn), objc::impEncoding(fn));
    auto odd = objc::makeWithClass<UIView>(cls);
    objc::send<RefPtr<UIView>(CGRect)>(odd, "initWithFrame:", CGRectMake(0, 0, 50, 50));
    root->addSubview(odd.get());
    EXPECT_EQ(hit(root.get(), CGPointMake(10, 10)).get(), child.get());
}

TEST(UIView, ConvertsPointsThroughFramesAndBoundsOrigins)
{
    auto window = UIWindow::create(CGRectMake(0, 0, 320, 480));
    auto scroller = UIView::create(CGRectMake(0, 100, 320, 200));
    scroller->setBounds(CGRectMake(0, 50, 320, 200)); // scrolled down by 50
    auto content = UIView::create(CGRectMake(10, 60, 100, 40));
    window->addSubview(scroller.get());
    scroller->addSubview(content.get());

    EXPECT_EQ(content->convertPointToView(CGPointMake(5, 5), nullptr), CGPointMake(15, 115));
    EXPECT_EQ(content->convertPointFromView(CGPointMake(15, 115), nullptr), CGPointMake(5, 5));
    EXPECT_EQ(content->convertPointToView(CGPointMake(0, 0), scroller.get()), CGPointMake(10, 60));
    EXPECT_EQ(scroller->convertRectToView(CGRectMake(10, 60, 100, 40), window.get()), CGRectMake(10, 110, 100, 40));
}

TEST(UIView, LayoutIfNeededSendsLayoutSubviewsOnceThroughTheRuntime)
{
    auto view = CountingView::create(CGRectMake(0, 0, 100, 100));
    view->layoutIfNeeded();
    view->layoutIfNeeded();
    EXPECT_EQ(view->layouts, 1);
    view->setFrame(CGRectMake(0, 0, 120, 100));
    view->layoutIfNeeded();
    EXPECT_EQ(view->layouts, 2);
    EXPECT_EQ(view->lastLayoutBounds, CGRectMake(0, 0, 120, 100));
    view->setFrame(CGRectMake(30, 0, 120, 100)); // a move alone needs no layout
    view->layoutIfNeeded();
    EXPECT_EQ(view->layouts, 2);
}

TEST(UIView, TheMainLoopLaysOutViewsInAWindowButNotDetachedOnes)
{
    auto window = UIWindow::create(CGRectMake(0, 0, 320, 480));
    auto inWindow = CountingView::create(CGRectMake(0, 0, 100, 100));
    auto detached = CountingView::create(CGRectMake(0, 0, 100, 100));
    window->addSubview(inWindow.get());
    EXPECT_EQ(inWindow->windowMoves, 1);
    RunLoop::runUntilIdle();
    EXPECT_EQ(inWindow->layouts, 1);
    EXPECT_EQ(detached->layouts, 0);
    inWindow->setNeedsLayout();
    inWindow->setNeedsLayout();
    RunLoop::runUntilIdle();
    EXPECT_EQ(inWindow->layouts, 2);
}

TEST(UIView, UnsetTintComesFromTheSuperview)
{
    auto parent = UIView::create();
    auto child = UIView::create();
    parent->addSubview(child.get());
    parent->setTintColor(UIColor::redColor().get());
    EXPECT_TRUE(child->tintColor()->isEqual(UIColor::redColor().get()));
    child->setTintColor(UIColor::greenColor().get());
    EXPECT_TRUE(child->tintColor()->isEqual(UIColor::greenColor().get()));
}

TEST(UIView, ViewWithTagSearchesDepthFirst)
{
    auto root = UIView::create();
    auto a = UIView::create();
    auto b = UIView::create();
    auto c = UIView::create();
    a->setTag(7);
    c->setTag(7);
    b->addSubview(c.get());
    root->addSubview(b.get());
    root->addSubview(a.get());
    EXPECT_EQ(root->viewWithTag(7).get(), c.get());
    EXPECT_EQ(root->viewWithTag(8).get(), nullptr);
}
