#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIKit.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIWindow.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

std::vector<std::string> g_log;

// A controller that logs its life, by name.
class LoggingController : public UIViewController {
    OBJC_CLASS(LoggingController, UIViewController)
public:
    static void registerMethods(objc::ClassBuilder<LoggingController>& b)
    {
        b.method<&LoggingController::loadView>("loadView")
            .method<&LoggingController::viewDidLoad>("viewDidLoad")
            .method<&LoggingController::viewWillAppear>("viewWillAppear:")
            .method<&LoggingController::viewDidAppear>("viewDidAppear:")
            .method<&LoggingController::viewWillDisappear>("viewWillDisappear:")
            .method<&LoggingController::viewDidDisappear>("viewDidDisappear:");
    }
    static Ref<LoggingController> create(std::string name)
    {
        auto c = objc::make<LoggingController>();
        objc::send<RefPtr<UIViewController>>(c, "init");
        c->name = std::move(name);
        return c;
    }
    void loadView()
    {
        g_log.push_back(name + " loadView");
        UIViewController::loadView();
    }
    void viewDidLoad() { g_log.push_back(name + " viewDidLoad"); }
    void viewWillAppear(bool animated) { g_log.push_back(name + " willAppear" + (animated ? " animated" : "")); }
    void viewDidAppear(bool) { g_log.push_back(name + " didAppear"); }
    void viewWillDisappear(bool) { g_log.push_back(name + " willDisappear"); }
    void viewDidDisappear(bool) { g_log.push_back(name + " didDisappear"); }
    std::string name;
};
OBJC_CLASS_DEFINE(LoggingController)

class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        UIKitClearWarnings();
        window = UIWindow::create(CGRectMake(0, 0, 320, 480));
        root = LoggingController::create("root");
        window->setRootViewController(root.get());
        window->makeKeyAndVisible();
        RunLoop::runUntilIdle();
        g_log.clear();
    }
    void TearDown() override
    {
        RunLoop::runUntilIdle();
        window->setHidden(true);
    }
    void present(UIViewController* from, UIViewController* what, bool animated, int* completions = nullptr)
    {
        objc::send<void(UIViewController*, bool, Completion)>(from, "presentViewController:animated:completion:", what, animated, Completion([completions] {
            g_log.push_back("completion");
            if (completions)
                ++*completions;
        }));
    }
    RefPtr<UIWindow> window;
    RefPtr<LoggingController> root;
};

}

TEST(UIViewControllerLoading, TheViewLoadsOnFirstUseThroughTheRuntime)
{
    g_log.clear();
    auto c = LoggingController::create("c");
    EXPECT_FALSE(c->isViewLoaded());
    auto view = objc::send<RefPtr<UIView>>(c, "view");
    auto again = c->view();
    EXPECT_EQ(view.get(), again.get());
    EXPECT_EQ(g_log, (std::vector<std::string> { "c loadView", "c viewDidLoad" }));
    EXPECT_EQ(view->frame(), CGRectMake(0, 0, 375, 667));
    EXPECT_EQ(objc::send<RefPtr<UIResponder>>(view, "nextResponder").get(), c.get());
}

TEST(UIViewControllerLoading, TitleGoesToTheNavigationItem)
{
    auto c = UIViewController::create();
    c->setTitle(ns("Accounts").get());
    EXPECT_EQ(str(c->navigationItem()->title().get()), "Accounts");
    c->setTitle(ns("Other").get());
    EXPECT_EQ(str(c->navigationItem()->title().get()), "Other");
}

TEST_F(ControllerTest, TheWindowShowsItsRootAndItAppears)
{
    auto w = UIWindow::create(CGRectMake(0, 0, 320, 480));
    auto c = LoggingController::create("c");
    w->setRootViewController(c.get());
    EXPECT_EQ(c->view()->frame(), CGRectMake(0, 0, 320, 480));
    EXPECT_EQ(c->view()->window().get(), w.get());
    EXPECT_EQ(g_log, (std::vector<std::string> { "c loadView", "c viewDidLoad" }));
    w->makeKeyAndVisible();
    EXPECT_EQ(UIApplication::sharedApplication()->keyWindow().get(), w.get());
    EXPECT_FALSE(window->isKeyWindow());
    RunLoop::runUntilIdle();
    EXPECT_EQ(g_log, (std::vector<std::string> { "c loadView", "c viewDidLoad", "c willAppear", "c didAppear" }));
    w->setRootViewController(nullptr);
    EXPECT_EQ(c->view()->superview().get(), nullptr);
    EXPECT_EQ(g_log.back(), "c didDisappear");
    w->setHidden(true);
}

