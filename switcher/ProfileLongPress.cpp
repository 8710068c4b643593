#include "switcher/ProfileLongPress.h"
#include "core/InstagramSurface.h"
#include "core/Notifications.h"
#include "platform/uikit/UILongPressGestureRecognizer.h"
#include "platform/uikit/UIView.h"

namespace igtarvo {

using namespace platform;

namespace {

Previous<void(id)> g_IGTabBarController_initializeViewControllers;

void IGTabBarController_initializeViewControllers(id self, SEL _cmd, id source)
{
    g_IGTabBarController_initializeViewControllers(self, _cmd, source);
    // An Instagram without this field keeps running, without the long press.
    auto button = instagram::profileButton(self);
    if (!objc::object_isKindOfClass(button, UIView::staticClass()))
        return;
    auto press = objc::make<UILongPressGestureRecognizer>();
    press->initWithTarget(self, objc::sel_registerName("tarvo_handleLongPress:"));
    static_cast<UIView*>(button.get())->addGestureRecognizer(press.get());
}

void IGTabBarController_tarvo_handleLongPress(id, SEL, id recognizer)
{
    if (!objc::object_isKindOfClass(recognizer, UIGestureRecognizer::staticClass()))
        return;
    if (static_cast<UIGestureRecognizer*>(recognizer)->state() != UIGestureRecognizerStateBegan)
        return;
    instagram::suspendToBackground();
    postDarwinNotification(kSwitchAccountsNotification);
}

} // namespace

HookRows profileTabLongPressRows()
{
    return {
        replaced<g_IGTabBarController_initializeViewControllers, &IGTabBarController_initializeViewControllers>(
            kInstagramProcess, "IGTabBarController", "initializeViewControllersWithMainFeedSource:"),
        added<&IGTabBarController_tarvo_handleLongPress>(kInstagramProcess, "IGTabBarController", "tarvo_handleLongPress:", "v@:@"),
    };
}

} // namespace igtarvo
