#pragma once
// Instagram's tab bar controller: built with the main feed source, it makes
// its tabs' controllers and the tab bar's buttons, the profile tab's button
// among them (private field "_profileButton"). The first tab is the main
// feed (an IGMainFeedViewController in a navigation controller), above the bar.

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UINavigationController.h"

namespace hosts::instagram {

using objc::id;
using objc::RefPtr;

class IGTabBarController : public platform::UIViewController {
    OBJC_CLASS(IGTabBarController, platform::UIViewController)
public:
    static void registerMethods(objc::ClassBuilder<IGTabBarController>&);

    void loadView();
    // Makes the tabs for the feed source, and the tab bar with its buttons.
    void initializeViewControllersWithMainFeedSource(id source);
    RefPtr<platform::UIButton> profileButton() const { return m_profileButton; }
    // The feed tab's navigation controller and its feed screen (nil before the tabs are made).
    RefPtr<platform::UINavigationController> feedNavigationController() const { return m_feedNavigation; }
    RefPtr<platform::UIViewController> mainFeedViewController() const;

private:
    RefPtr<platform::UINavigationController> m_feedNavigation;
    RefPtr<platform::UIButton> m_profileButton;
    RefPtr<objc::Object> m_source;
};

} // namespace hosts::instagram
