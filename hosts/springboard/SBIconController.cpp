#include "hosts/springboard/SBIconController.h"
#include "hosts/springboard/HomeArtwork.h"
#include "platform/uikit/UIImageView.h"
#include "hosts/springboard/SBApplication.h"
#include "hosts/springboard/SBApplicationIcon.h"
#include "hosts/springboard/SBIconView.h"
#include "platform/uikit/UIScreen.h"

namespace hosts::springboard {

using namespace platform;

OBJC_CLASS_DEFINE(SBIconController)

namespace {
// The applications on the home screen, in order: Instagram and two of the
// system's own.
struct HomeApp {
    const char* bundleIdentifier;
    const char* name;
};
constexpr HomeApp kHomeApps[] = {
    { "com.apple.mobilesafari", "Safari" },
    { "com.burbn.instagram", "Instagram" },
    { "com.apple.MobileSMS", "Messages" },
};
constexpr double kIconSize = 60, kLeft = 27, kTop = 47, kSpacingX = 87, kLabelHeight = 14;
}

void SBIconController::registerMethods(objc::ClassBuilder<SBIconController>& b)
{
    b.method<&SBIconController::loadView>("loadView").classMethod<&SBIconController::sharedInstance>("sharedInstance");
}

SBIconController* SBIconController::sharedInstance()
{
    static SBIconController* controller = objc::make<SBIconController>().leak();
    return controller;
}

void SBIconController::loadView()
{
    CGRect screen = UIScreen::mainScreen()->bounds();
    auto home = UIView::create(screen);
    auto wallpaper = UIImageView::create(wallpaperImage(screen.size).get());
    wallpaper->setFrame(screen);
    home->addSubview(wallpaper.get());
    home->addSubview(statusBar(screen.size.width, false).get());
    double x = kLeft;
    for (const HomeApp& app : kHomeApps) {
        auto application = objc::make<SBApplication>(app.bundleIdentifier);
        auto icon = SBApplicationIcon::create(application.get(), app.name);
        auto iconView = SBIconView::create(icon.get(), CGRectMake(x, kTop, kIconSize, kIconSize + kLabelHeight));
        home->addSubview(iconView.get());
        m_iconViews.push_back(iconView);
        x += kSpacingX;
    }
    setView(home.get());
}

RefPtr<SBIconView> SBIconController::iconViewForBundleIdentifier(const std::string& bundleIdentifier)
{
    for (auto& iconView : iconViews()) {
        auto* icon = static_cast<SBApplicationIcon*>(iconView->icon().get());
        if (str(icon->applicationBundleID()) == bundleIdentifier)
            return iconView;
    }
    return nullptr;
}

} // namespace hosts::springboard
