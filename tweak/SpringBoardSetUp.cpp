#include "tweak/SpringBoardSetUp.h"
#include "core/Notifications.h"
#include "core/SpringBoardSurface.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/notify/DarwinNotify.h"
#include "platform/notify/NSNotificationCenter.h"
#include "switcher/SwitcherTriggers.h"
#include "switcher/UnlockAnnouncement.h"

#include <filesystem>

namespace igtarvo {

using namespace platform;

namespace {

bool addShortcutItem()
{
    if (NSFoundationVersionNumber() < NSFoundationVersionNumber_iOS_9_0)
        return false;
    std::error_code ec;
    if (!std::filesystem::exists(Device::path(kShortcutItemsLibraryPath), ec))
        return false;
    auto manager = springboard::shortcutManager();
    if (!manager || !springboard::shortcutManagerRunsInsideSpringBoard(manager.get()))
        return false;
    auto item = springboard::newShortcutItem(kShortcutItemType, "Account Switcher", "by igTarvo", 6);
    springboard::setShortcutCallback(item.get(), [](id chosenItem) { handleShortcutItem(chosenItem); });
    springboard::addShortcutItem(manager.get(), item.get(), "com.burbn.instagram");
    return item != nullptr;
}

}

bool setUpSpringBoard()
{
    bool shortcut = addShortcutItem();

    int token = 0;
    notify_register_dispatch(kSwitchAccountsNotification, &token, dispatch_get_main_queue(), [](int) { handleSwitchAccountsNotification(); });

    NSNotificationCenter::defaultCenter()->addObserverForName(ns(kUnlockFinishedNotification).get(), nullptr, mainQueue(),
        [](NSNotification*) { handleUnlockFinished(); });
    return shortcut;
}

} // namespace igtarvo
