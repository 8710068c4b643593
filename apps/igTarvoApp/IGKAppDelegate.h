#pragma once
// igTarvoApp's application delegate: at launch it loads the installed
// settings bundle by its path, makes the bundle's principal class (the
// panel's root page) for the window's size and shows it in a navigation
// controller. When the bundle is missing, does not load or has no principal
// class, the window shows a notice that the settings are not installed.
// Main thread.

#include "platform/uikit/UIResponder.h"

namespace platform {
class NSBundle;
class UINavigationController;
class UIViewController;
class UIWindow;
}

class IGKAppDelegate : public platform::UIResponder {
    OBJC_CLASS(IGKAppDelegate, platform::UIResponder)
public:
    static void registerMethods(objc::ClassBuilder<IGKAppDelegate>&);

    objc::RefPtr<platform::UIWindow> window() const;
    void setWindow(platform::UIWindow* window);
    objc::RefPtr<platform::UINavigationController> rootViewController() const;
    // The bundle at "/Library/PreferenceBundles/igTarvoSettings.bundle",
    // opened on first read and kept (nil when it is not there).
    objc::RefPtr<platform::NSBundle> settingsBundle();
    objc::RefPtr<platform::UIViewController> settingsListController() const;
    void applicationDidFinishLaunching(objc::id application);
    // Why the panel is not shown ("" when it is).
    const std::string& notice() const { return m_notice; }

private:
    objc::RefPtr<objc::Object> m_window;
    objc::RefPtr<objc::Object> m_rootViewController;
    objc::RefPtr<objc::Object> m_settingsBundle;
    objc::RefPtr<objc::Object> m_settingsListController;
    bool m_bundleOpened { false };
    std::string m_notice;
};
