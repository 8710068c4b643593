#include "hosts/springboard/shortcutitems/LSIManager.h"

#include "platform/foundation/NSProcessInfo.h"

namespace hosts::springboard {

OBJC_CLASS_DEFINE(LSIManager)

void LSIManager::registerMethods(objc::ClassBuilder<LSIManager>& b)
{
    b.classMethod<&LSIManager::sharedManager>("sharedManager")
        .method<&LSIManager::isRunningInsideSpringBoard>("isRunningInsideSpringBoard")
        .method<&LSIManager::addShortcutItem>("addShortcutItem:toApplicationID:");
}

LSIManager* LSIManager::sharedManager()
{
    static LSIManager* manager = objc::make<LSIManager>().leak();
    return manager;
}

bool LSIManager::isRunningInsideSpringBoard() const
{
    return platform::str(platform::NSProcessInfo::processInfo()->processName()) == "SpringBoard";
}

void LSIManager::addShortcutItem(LSIApplicationShortcutItem* item, NSString* applicationID)
{
    if (item && applicationID)
        m_items[applicationID->str()].emplace_back(item);
}

std::vector<RefPtr<LSIApplicationShortcutItem>> LSIManager::shortcutItems(const std::string& applicationID) const
{
    auto it = m_items.find(applicationID);
    return it == m_items.end() ? std::vector<RefPtr<LSIApplicationShortcutItem>> {} : it->second;
}

bool LSIManager::chooseShortcutItem(const std::string& applicationID, const std::string& type)
{
    for (auto& item : shortcutItems(applicationID)) {
        if (platform::str(item->type()) == type) {
            if (auto callback = item->callback())
                callback->invoke(item.get());
            return true;
        }
    }
    return false;
}

} // namespace hosts::springboard
