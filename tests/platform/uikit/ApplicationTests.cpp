#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSURL.h"
#include "platform/graphics/CGImage.h"
#include "platform/notify/NSNotificationCenter.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIWindow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace platform;

namespace {

std::vector<std::string> g_events;

class LaunchDelegate : public UIResponder {
    OBJC_CLASS(LaunchDelegate, UIResponder)
public:
    static void registerMethods(objc::ClassBuilder<LaunchDelegate>& b)
    {
        b.method<&LaunchDelegate::didFinish>("application:didFinishLaunchingWithOptions:");
    }
    bool didFinish(id, NSDictionary*)
    {
        g_events.push_back("delegate");
        return true;
    }
};
OBJC_CLASS_DEFINE(LaunchDelegate)

// A controller whose viewWillAppear: a hook replaces after the class is made.
class HookedController : public UIViewController {
    OBJC_CLASS(HookedController, UIViewController)
public:
    static void registerMethods(objc::ClassBuilder<HookedController>& b)
    {
        b.method<&HookedController::viewWillAppear>("viewWillAppear:");
    }
    void viewWillAppear(bool) { g_events.push_back("original"); }
};
OBJC_CLASS_DEFINE(HookedController)

void (*g_previousWillAppear)(id, objc::SEL, bool) = nullptr;
void hookedWillAppear(id self, objc::SEL sel, bool animated)
{
    g_events.push_back("hook");
    g_previousWillAppear(self, sel, animated);
}

// A PNG file's signature and header chunk, enough to give its size.
// A real, transparent PNG picture of that many pixels.
void writePNG(const std::string& path, uint32_t width, uint32_t height)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    auto bytes = CGImage::create(width, height)->encodePNG();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}

TEST(UIApplication, FinishingLaunchTellsTheDelegateThenPostsTheNotification)
{
    g_events.clear();
    auto app = UIApplication::sharedApplication();
    auto delegate = objc::make<LaunchDelegate>();
    objc::send<void(id)>(app, "setDelegate:", delegate.get());
    auto token = NSNotificationCenter::defaultCenter()->addObserverForName(ns(UIApplicationDidFinishLaunchingNotification).get(), nullptr, nullptr,
        [](NSNotification*) { g_events.push_back("notification"); });
    app->finishLaunching();
    EXPECT_EQ(g_events, (std::vector<std::string> { "delegate", "notification" }));
    EXPECT_EQ(objc::send<RefPtr<UIResponder>>(app, "nextResponder").get(), delegate.get());
    NSNotificationCenter::defaultCenter()->removeObserver(token.get());
    app->setDelegate(nullptr);
}

TEST(UIApplication, OpeningAnAddressRecordsItAndHandsItToTheHost)
{
    auto app = UIApplication::sharedApplication();
    size_t before = app->openedURLs().size();
    std::vector<std::string> handed;
    app->setOpenURLHandler([&](NSURL* url) {
        handed.push_back(url->text());
        return url->text().rfind("http", 0) == 0;
    });
    auto web = NSURL::create("http://www.example.com");
    auto mail = NSURL::create("mailto://a@example.com");
    EXPECT_TRUE(objc::send<bool(NSURL*)>(app, "openURL:", web.get()));
    EXPECT_FALSE(app->openURL(mail.get()));
    EXPECT_FALSE(app->openURL(nullptr));
    EXPECT_EQ(handed, (std::vector<std::string> { "http://www.example.com", "mailto://a@example.com" }));
    ASSERT_EQ(app->openedURLs().size(), before + 2);
    EXPECT_EQ(app->openedURLs().back()->text(), "mailto://a@example.com");
    app->setOpenURLHandler({});
}

