#include "hosts/instagram/IGTabBarController.h"
#include "platform/uikit/UIScreen.h"

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGTabBarController)

void IGTabBarController::registerMethods(objc::ClassBuilder<IGTabBarController>& b)
{
    b.method<&IGTabBarController::loadView>("loadView")
        .method<&IGTabBarController::initializeViewControllersWithMainFeedSource>("initializeViewControllersWithMainFeedSource:");
    b.ivar<&IGTabBarController::m_profileButton>("_profileButton");
}

void IGTabBarController::loadView()
{
    setView(UIView::create(UIScreen::mainScreen()->bounds()));
}

void IGTabBarController::initializeViewControllersWithMainFeedSource(id source)
{
    m_source = source;
    // Five tabs along the bottom; the profile tab is the last.
    CGRect screen = UIScreen::mainScreen()->bounds();
    double width = screen.size.width / 5, height = 49, top = screen.size.height - height;
    static const char* const kTabs[] = { "feed", "explore", "camera", "news", "profile" };
    for (int i = 0; i < 5; ++i) {
        auto button = UIButton::buttonWithType(0);
        button->setFrame(CGRectMake(i * width, top, width, height));
        button->setTitle(ns(kTabs[i]), 0);
        view()->addSubview(button);
        if (i == 4)
            m_profileButton = button;
    }
}

} // namespace hosts::instagram
