#include "apps/igTarvoApp/IGKAppDelegate.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIView.h"
#include "platform/uikit/UIWindow.h"

using namespace platform;
using objc::RefPtr;

OBJC_CLASS_DEFINE(IGKAppDelegate)

namespace {

constexpr const char* kSettingsBundlePath = "/Library/PreferenceBundles/igTarvoSettings.bundle";

// The page shown instead of the panel.
Ref<UIViewController> noticePage(const std::string& why, CGRect frame)
{
    auto page = UIViewController::create();
    page->setTitle(ns("igTarvo").get());
    auto view = UIView::create(frame);
    view->setBackgroundColor(UIColor::whiteColor().get());
    auto title = UILabel::create(CGRectMake(20, frame.size.height / 2 - 60, frame.size.width - 40, 30));
    title->setText(ns("igTarvo's settings are not installed").get());
    title->setTextAlignment(NSTextAlignmentCenter);
    title->setFont(UIFont::boldSystemFontOfSize(17).get());
    auto detail = UILabel::create(CGRectMake(20, frame.size.height / 2 - 20, frame.size.width - 40, 80));
    detail->setText(ns(why + "\nReinstall igTarvo to get them back.").get());
    detail->setNumberOfLines(0);
    detail->setTextAlignment(NSTextAlignmentCenter);
    detail->setTextColor(UIColor::grayColor().get());
    detail->setFont(UIFont::systemFontOfSize(14).get());
    view->addSubview(title.get());
    view->addSubview(detail.get());
    page->setView(view.get());
    return page;
}

}

RefPtr<UIWindow> IGKAppDelegate::window() const
{
    return RefPtr<UIWindow>(static_cast<UIWindow*>(m_window.get()));
}

void IGKAppDelegate::setWindow(UIWindow* window)
{
    m_window = window;
}

RefPtr<UINavigationController> IGKAppDelegate::rootViewController() const
{
    return RefPtr<UINavigationController>(static_cast<UINavigationController*>(m_rootViewController.get()));
}

RefPtr<NSBundle> IGKAppDelegate::settingsBundle()
{
    if (!m_bundleOpened) {
        m_bundleOpened = true;
        m_settingsBundle = NSBundle::bundleWithPath(Device::path(kSettingsBundlePath));
    }
    return RefPtr<NSBundle>(static_cast<NSBundle*>(m_settingsBundle.get()));
}

RefPtr<UIViewController> IGKAppDelegate::settingsListController() const
{
    return RefPtr<UIViewController>(static_cast<UIViewController*>(m_settingsListController.get()));
}

void IGKAppDelegate::applicationDidFinishLaunching(id)
{
    auto window = UIWindow::create(UIScreen::mainScreen()->bounds());
    m_window = window;
    CGSize size = window->frame().size;

    RefPtr<UIViewController> panel;
    auto bundle = settingsBundle();
    if (!bundle) {
        m_notice = "There is no settings bundle at " + std::string(kSettingsBundlePath) + ".";
    } else if (!objc::send<bool>(bundle, "load")) {
        m_notice = "The settings bundle does not load: " + bundle->loadError() + ".";
    } else if (objc::Class principal = bundle->principalClass(); !principal) {
        m_notice = "The settings bundle names no page to show.";
    } else {
        auto made = objc::send<RefPtr<Object>(CGSize)>(objc::class_createInstance(principal), "initForContentSize:", size);
        if (objc::object_isKindOfClass(made, UIViewController::staticClass()))
            panel = RefPtr<UIViewController>(static_cast<UIViewController*>(made.get()));
        else
            m_notice = "The settings bundle's page is not a page.";
    }
    m_settingsListController = panel;
    auto root = UINavigationController::create(panel ? panel.get() : noticePage(m_notice, window->bounds()).get());
    m_rootViewController = root;
    window->setRootViewController(root.get());
    window->makeKeyAndVisible();
}

void IGKAppDelegate::registerMethods(objc::ClassBuilder<IGKAppDelegate>& b)
{
    b.method<&IGKAppDelegate::window>("window")
        .method<&IGKAppDelegate::setWindow>("setWindow:")
        .method<&IGKAppDelegate::rootViewController>("rootViewController")
        .method<&IGKAppDelegate::settingsBundle>("settingsBundle")
        .method<&IGKAppDelegate::settingsListController>("settingsListController")
        .method<&IGKAppDelegate::applicationDidFinishLaunching>("applicationDidFinishLaunching:");
}
