#pragma once
// SpringBoard's user-interface controller: the window that system screens are
// presented from. From iOS 9 it is the home screen's window, whose root
// controller is the home screen; before iOS 9 it is a window of its own above
// the home screen, with no root controller until someone sets one.

#include "platform/uikit/UIWindow.h"

namespace hosts::springboard {

class SBUIController : public objc::Object {
    OBJC_CLASS(SBUIController, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<SBUIController>&);
    static SBUIController* sharedInstance();

    objc::RefPtr<platform::UIWindow> window() const { return m_window; }
    // The home screen's window (the key window).
    objc::RefPtr<platform::UIWindow> homeScreenWindow() const { return m_homeWindow; }
    // Lays out the windows for this platform version; once, at SpringBoard's start.
    void setUpWindows();

private:
    objc::RefPtr<platform::UIWindow> m_window;
    objc::RefPtr<platform::UIWindow> m_homeWindow;
};

} // namespace hosts::springboard