TEST_F(ControllerTest, PresentingRunsTheCompletionWhenTheAnimationIsOver)
{
    auto modal = LoggingController::create("modal");
    int completions = 0;
    present(root.get(), modal.get(), true, &completions);
    EXPECT_EQ(root->presentedViewController().get(), modal.get());
    EXPECT_EQ(modal->presentingViewController().get(), root.get());
    EXPECT_TRUE(modal->isBeingPresented());
    EXPECT_EQ(modal->view()->window().get(), window.get());
    EXPECT_EQ(modal->view()->frame(), CGRectMake(0, 0, 320, 480));
    EXPECT_EQ(completions, 0);

    RunLoop::runUntilIdle();
    EXPECT_EQ(completions, 1);
    EXPECT_FALSE(modal->isBeingPresented());
    EXPECT_EQ(root->view()->window().get(), nullptr); // covered by a full-screen presentation
    EXPECT_EQ(g_log, (std::vector<std::string> { "modal loadView", "modal viewDidLoad", "modal willAppear animated", "root willDisappear",
                         "modal didAppear", "root didDisappear", "completion" }));
}

TEST_F(ControllerTest, DismissingFromThePresentedControllerRestoresThePresenter)
{
    auto modal = LoggingController::create("modal");
    present(root.get(), modal.get(), false);
    RunLoop::runUntilIdle();
    g_log.clear();
    objc::send<void(bool, Completion)>(modal, "dismissViewControllerAnimated:completion:", true, Completion([] { g_log.push_back("dismissed"); }));
    EXPECT_EQ(root->view()->window().get(), window.get());
    EXPECT_TRUE(modal->isBeingDismissed());
    RunLoop::runUntilIdle();
    EXPECT_EQ(root->presentedViewController().get(), nullptr);
    EXPECT_EQ(modal->presentingViewController().get(), nullptr);
    EXPECT_EQ(modal->view()->superview().get(), nullptr);
    EXPECT_EQ(g_log, (std::vector<std::string> { "root willAppear animated", "modal willDisappear", "modal didDisappear", "root didAppear", "dismissed" }));
}

TEST_F(ControllerTest, PresentingOverAPresentationWarnsAndPresentsNothing)
{
    auto first = LoggingController::create("first");
    auto second = LoggingController::create("second");
    int completions = 0;
    present(root.get(), first.get(), false, &completions);
    RunLoop::runUntilIdle();
    present(root.get(), second.get(), false, &completions);
    RunLoop::runUntilIdle();
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(root->presentedViewController().get(), first.get());
    EXPECT_EQ(second->presentingViewController().get(), nullptr);
    EXPECT_FALSE(second->isViewLoaded());
    ASSERT_EQ(UIKitWarnings().size(), 1u);
    EXPECT_NE(UIKitWarnings()[0].find("which is already presenting"), std::string::npos);

    // The presented controller may present in its turn.
    present(first.get(), second.get(), false, &completions);
    RunLoop::runUntilIdle();
    EXPECT_EQ(completions, 2);
    EXPECT_EQ(second->presentingViewController().get(), first.get());
}

TEST_F(ControllerTest, PresentingFromAControllerOutsideAWindowWarns)
{
    auto loose = LoggingController::create("loose");
    auto modal = LoggingController::create("modal");
    int completions = 0;
    present(loose.get(), modal.get(), false, &completions);
    RunLoop::runUntilIdle();
    EXPECT_EQ(completions, 0);
    EXPECT_EQ(loose->presentedViewController().get(), nullptr);
    ASSERT_EQ(UIKitWarnings().size(), 1u);
    EXPECT_NE(UIKitWarnings()[0].find("not in the window hierarchy"), std::string::npos);
}

TEST_F(ControllerTest, DismissingTheBottomOfAStackDismissesEverythingAbove)
{
    auto first = LoggingController::create("first");
    auto second = LoggingController::create("second");
    present(root.get(), first.get(), false);
    RunLoop::runUntilIdle();
    present(first.get(), second.get(), false);
    RunLoop::runUntilIdle();
    int done = 0;
    root->dismissViewControllerAnimated(false, [&] { ++done; });
    RunLoop::runUntilIdle();
    EXPECT_EQ(done, 1);
    EXPECT_EQ(root->presentedViewController().get(), nullptr);
    EXPECT_EQ(first->presentedViewController().get(), nullptr);
    EXPECT_EQ(second->view()->window().get(), nullptr);
    EXPECT_EQ(first->view()->window().get(), nullptr);
    EXPECT_EQ(window->subviewList().size(), 1u);
    EXPECT_TRUE(root->isVisible());
}

