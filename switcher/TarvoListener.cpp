#include "switcher/TarvoListener.h"
#include "accounts/TarvoManager.h"
#include "core/SpringBoardSurface.h"
#include "platform/foundation/Device.h"
#include "platform/notify/NSNotificationCenter.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIWindow.h"

#include <mutex>

namespace igtarvo {

using namespace platform;

OBJC_CLASS_LOAD(TarvoListener)

namespace {

bool beforeIOS9() { return NSFoundationVersionNumber() < NSFoundationVersionNumber_iOS_9_0; }

RefPtr<UIWindow> systemWindow()
{
    auto window = springboard::systemWindow();
    return objc::dynamicCast<UIWindow>(window);
}

}

void TarvoListener::registerMethods(objc::ClassBuilder<TarvoListener>& b)
{
    b.classMethod<&TarvoListener::sharedInstance>("sharedInstance")
        .method<&TarvoListener::presentAccountSwitcherForIconView>("presentAccountSwitcherForIconView:")
        .method<&TarvoListener::receiveEvent>("activator:receiveEvent:")
        .method<&TarvoListener::receiveDeactivateEvent>("activator:receiveDeactivateEvent:")
        .method<&TarvoListener::localizedGroup>("activator:requiresLocalizedGroupForListenerName:")
        .method<&TarvoListener::localizedTitle>("activator:requiresLocalizedTitleForListenerName:")
        .method<&TarvoListener::localizedDescription>("activator:requiresLocalizedDescriptionForListenerName:");
}

RefPtr<TarvoListener> TarvoListener::sharedInstance()
{
    static TarvoListener* listener = [] {
        auto created = objc::make<TarvoListener>();
        created->setUp();
        return created.leak();
    }();
    return RefPtr<TarvoListener>(listener);
}

void TarvoListener::setUp()
{
    // When SpringBoard has finished launching, the event assignment is
    // renewed for a listener the gesture library already knows.
    m_launchObserver = NSNotificationCenter::defaultCenter()->addObserverForName(
        ns(UIApplicationDidFinishLaunchingNotification).get(), nullptr, mainQueue(), [](NSNotification*) {
            auto activator = springboard::activator();
            if (springboard::activatorHasListener(activator.get(), kListenerName))
                springboard::activatorAssignEvent(activator.get(), kIconFlickUpEvent, kListenerName);
        });
    m_tableViewController = TarvoTableViewController::create([](bool reopen) {
        TarvoListener::sharedInstance()->accountListDidClose(reopen);
    });
}

void TarvoListener::putInPlaceWithActivator()
{
    auto listener = sharedInstance();
    auto activator = springboard::activator();
    if (!activator)
        return;
    if (!springboard::activatorHasListener(activator.get(), kListenerName))
        springboard::activatorRegisterListener(activator.get(), listener.get(), kListenerName);
    springboard::activatorAssignEvent(activator.get(), kIconFlickUpEvent, kListenerName);
}

bool TarvoListener::isPresentingList() const
{
    auto navigation = m_tableViewController->navigationController();
    return navigation && navigation->presentingViewController();
}

void TarvoListener::presentAccountSwitcherForIconView(id iconView)
{
    // A trigger while the list is up (a second gesture, a notification posted
    // twice, the shortcut item) is ignored and changes nothing: presenting the
    // same controller in a second navigation controller would tear it out of
    // the first, and forgetting the icon view the list was opened from would
    // leave that icon's label stale when the list closes.
    if (isPresentingList())
        return;
    m_iconView = iconView;
    auto navigation = UINavigationController::create(m_tableViewController.get());
    auto window = systemWindow();
    if (!window)
        return;
    if (beforeIOS9())
        window->setRootViewController(UIViewController::create().get());
    if (auto root = window->rootViewController())
        root->presentViewController(navigation.get(), true, {});
}

void TarvoListener::accountListDidClose(bool reopenInstagram)
{
    if (beforeIOS9()) {
        if (auto window = systemWindow()) {
            if (auto root = window->rootViewController())
                root->view()->setUserInteractionEnabled(false);
            window->setRootViewController(nullptr);
        }
    }
    if (m_iconView)
        springboard::updateIconLabel(m_iconView.get());
    if (reopenInstagram)
        springboard::launchApplication(kInstagramBundleIdentifier, false);
}

void TarvoListener::receiveEvent(id, id event)
{
    auto info = springboard::eventUserInfo(event);
    if (!info || str(info->get("displayIdentifier")) != kInstagramBundleIdentifier)
        return;
    objc::send<void(id)>(this, "presentAccountSwitcherForIconView:", info->get("iconView").get());
    springboard::setEventHandled(event, true);
}

void TarvoListener::receiveDeactivateEvent(id, id event)
{
    auto list = m_tableViewController;
    if (list->isViewLoaded() && list->view()->window())
        springboard::setEventHandled(event, true);
    // Dismissed from whatever presented its navigation controller, so that a
    // dialog open over the list goes with it: asked to dismiss, the list
    // itself would take away only that dialog, stay on screen, and still run
    // its callback as if it had closed.
    auto navigation = list->navigationController();
    RefPtr<UIViewController> presenter = navigation ? navigation->presentingViewController() : nullptr;
    RefPtr<UIViewController> dismisser = presenter ? presenter : RefPtr<UIViewController>(list);
    dismisser->dismissViewControllerAnimated(true, [list] {
        if (list->callback())
            list->callback()(false);
    });
}

} // namespace igtarvo