TEST(UIApplication, KnowsItsWindowsAndTheKeyOne)
{
    auto app = UIApplication::sharedApplication();
    auto first = UIWindow::create();
    RefPtr<UIWindow> second = UIWindow::create();
    EXPECT_EQ(first->frame(), CGRectMake(0, 0, 375, 667));
    first->makeKeyAndVisible();
    second->makeKeyAndVisible();
    EXPECT_EQ(app->keyWindow().get(), second.get());
    EXPECT_FALSE(first->isKeyWindow());
    auto windows = app->windowList();
    auto position = [&](UIWindow* w) { return std::find_if(windows.begin(), windows.end(), [w](auto& x) { return x.get() == w; }) - windows.begin(); };
    EXPECT_LT(position(first.get()), position(second.get()));
    windows.clear();
    second->setHidden(true);
    EXPECT_EQ(app->keyWindow().get(), nullptr);
    first->setHidden(true);
    UIWindow* gone = second.get();
    second = nullptr;
    for (auto& w : app->windowList())
        EXPECT_NE(w.get(), gone);
}

TEST(UIViewController, AHookOnAnAppearanceMethodRunsWhenTheKitSendsIt)
{
    g_events.clear();
    auto method = objc::class_getInstanceMethod(HookedController::staticClass(), objc::sel_registerName("viewWillAppear:"));
    g_previousWillAppear = reinterpret_cast<void (*)(id, objc::SEL, bool)>(objc::method_setImplementation(method, reinterpret_cast<objc::IMP>(&hookedWillAppear)));
    auto controller = objc::make<HookedController>();
    auto window = UIWindow::create();
    window->setRootViewController(controller.get());
    window->makeKeyAndVisible();
    RunLoop::runUntilIdle();
    EXPECT_EQ(g_events, (std::vector<std::string> { "hook", "original" }));
    objc::method_setImplementation(method, reinterpret_cast<objc::IMP>(g_previousWillAppear));
    window->setHidden(true);
}

TEST(UINavigationController, AsksForNavigationItemsThroughTheRuntime)
{
    // A navigation item hook sees every controller the bar shows.
    auto cls = objc::objc_defineClass(UIViewController::staticClass(), "UIKitTestsTitledController", nullptr);
    auto titled = [](id, objc::SEL) -> RefPtr<Object> { return UINavigationItem::create("From the hook"); };
    RefPtr<Object> (*fn)(id, objc::SEL) = titled;
    objc::class_addMethod(cls, objc::sel_registerName("navigationItem"), reinterpret_cast<objc::IMP>(fn), objc::impEncoding(fn));
    auto controller = objc::makeWithClass<UIViewController>(cls);
    auto nav = UINavigationController::create(controller.get());
    ASSERT_TRUE(nav->navigationBar()->topItem());
    EXPECT_EQ(str(nav->navigationBar()->topItem()->title().get()), "From the hook");
}

TEST(UIImage, NamedImagesPreferTheScreensScaleAndMeasureInPoints)
{
    char pattern[] = "/tmp/igtarvo-uikit-XXXXXX";
    std::string root = ::mkdtemp(pattern);
    std::string previous = Device::root();
    Device::setRoot(root);
    writePNG(root + "/Bundle.app/icon.png", 20, 10);
    writePNG(root + "/Bundle.app/icon@2x.png", 40, 20);
    writePNG(root + "/Bundle.app/plain.png", 30, 30);
    std::ofstream(root + "/Bundle.app/broken.png") << "not a picture";

    auto icon = UIImage::imageNamedInFolder("icon", "/Bundle.app");
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->path(), "/Bundle.app/icon@2x.png");
    EXPECT_EQ(icon->scale(), 2);
    EXPECT_EQ(icon->size(), CGSizeMake(20, 10));
    EXPECT_EQ(icon->name(), "icon");
    auto plain = UIImage::imageNamedInFolder("plain.png", "/Bundle.app");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->scale(), 1);
    EXPECT_EQ(plain->size(), CGSizeMake(30, 30));
    EXPECT_EQ(UIImage::imageNamedInFolder("broken", "/Bundle.app").get(), nullptr);
    EXPECT_EQ(UIImage::imageNamedInFolder("missing", "/Bundle.app").get(), nullptr);

    UIImage::setMainBundlePath("/Bundle.app");
    auto viaRuntime = objc::send<RefPtr<UIImage>(NSString*)>(UIImage::staticClass(), "imageNamed:", ns("icon").get());
    ASSERT_TRUE(viaRuntime);
    EXPECT_EQ(viaRuntime->size(), CGSizeMake(20, 10));
    UIImage::setMainBundlePath("");
    Device::setRoot(previous);
    std::filesystem::remove_all(root);
}