TEST_F(ControllerTest, DismissingWithNothingPresentedDoesNothing)
{
    int done = 0;
    root->dismissViewControllerAnimated(false, [&] { ++done; });
    RunLoop::runUntilIdle();
    EXPECT_EQ(done, 0);
    EXPECT_TRUE(UIKitWarnings().empty());
}

TEST_F(ControllerTest, AChildPresentsFromItsOutermostParent)
{
    auto list = LoggingController::create("list");
    auto nav = UINavigationController::create(list.get());
    present(root.get(), nav.get(), true);
    RunLoop::runUntilIdle();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->presentingViewController().get(), root.get());
    EXPECT_EQ(list->navigationController().get(), nav.get());

    auto alert = LoggingController::create("alert");
    alert->setModalPresentationStyle(UIModalPresentationOverFullScreen);
    present(list.get(), alert.get(), false);
    RunLoop::runUntilIdle();
    EXPECT_EQ(nav->presentedViewController().get(), alert.get());
    EXPECT_EQ(list->presentedViewController().get(), alert.get());
    EXPECT_EQ(alert->presentingViewController().get(), nav.get());
    EXPECT_TRUE(list->isVisible()); // an over-full-screen presentation leaves it shown

    // Dismissing from the list's navigation controller goes back to the root.
    objc::send<void(bool, Completion)>(alert, "dismissViewControllerAnimated:completion:", false, Completion());
    RunLoop::runUntilIdle();
    g_log.clear();
    list->navigationController()->dismissViewControllerAnimated(true, [] { g_log.push_back("closed"); });
    RunLoop::runUntilIdle();
    EXPECT_EQ(g_log, (std::vector<std::string> { "root willAppear animated", "list willDisappear", "list didDisappear", "root didAppear", "closed" }));
}

TEST_F(ControllerTest, PushAndPopMoveTheTopAndRunAppearance)
{
    auto first = LoggingController::create("first");
    auto nav = UINavigationController::create(first.get());
    first->setTitle(ns("First").get());
    window->setRootViewController(nav.get());
    RunLoop::runUntilIdle();
    EXPECT_EQ(first->view()->frame(), CGRectMake(0, 64, 320, 416));
    EXPECT_EQ(nav->navigationBar()->frame(), CGRectMake(0, 20, 320, 44));
    g_log.clear();

    auto second = LoggingController::create("second");
    nav->pushViewController(second.get(), true);
    EXPECT_EQ(nav->topViewController().get(), second.get());
    EXPECT_EQ(second->navigationController().get(), nav.get());
    ASSERT_EQ(nav->navigationBar()->itemList().size(), 2u);
    EXPECT_EQ(str(nav->navigationBar()->backItem()->title().get()), "First");
    RunLoop::runUntilIdle();
    EXPECT_EQ(first->view()->superview().get(), nullptr);
    EXPECT_EQ(g_log, (std::vector<std::string> { "second loadView", "second viewDidLoad", "first willDisappear", "second willAppear animated",
                         "first didDisappear", "second didAppear" }));

    g_log.clear();
    auto popped = nav->popViewControllerAnimated(false);
    EXPECT_EQ(popped.get(), second.get());
    RunLoop::runUntilIdle();
    EXPECT_EQ(nav->childList().size(), 1u);
    EXPECT_EQ(second->parentViewController().get(), nullptr);
    EXPECT_EQ(g_log, (std::vector<std::string> { "second willDisappear", "first willAppear", "second didDisappear", "first didAppear" }));
    EXPECT_EQ(nav->popViewControllerAnimated(false).get(), nullptr); // the root stays
}

TEST_F(ControllerTest, PushingAControllerTwiceIsRefused)
{
    auto first = LoggingController::create("first");
    auto nav = UINavigationController::create(first.get());
    nav->pushViewController(first.get(), false);
    EXPECT_EQ(nav->childList().size(), 1u);
    EXPECT_EQ(UIKitWarnings().size(), 1u);
}
