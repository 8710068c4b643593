#include "core/Notifications.h"
#include "core/InstagramSurface.h"
#include "platform/notify/DarwinNotify.h"
#include "platform/notify/NSNotificationCenter.h"

namespace igtarvo {

using namespace platform;

void postDarwinNotification(const char* name)
{
    notify_post(name);
}

void postLocalNotification(const char* name)
{
    NSNotificationCenter::defaultCenter()->postNotificationName(ns(name).get(), nullptr, nullptr);
}

namespace {

Previous<RefPtr<Object>(id)> g_IGMainAppViewController_initWithMainFeedSource;

RefPtr<Object> IGMainAppViewController_initWithMainFeedSource(id self, SEL _cmd, id source)
{
    RefPtr<Object> controller = g_IGMainAppViewController_initWithMainFeedSource(self, _cmd, source);
    if (controller) {
        // The block holds the controller: the observer is never removed, so
        // the controller lives as long as the process, as intended.
        NSNotificationCenter::defaultCenter()->addObserverForName(ns(kShowLibraryNotification).get(), nullptr, mainQueue(),
            [controller](NSNotification*) { instagram::presentCameraOnPhotoLibrary(controller.get()); });
    }
    return controller;
}

} // namespace

HookRows showLibraryObserverRows()
{
    return {
        replaced<g_IGMainAppViewController_initWithMainFeedSource, &IGMainAppViewController_initWithMainFeedSource>(
            kInstagramProcess, "IGMainAppViewController", "initWithMainFeedSource:"),
    };
}

} // namespace igtarvo
