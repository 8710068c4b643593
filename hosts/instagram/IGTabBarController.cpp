#include "hosts/instagram/IGTabBarController.h"
#include "hosts/instagram/IGMainFeedViewController.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"
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
    CGRect screen = UIScreen::mainScreen()->bounds();
    auto root = UIView::create(screen);
    root->setBackgroundColor(UIColor::colorWithWhite(0.98, 1).get());
    // The header: the app's name on a light bar with a hairline below.
    auto header = UIView::create(CGRectMake(0, 0, screen.size.width, 64));
    header->setBackgroundColor(UIColor::colorWithWhite(0.97, 1).get());
    auto line = UIView::create(CGRectMake(0, 63.5, screen.size.width, 0.5));
    line->setBackgroundColor(UIColor::colorWithWhite(0.8, 1).get());
    header->addSubview(line.get());
    auto title = UILabel::create(CGRectMake(0, 20, screen.size.width, 44));
    title->setText(ns("Instagram").get());
    title->setFont(UIFont::fontWithName(ns("HelveticaNeue-Medium").get(), 22).get());
    title->setTextAlignment(NSTextAlignmentCenter);
    header->addSubview(title.get());
    root->addSubview(header.get());
    setView(root.get());
}

void IGTabBarController::initializeViewControllersWithMainFeedSource(id source)
{
    m_source = source;
    // Five tabs along the bottom; the profile tab is the last.
    CGRect screen = UIScreen::mainScreen()->bounds();
    double width = screen.size.width / 5, height = 49, top = screen.size.height - height;
    auto bar = UIView::create(CGRectMake(0, top, screen.size.width, height));
    bar->setBackgroundColor(UIColor::colorWithWhite(0.96, 1).get());
    auto line = UIView::create(CGRectMake(0, 0, screen.size.width, 0.5));
    line->setBackgroundColor(UIColor::colorWithWhite(0.8, 1).get());
    bar->addSubview(line.get());
    view()->addSubview(bar.get());
    // The feed tab, between the top of the screen and the bar.
    auto feed = IGMainFeedViewController::create();
    feed->setTitle(ns("Instagram").get());
    m_feedNavigation = UINavigationController::create(feed.get());
    addChildViewController(m_feedNavigation.get());
    m_feedNavigation->view()->setFrame(CGRectMake(0, 0, screen.size.width, top));
    view()->insertSubview(m_feedNavigation->view().get(), 1);
    m_feedNavigation->didMoveToParentViewController(this);
    static const char* const kTabs[] = { "feed", "explore", "camera", "news", "profile" };
    for (int i = 0; i < 5; ++i) {
        auto button = UIButton::buttonWithType(0);
        button->setFrame(CGRectMake(i * width, top, width, height));
        button->setTitle(ns(kTabs[i]).get(), 0);
        button->setTitleColor(UIColor::colorWithWhite(i == 0 ? 0.1 : 0.5, 1).get(), 0);
        view()->addSubview(button.get());
        if (i == 4)
            m_profileButton = button;
    }
}

RefPtr<UIViewController> IGTabBarController::mainFeedViewController() const
{
    return m_feedNavigation ? m_feedNavigation->topViewController() : nullptr;
}

} // namespace hosts::instagram
