// Inside Instagram: a long press on the profile tab sends Instagram to the
// background and asks SpringBoard, through the Darwin notification
// "com.zr4.igtarvo.switchaccounts", to show the account list; once per press.

#include "tests/switcher/SwitcherTestSupport.h"

#include "hosts/instagram/IGTabBarController.h"
#include "hosts/instagram/InstagramClasses.h"
#include "platform/notify/DarwinNotify.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIScreen.h"

using namespace switchertest;
using namespace platform;

namespace olderinstagram {

// The tab bar controller of an Instagram that keeps its profile button in a
// field of another name.
class IGTabBarController : public UIViewController {
    OBJC_CLASS(IGTabBarController, UIViewController)
public:
    static void registerMethods(objc::ClassBuilder<IGTabBarController>& b)
    {
        b.method<&IGTabBarController::initializeViewControllers>("initializeViewControllersWithMainFeedSource:");
        b.ivar<&IGTabBarController::m_profileTab>("_profileTab");
    }
    void initializeViewControllers(objc::id)
    {
        ++initializations;
        auto button = UIButton::buttonWithType(0);
        button->setFrame(CGRectMake(300, 618, 75, 49));
        view()->addSubview(button.get());
        m_profileTab = button;
    }
    RefPtr<UIButton> profileTab() const { return m_profileTab; }
    int initializations = 0;

private:
    RefPtr<UIButton> m_profileTab;
};
OBJC_CLASS_DEFINE(IGTabBarController)

}

namespace {

constexpr auto kLongEnough = std::chrono::milliseconds(700);

// Instagram's tab bar as its program sets it up, in a key window.
struct InstagramScreen {
    Ref<UIWindow> window = UIWindow::create();
    RefPtr<objc::Object> tabs;

    InstagramScreen()
    {
        tabs = objc::send<RefPtr<objc::Object>>(objc::objc_getClass("IGTabBarController"), "new");
        auto source = ns("main feed");
        objc::send<void(objc::id)>(tabs, "initializeViewControllersWithMainFeedSource:", source.get());
        window->setRootViewController(static_cast<UIViewController*>(tabs.get()));
        window->makeKeyAndVisible();
        RunLoop::runUntilIdle();
    }
    CGPoint centreOf(UIView* view) const { return view->superview()->convertPointToView(view->center(), window.get()); }
    RefPtr<UIButton> profileButton() const { return static_cast<hosts::instagram::IGTabBarController*>(tabs.get())->profileButton(); }
    void pressAndHold(CGPoint point, std::chrono::milliseconds duration = kLongEnough) const
    {
        UserInput::pressAndHold(window.get(), point, duration);
        RunLoop::runUntilIdle();
    }
};

// Counts the switch-accounts requests this process receives (the poster
// receives its own Darwin notifications).
struct RequestCounter {
    int count = 0;
    int token = 0;
    RequestCounter()
    {
        notify_register_dispatch("com.zr4.igtarvo.switchaccounts", &token, dispatch_get_main_queue(), [this](int) { ++count; });
    }
    ~RequestCounter() { notify_cancel(token); }
    // The count once every notification posted so far has been handled.
    int settled()
    {
        bool probed = false;
        int probe = 0;
        notify_register_dispatch("com.example.switchertests.probe", &probe, dispatch_get_main_queue(), [&](int) { probed = true; });
        notify_post("com.example.switchertests.probe");
        EXPECT_TRUE(RunLoop::runUntil([&] { return probed; }, 10s));
        notify_cancel(probe);
        return count;
    }
};

size_t recognizerCount(UIView* view)
{
    auto recognizers = view->gestureRecognizers();
    return recognizers ? recognizers->count() : 0;
}

void startInstagram(bool loadSystem = true)
{
    hosts::instagram::registerInstagramClasses();
    if (loadSystem)
        igtarvo::startUpForProcess("Instagram");
}

class ProfileLongPress : public ::testing::Test {
protected:
    testsupport::TemporaryDevice m_device;
};

}

TEST_F(ProfileLongPress, SendsInstagramToTheBackgroundAndAsksForTheSwitcherOnce)
{
    inChild([] {
        startInstagram();
        RequestCounter requests;
        InstagramScreen screen;
        ASSERT_TRUE(screen.profileButton());
        EXPECT_EQ(recognizerCount(screen.profileButton().get()), 1u);
        EXPECT_FALSE(UIApplication::sharedApplication()->isSuspended());

        screen.pressAndHold(screen.centreOf(screen.profileButton().get()));

        EXPECT_TRUE(UIApplication::sharedApplication()->isSuspended());
        EXPECT_EQ(requests.settled(), 1);
    });
}

TEST_F(ProfileLongPress, EachPressAsksOnce)
{
    inChild([] {
        startInstagram();
        RequestCounter requests;
        InstagramScreen screen;
        screen.pressAndHold(screen.centreOf(screen.profileButton().get()), std::chrono::milliseconds(1500));
        EXPECT_EQ(requests.settled(), 1) << "holding longer still asks once";

        UIApplication::sharedApplication()->resume();
        screen.pressAndHold(screen.centreOf(screen.profileButton().get()));
        EXPECT_TRUE(UIApplication::sharedApplication()->isSuspended());
        EXPECT_EQ(requests.settled(), 2);
    });
}

TEST_F(ProfileLongPress, AShortTapOrAPressOnAnotherTabDoesNothing)
{
    inChild([] {
        startInstagram();
        RequestCounter requests;
        InstagramScreen screen;
        UserInput::tap(screen.window.get(), screen.centreOf(screen.profileButton().get()));
        RunLoop::runUntilIdle();
        CGPoint feedTab = screen.centreOf(screen.profileButton().get());
        feedTab.x = 20;
        screen.pressAndHold(feedTab);

        EXPECT_FALSE(UIApplication::sharedApplication()->isSuspended());
        EXPECT_EQ(requests.settled(), 0);
    });
}

TEST_F(ProfileLongPress, WithoutTheSystemAPressDoesNothing)
{
    inChild([] {
        startInstagram(false);
        RequestCounter requests;
        InstagramScreen screen;
        screen.pressAndHold(screen.centreOf(screen.profileButton().get()));
        EXPECT_FALSE(UIApplication::sharedApplication()->isSuspended());
        EXPECT_EQ(requests.settled(), 0);
    });
}

TEST_F(ProfileLongPress, AnInstagramWithoutTheProfileButtonFieldKeepsRunningWithoutThePress)
{
    inChild([] {
        // This Instagram's own tab bar controller, in place of the usual one.
        olderinstagram::IGTabBarController::staticClass();
        igtarvo::startUpForProcess("Instagram");
        RequestCounter requests;
        InstagramScreen screen;
        auto* tabs = static_cast<olderinstagram::IGTabBarController*>(screen.tabs.get());
        EXPECT_EQ(tabs->initializations, 1) << "Instagram's own set-up ran";
        ASSERT_TRUE(tabs->profileTab());
        EXPECT_EQ(recognizerCount(tabs->profileTab().get()), 0u);

        screen.pressAndHold(screen.centreOf(tabs->profileTab().get()));
        EXPECT_FALSE(UIApplication::sharedApplication()->isSuspended());
        EXPECT_EQ(requests.settled(), 0);
    });
}
