#include "switcher/IGKFlickup.h"
#include "accounts/TarvoManager.h"
#include "core/SpringBoardSurface.h"
#include "platform/notify/NSNotificationCenter.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UISwipeGestureRecognizer.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIWindow.h"
#include "switcher/TarvoListener.h"

namespace igtarvo {

using namespace platform;

OBJC_CLASS_LOAD(IGKFlickup)

void IGKFlickup::registerMethods(objc::ClassBuilder<IGKFlickup>& b)
{
    b.classMethod<&IGKFlickup::sharedInstance>("sharedInstance")
        .method<&IGKFlickup::setupGestures>("setupGestures")
        .method<&IGKFlickup::handleSwipe>("handleSwipe:")
        .method<&IGKFlickup::shouldReceiveTouch>("gestureRecognizer:shouldReceiveTouch:");
}

RefPtr<IGKFlickup> IGKFlickup::sharedInstance()
{
    static IGKFlickup* shared = objc::make<IGKFlickup>().leak();
    return RefPtr<IGKFlickup>(shared);
}

void IGKFlickup::load()
{
    NSNotificationCenter::defaultCenter()->addObserverForName(ns(UIApplicationDidFinishLaunchingNotification).get(), nullptr, mainQueue(),
        [](NSNotification*) { objc::send<void>(sharedInstance(), "setupGestures"); });
}

void IGKFlickup::setupGestures()
{
    auto swipe = objc::make<UISwipeGestureRecognizer>();
    swipe->initWithTarget(this, objc::sel_registerName("handleSwipe:"));
    swipe->setDirection(UISwipeGestureRecognizerDirectionUp);
    swipe->setDelegate(this);
    m_swipe = swipe;
    springboard::addSystemGestureRecognizer(swipe.get());
}

void IGKFlickup::handleSwipe(id)
{
    if (m_touchedView)
        objc::send<void(id)>(TarvoListener::sharedInstance(), "presentAccountSwitcherForIconView:", m_touchedView.get());
}

bool IGKFlickup::shouldReceiveTouch(UIGestureRecognizer* recognizer, id touch)
{
    if (!objc::object_isKindOfClass(recognizer, UISwipeGestureRecognizer::staticClass()))
        return false;
    auto keyWindow = UIApplication::sharedApplication()->keyWindow();
    auto root = keyWindow ? keyWindow->rootViewController() : nullptr;
    if (!root || !objc::object_isKindOfClass(touch, UITouch::staticClass()))
        return false;
    auto rootView = root->view();
    CGPoint point = static_cast<UITouch*>(touch)->locationInView(recognizer->view().get());
    // The touch is in the recogniser's view; the icons are in the root view.
    if (auto view = recognizer->view())
        point = view->convertPointToView(point, rootView.get());
    auto hit = rootView->hitTest(point, nullptr);
    if (!springboard::isIconView(hit.get()))
        return false;
    m_touchedView = hit;
    std::string identifier = springboard::iconViewApplicationBundleIdentifier(hit.get());
    return !identifier.empty() && identifier == kInstagramBundleIdentifier;
}

} // namespace igtarvo
