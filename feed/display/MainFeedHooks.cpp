#include "feed/display/MainFeedHooks.h"
#include "settings/TarvoSettings.h"

#include "core/InstagramSurface.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UINavigationItem.h"

namespace igtarvo {

using namespace platform;

namespace {

// Set once the layout button is on a navigation item; main thread only.
bool g_added = false;

UINavigationItem* asNavigationItem(id object)
{
    return objc::dynamicCast<UINavigationItem>(object);
}

} // namespace

bool layoutButtonPlaced() { return g_added; }

namespace {

Previous<bool()> g_IGMainFeedViewController_showRefreshButton;

bool IGMainFeedViewController_showRefreshButton(id, SEL)
{
    return true;
}

Previous<void(bool)> g_IGMainFeedViewController_setShowRefreshButton;

void IGMainFeedViewController_setShowRefreshButton(id self, SEL _cmd, bool)
{
    g_IGMainFeedViewController_setShowRefreshButton(self, _cmd, true);
}

Previous<void(bool)> g_IGMainFeedViewController_viewWillAppear;

void IGMainFeedViewController_viewWillAppear(id self, SEL _cmd, bool animated)
{
    static const Class threadStoreClass = objc::objc_getClass("IGDirectThreadStore");
    if (threadStoreClass)
        instagram::refreshInbox(instagram::directThreadStore(threadStoreClass).get());
    g_IGMainFeedViewController_viewWillAppear(self, _cmd, animated);
}

Previous<void()> g_IGMainFeedViewController_viewDidLoad;

void IGMainFeedViewController_viewDidLoad(id self, SEL _cmd)
{
    g_IGMainFeedViewController_viewDidLoad(self, _cmd);
    objc::send<RefPtr<Object>>(self, "navigationItem");
}

Previous<RefPtr<Object>()> g_IGMainFeedViewController_navigationItem;

RefPtr<Object> IGMainFeedViewController_navigationItem(id self, SEL _cmd)
{
    RefPtr<Object> item = g_IGMainFeedViewController_navigationItem(self, _cmd);
    // The flag is set only once a button is really in place: a controller
    // without a navigation item does not use up the one button.
    // The person may have switched the button off; the choice is read when
    // the button would be added, so it takes effect when Instagram starts.
    if (!g_added && TarvoSettings::boolForKey(kLayoutToggleButtonSetting, true)) {
        if (auto* navigationItem = asNavigationItem(item.get())) {
            auto image = UIImage::imageNamed(ns(kLayoutGridIcon).get());
            auto button = UIBarButtonItem::withImage(image.get(), UIBarButtonItemStylePlain, self, "tarvo_changeLayout:");
            navigationItem->setLeftBarButtonItem(button.get());
            g_added = true;
        }
    }
    return item;
}

void IGMainFeedViewController_tarvo_changeLayout(id self, SEL, id)
{
    const char* icon;
    if (instagram::feedLayout(self) == 1) {
        instagram::setFeedLayout(self, 2);
        icon = kLayoutListIcon;
    } else {
        instagram::setFeedLayout(self, 1);
        icon = kLayoutGridIcon;
    }
    RefPtr<Object> item = objc::send<RefPtr<Object>>(self, "navigationItem");
    auto* navigationItem = asNavigationItem(item.get());
    if (navigationItem && navigationItem->leftBarButtonItem())
        navigationItem->leftBarButtonItem()->setImage(UIImage::imageNamed(ns(icon).get()).get());
}

} // namespace

HookRows mainFeedRows()
{
    return {
        replacedWithoutFallback<g_IGMainFeedViewController_showRefreshButton, &IGMainFeedViewController_showRefreshButton>(
            kInstagramProcess, "IGMainFeedViewController", "showRefreshButton"),
        replaced<g_IGMainFeedViewController_setShowRefreshButton, &IGMainFeedViewController_setShowRefreshButton>(
            kInstagramProcess, "IGMainFeedViewController", "setShowRefreshButton:"),
        replaced<g_IGMainFeedViewController_viewWillAppear, &IGMainFeedViewController_viewWillAppear>(
            kInstagramProcess, "IGMainFeedViewController", "viewWillAppear:"),
        replaced<g_IGMainFeedViewController_viewDidLoad, &IGMainFeedViewController_viewDidLoad>(
            kInstagramProcess, "IGMainFeedViewController", "viewDidLoad"),
        replaced<g_IGMainFeedViewController_navigationItem, &IGMainFeedViewController_navigationItem>(
            kInstagramProcess, "IGMainFeedViewController", "navigationItem"),
        added<&IGMainFeedViewController_tarvo_changeLayout>(kInstagramProcess, "IGMainFeedViewController", "tarvo_changeLayout:", "v@:@"),
    };
}

} // namespace igtarvo
